#pragma once
// Quantisation of a whole frame: every sample of every allocated band
// becomes its code, x' = x / v / Z + B truncated with the sign bit inverted.

#include "codec/CodecKernels.h"
#include "codec/Layer2Frame.h"

// Settings of one channel from its allocation and transmitted scale factors.
void PrepareQuantiser(const Layer2Layout& layout, const Layer2Frame& frame, int channel, QuantiserSettings& settings);

// Fills frame.codes for every channel.
void QuantiseFrame(const Layer2Layout& layout, const CodecKernels& kernels, Layer2Frame& frame);
