#include "codec/ScaleFactors.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
constexpr double kSilenceLevel = 5e-06;
constexpr int kLastTableIndex = 62;
}  // namespace

namespace {

// The bisection over the whole table; serves what the exponent shortcut
// below does not (NaN, magnitudes below the table).
int ScaleFactorIndexBySearch(double magnitude) {
    // Five bisection steps from the middle of the table (values fall with
    // the index). They end on the answer or one above it; the last line
    // settles which, and a final check covers the clamp to 62.
    int index = 32;
    for (int step = 16; step > 0; step >>= 1) {
        const int below = kScaleFactors[index] < magnitude;  // index is past the answer
        index += step - 2 * step * below;
    }
    index = std::min(index, kLastTableIndex);
    index -= kScaleFactors[index] < magnitude;
    index += index < kLastTableIndex && kScaleFactors[index + 1] >= magnitude;
    return index;
}

}  // namespace

int ScaleFactorIndex(double magnitude) {
    if (magnitude <= kSilenceLevel) {
        return kSilentScaleFactor;
    }
    if (magnitude > kScaleFactors[0]) {
        return 0;
    }
    // The answer is the largest index whose value is >= magnitude. Every
    // third value is an exact power of two, 2^(1 - k) at index 3k, so with
    // 2^e <= magnitude < 2^(e + 1) the value at 3 * -e (2^(e + 1)) covers
    // the magnitude and the one at 3 * (2 - e) (2^(e - 1)) does not: the
    // answer is -3e plus how many of the next five values still cover it.
    uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int e = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    const int first = std::max(-3 * e, 0);
    if (e > 1 || first + 5 > kLastTableIndex) {
        return ScaleFactorIndexBySearch(magnitude);
    }
    const double* v = kScaleFactors + first;
    return first + (v[1] >= magnitude) + (v[2] >= magnitude) + (v[3] >= magnitude) + (v[4] >= magnitude) +
           (v[5] >= magnitude);
}

int SelectScfsi(int& s0, int& s1, int& s2) {
    // A silent later part follows the first one.
    const int d1 = s1 == kSilentScaleFactor ? 0 : s1 - s0;
    const int d2 = s2 == kSilentScaleFactor ? 0 : s2 - s0;
    if (d1 >= 0 && d1 <= 3) {
        if (d2 >= 0 && d2 <= 3) {
            s1 = s2 = s0;
            return 2;
        }
        s1 = s0;
        return 1;
    }
    if (d1 >= -3 && d1 <= -1) {
        if (d2 < d1 || d2 < -3) {
            s0 = s1;
            return 1;
        }
        s0 = s2 = s1;
        return 2;
    }
    const int e = d2 - d1;
    if (e >= 0 && e <= 3) {
        s2 = s1;
        return 3;
    }
    if (e >= -3 && e <= -1) {
        s1 = s2;
        return 3;
    }
    return 0;
}

void ChooseScaleFactors(const Layer2Layout& layout, Layer2Frame& frame) {
    for (int ch = 0; ch < layout.channels; ++ch) {
        for (int sb = 0; sb < layout.sblimit; ++sb) {
            int s[kPartCount];
            for (int part = 0; part < kPartCount; ++part) {
                s[part] = ScaleFactorIndex(frame.maxima[ch][part][sb]);
            }
            frame.smallestScaleFactor[ch][sb] = std::min({s[0], s[1], s[2]});
            frame.scfsi[ch][sb] = SelectScfsi(s[0], s[1], s[2]);
            for (int part = 0; part < kPartCount; ++part) {
                frame.scaleFactor[ch][part][sb] = s[part];
            }
        }
    }
}
