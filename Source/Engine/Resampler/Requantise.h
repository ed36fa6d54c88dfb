#pragma once
// Conversion of the resampler's filtered values (full scale 1.0) to the next
// sink's sample format. Integer formats add the dither value d, except that
// an exact zero stays an exact zero so that digital silence passes
// untouched. Rounding goes away from zero by the sign of the undithered
// value, and the result is limited to the format's range (NaN gives 0).

#include <cmath>
#include <cstdint>
#include <cstring>

namespace Requantise {

// Written without data-dependent branches: the sign of an audio signal is
// unpredictable, and a mispredicted branch per sample costs more than the
// arithmetic.
inline int32_t ToInteger(double o, double d, double fullScale, double maxValue, double minValue) noexcept {
    const bool zero = !(o > 0.0 || o < 0.0);  // exact zero, or NaN
    double r = (o + d) * fullScale + std::copysign(0.5, o);
    r = zero ? 0.0 : r;
    // Limiting before the truncating conversion gives the same result as
    // truncating first, and keeps the conversion in range.
    r = r > maxValue ? maxValue : r;
    r = r < minValue ? minValue : r;
    return static_cast<int32_t>(r);
}

inline int16_t To16(double o, double d) noexcept {
    return static_cast<int16_t>(ToInteger(o, d, 32767.0, 32767.0, -32768.0));
}

// 24-bit little-endian into three bytes.
inline void To24(double o, double d, uint8_t* out) noexcept {
    const int32_t v = ToInteger(o, d, 8388607.0, 8388607.0, -8388608.0);
    const uint32_t u = static_cast<uint32_t>(v);
    out[0] = static_cast<uint8_t>(u);
    out[1] = static_cast<uint8_t>(u >> 8);
    out[2] = static_cast<uint8_t>(u >> 16);
}

// 32-bit float, no dither.
inline void ToFloat(double o, uint8_t* out) noexcept {
    const float f = static_cast<float>(o);
    std::memcpy(out, &f, sizeof f);
}

}  // namespace Requantise
