#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Source/Engine/Resampler/PolyphaseKernel.h"

// The vectorised loops must give exactly the scalar reference's bits, or
// output would depend on the build.
TEST(ResamplerKernel, MatchesScalarReferenceExactly) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int32_t channels : {1, 2, 3}) {
        for (int64_t taps : {1, 2, 3, 23, 39, 47, 55}) {
            std::vector<double> x(static_cast<size_t>(taps * channels) + 1), row(static_cast<size_t>(taps));
            for (double& v : x) v = u(rng);
            for (double& v : row) v = u(rng);
            // Odd offset: the kernel must not rely on 16-byte alignment.
            double fast[3], slow[3];
            PolyphaseDot(x.data() + 1, channels, row.data(), taps, fast);
            PolyphaseDotReference(x.data() + 1, channels, row.data(), taps, slow);
            for (int32_t c = 0; c < channels; ++c) {
                EXPECT_EQ(fast[c], slow[c]) << channels << " channels, " << taps << " taps";
                double plain = 0;
                for (int64_t m = 0; m < taps; ++m) plain += x[static_cast<size_t>(1 + m * channels + c)] * row[static_cast<size_t>(m)];
                EXPECT_NEAR(fast[c], plain, 1e-12);
            }
        }
    }
}
