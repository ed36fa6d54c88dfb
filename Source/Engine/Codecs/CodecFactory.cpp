#include "Source/Engine/Codecs/CodecFactory.h"

#include <new>

#include "Source/Engine/Codecs/CoreAudioCodec.h"
#include "codec/ZA2Durizez.h"

Codec* CodecFactory::Create(const AudioFormat& format, bool encode, uint32_t flags) {
    switch (format.formatTag) {
        case kFormatPcm:
            // The rate adapter (SampleRateAdapter) wraps the resampler and is
            // wired in with it; until then PCM has no codec.
            return nullptr;
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
