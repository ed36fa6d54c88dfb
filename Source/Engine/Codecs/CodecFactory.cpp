#include "Source/Engine/Codecs/CodecFactory.h"

#include <new>

#include "Source/Engine/Codecs/CoreAudioCodec.h"
#include "Source/Engine/Codecs/SampleRateAdapter.h"
#include "codec/ZA2Durizez.h"

Codec* CodecFactory::Create(const AudioFormat& format, bool encode, uint32_t flags) {
    switch (format.formatTag) {
        case kFormatPcm:
            // PCM with rate conversion to and from the engine rate.
            return new (std::nothrow) SampleRateAdapter(nullptr, static_cast<int32_t>(format.samplesPerSecond), encode,
                                                        format.channels);
        case kFormatALaw:
            return new (std::nothrow) CoreAudioCodec(kConverterFormatALaw, encode, 8000, 1);
        case kFormatMuLaw:
            return new (std::nothrow) CoreAudioCodec(kConverterFormatMuLaw, encode, 8000, 1);
        case kFormatMpeg:
            if (encode) {
                return new (std::nothrow) ZA2Durizez(format, flags);
            }
            return nullptr;  // no Layer II decoder is built
        case kFormatAac:
            return new (std::nothrow) CoreAudioCodec(kConverterFormatAac, encode, format.samplesPerSecond,
                                                     format.channels);
        default:
            return nullptr;
    }
}
