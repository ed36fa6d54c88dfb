#pragma once
// Bit allocation without a psychoacoustic model: each band's level above the
// threshold in quiet is estimated from its scale factors, and bits go
// greedily to the band with the smallest mask-to-noise ratio.

#include <cstdint>

#include "codec/CodecKernels.h"
#include "codec/Layer2Frame.h"

// Threshold in quiet per subband in dB: the minimum of the absolute
// threshold curve over the band's 16 spectral lines (line 0 skipped).
void BuildThresholdTable(int samplingFrequencyHz, double thresholdDb[kSubbandCount]);

// Bits left for scfsi, scale factors and samples after the header, the
// optional CRC, the reserved ancillary bits and the allocation fields.
int AllocationBudget(const Layer2Layout& layout, int frameBytes, bool crc, int ancillaryBits);

// Fills the SMR estimates and runs the greedy allocation. frameCounter is
// the process-wide counter after this frame's increment: when odd,
// channels are scanned in ascending order, else in descending order.
// The scan for the smallest MNR runs through kernels.firstMinimum.
void AllocateBits(const Layer2Layout& layout, const double thresholdDb[kSubbandCount], int budget,
                  uint32_t frameCounter, Layer2Frame& frame, const CodecKernels& kernels = PlainKernels());
