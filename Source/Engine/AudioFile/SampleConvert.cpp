#include "Source/Engine/AudioFile/SampleConvert.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "Source/Engine/AudioFile/ByteOrder.h"

namespace {

// Applies `sample(const uint8_t* storedSample) -> T` to the first one or two
// channels of every frame and writes a stereo pair per frame.
template <typename T, typename Fn>
void ForEachFrame(const uint8_t* in, T* out, uint64_t frames, int channels, int width, Fn sample) {
    const uint64_t frameBytes = static_cast<uint64_t>(channels) * width;
    if (channels == 1) {
        for (uint64_t i = 0; i < frames; ++i, in += frameBytes) {
            const T v = sample(in);
            out[2 * i] = v;
            out[2 * i + 1] = v;
        }
        return;
    }
    for (uint64_t i = 0; i < frames; ++i, in += frameBytes) {
        out[2 * i] = sample(in);
        out[2 * i + 1] = sample(in + width);
    }
}

int16_t LE16(const uint8_t* p) { return static_cast<int16_t>(LoadLE16(p)); }
int16_t Upper16Of24(const uint8_t* p) { return static_cast<int16_t>(LoadLE16(p + 1)); }
int32_t SignExtend24(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 8 | static_cast<uint32_t>(p[1]) << 16 |
                                static_cast<uint32_t>(p[2]) << 24) >> 8;
}
float LoadFloat(const uint8_t* p) {
    const uint32_t bits = LoadLE32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

}  // namespace

int16_t FloatToSample16(float x) {
    // Scaled in single precision, rounded by adding 0.5 and truncating toward
    // zero, so 1.0 gives 32767 and -1.0 gives -32766.
    const float scaled = x * 32767.0f;
    const double v = std::trunc(static_cast<double>(scaled) + 0.5);
    if (std::isnan(v)) return 0;
    if (v >= 32767.0) return 32767;
    if (v <= -32768.0) return -32768;
    return static_cast<int16_t>(v);
}

void ConvertLE16(const uint8_t* in, int16_t* out, uint64_t frames, int channels) {
    if (channels == 2) {
        // Stored layout equals the output layout on a little-endian host.
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(out, in, 4 * frames);
        } else {
            for (uint64_t i = 0; i < 2 * frames; ++i) out[i] = LE16(in + 2 * i);
        }
        return;
    }
    ForEachFrame(in, out, frames, channels, 2, LE16);
}

void ConvertLE24(const uint8_t* in, int16_t* out, uint64_t frames, int channels) {
    ForEachFrame(in, out, frames, channels, 3, Upper16Of24);
}

void ConvertFloat32(const uint8_t* in, int16_t* out, uint64_t frames, int channels) {
    ForEachFrame(in, out, frames, channels, 4, [](const uint8_t* p) { return FloatToSample16(LoadFloat(p)); });
}

void ConvertLE16ToDouble(const uint8_t* in, double* out, uint64_t frames, int channels) {
    ForEachFrame(in, out, frames, channels, 2, [](const uint8_t* p) { return LE16(p) / 32767.0; });
}

void ConvertLE24ToDouble(const uint8_t* in, double* out, uint64_t frames, int channels) {
    ForEachFrame(in, out, frames, channels, 3, [](const uint8_t* p) { return SignExtend24(p) / 8388607.0; });
}

void ConvertFloat32ToDouble(const uint8_t* in, double* out, uint64_t frames, int channels) {
    ForEachFrame(in, out, frames, channels, 4, [](const uint8_t* p) { return static_cast<double>(LoadFloat(p)); });
}

void ConvertBE(const uint8_t* in, int16_t* out, uint64_t frames, int channels, int width) {
    if (width == 1) {
        ForEachFrame(in, out, frames, channels, 1,
                     [](const uint8_t* p) { return static_cast<int16_t>(static_cast<uint16_t>(p[0] << 8)); });
        return;
    }
    // Wider samples: their first two bytes, swapped (the rest is truncated).
    ForEachFrame(in, out, frames, channels, width, [](const uint8_t* p) { return static_cast<int16_t>(LoadBE16(p)); });
}
