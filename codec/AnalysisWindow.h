#pragma once
// The 512 coefficients of the analysis window (ISO/IEC 11172-3 Table C.1).

inline constexpr int kAnalysisWindowLength = 512;

// C[0] = 0, C[1] = -0.000000477, ..., C[256] = 0.035780907.
extern const double kAnalysisWindow[kAnalysisWindowLength];
