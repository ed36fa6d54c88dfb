#pragma once
// FilterTable: one wing of the resampler's windowed-sinc impulse response,
// sampled `phases` times per input sample, plus the same coefficients laid
// out per phase in input order so that the kernel reads them contiguously.

#include <cstdint>
#include <vector>

class FilterTable {
public:
    // Builds the table for ratio = input rate / output rate. halfLength is the
    // starting half-length; lengthen applies the lengthening rule for ratios
    // of 2 and more.
    void Build(double ratio, int64_t phases, int64_t halfLength, bool lengthen);

    int64_t Phases() const noexcept { return phases_; }
    int64_t HalfLength() const noexcept { return halfLength_; }
    // 2n - 1: taps of one phase row.
    int64_t RowLength() const noexcept { return 2 * halfLength_ - 1; }
    double Gain() const noexcept { return gain_; }

    // h[i] for i = 0 .. n * phases (the wing, centre first).
    const std::vector<double>& Wing() const noexcept { return wing_; }

    // Row of phase L (0 .. phases inclusive): RowLength() coefficients for the
    // input frames j - n + 1 .. j + n - 1 around the frame j at or before the
    // output instant. Row L evaluates
    //   F(L) = sum_{k=0}^{n-1} x[j-k] h[L + kP] + sum_{k=1}^{n-1} x[j+k] h[kP - L].
    const double* Row(int64_t phase) const noexcept {
        return rows_.data() + phase * RowLength();
    }

    // Row of phase L with every coefficient twice in a row (2 * RowLength()
    // values): the factors of a left and right sample side by side.
    const double* PairedRow(int64_t phase) const noexcept {
        return pairedRows_.data() + phase * 2 * RowLength();
    }

    // Four-term Blackman-Harris window of the wing sample i of a wing of
    // `wingLength` = n * phases, evaluated from the window's centre outwards.
    static double Window(int64_t i, int64_t wingLength);

private:
    int64_t phases_ = 0;
    int64_t halfLength_ = 0;
    double gain_ = 1.0;
    std::vector<double> wing_;
    std::vector<double> rows_;
    std::vector<double> pairedRows_;
};
