#pragma once
// G.711 companding: 16-bit linear PCM to and from 8-bit A-law and mu-law.

#include <cstdint>

uint8_t LinearToALaw(int16_t sample);
int16_t ALawToLinear(uint8_t code);
uint8_t LinearToMuLaw(int16_t sample);
int16_t MuLawToLinear(uint8_t code);
