#pragma once
// Conversions from stored sample layouts to the engine's interleaved 16-bit
// stereo frames (or to doubles). Each kernel converts `frames` frames of
// `channels` stored samples; a mono frame is written to both output channels,
// and of a frame with more than two channels only the first two are kept.

#include <cstdint>

// Stored little-endian (WAV).
void ConvertLE16(const uint8_t* in, int16_t* out, uint64_t frames, int channels);
// 24-bit: the upper two bytes of each sample (truncation, no rounding).
void ConvertLE24(const uint8_t* in, int16_t* out, uint64_t frames, int channels);
// 32-bit IEEE float: trunc(double(x * 32767.0f) + 0.5), clamped to 16 bits.
void ConvertFloat32(const uint8_t* in, int16_t* out, uint64_t frames, int channels);
int16_t FloatToSample16(float x);

// Doubles: 16-bit / 32767.0, sign-extended 24-bit / 8388607.0, float unscaled.
void ConvertLE16ToDouble(const uint8_t* in, double* out, uint64_t frames, int channels);
void ConvertLE24ToDouble(const uint8_t* in, double* out, uint64_t frames, int channels);
void ConvertFloat32ToDouble(const uint8_t* in, double* out, uint64_t frames, int channels);

// Stored big-endian (AIFF), `width` bytes per sample (1 to 4): the most
// significant 16 bits of each sample; 8-bit samples become the high byte.
void ConvertBE(const uint8_t* in, int16_t* out, uint64_t frames, int channels, int width);
