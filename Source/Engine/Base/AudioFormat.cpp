#include "Source/Engine/Base/AudioFormat.h"

void AudioFormat::Initialise(uint16_t tag) {
    *this = AudioFormat{};
    formatTag = tag;
    switch (tag) {
    case kFormatPcm:
        channels = 1;
        samplesPerSecond = 44100;
        averageBytesPerSecond = 88200;
        blockAlign = 2;
        bitsPerSample = 16;
        break;
    case kFormatALaw:
    case kFormatMuLaw:
    case kFormatTelephony8Bit:
        channels = 1;
        samplesPerSecond = 8000;
        averageBytesPerSecond = 8000;
        blockAlign = 1;
        bitsPerSample = 8;
        break;
    case kFormatMpeg:
        samplesPerSecond = 90000;
        blockAlign = 1;
        break;
    default:
        break;
    }
}

void AudioFormat::SetBitsPerSample(uint16_t bits) {
    if (channels != 0) {
        blockAlign = static_cast<uint16_t>(channels * (bits / 8));
        if (formatTag == kFormatPcm) averageBytesPerSecond = blockAlign * samplesPerSecond;
    }
    bitsPerSample = bits;
}
