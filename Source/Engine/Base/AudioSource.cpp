#include "Source/Engine/Base/AudioSource.h"

AudioSource::~AudioSource() { delete[] scratch_; }

uint64_t AudioSource::ReadDouble(double* buffer, uint64_t n, uint64_t p) {
    if (scratchCapacity_ < n) {
        delete[] scratch_;
        scratch_ = new int16_t[n * 2];
        scratchCapacity_ = n;
    }
    uint64_t k = Read(scratch_, n, p);
    for (uint64_t i = 0; i < 2 * k; ++i) buffer[i] = scratch_[i] / 32767.0;
    return k;
}
