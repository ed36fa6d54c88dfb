#pragma once
// Scale-factor choice and scale-factor selection information (scfsi).

#include "codec/Layer2Frame.h"

// Largest index in 0..62 whose scale factor is at least the magnitude
// (0 above 2.0), or 63 for a silent part (magnitude <= 5e-06).
int ScaleFactorIndex(double magnitude);

// Chooses the scfsi of one band from the indices of its three parts and
// adjusts the indices to the ones transmitted. Returns the scfsi (0..3).
int SelectScfsi(int& s0, int& s1, int& s2);

// Steps 4 and 5 of a frame: indices, smallest index and scfsi of every
// coded band of every channel.
void ChooseScaleFactors(const Layer2Layout& layout, Layer2Frame& frame);
