#include "codec/Layer2Frame.h"

#include <cstring>

void Layer2Frame::Clear() {
    // The subband samples and the codes are all written before any read.
    std::memset(maxima, 0, sizeof maxima);
    std::memset(scaleFactor, 0, sizeof scaleFactor);
    std::memset(smallestScaleFactor, 0, sizeof smallestScaleFactor);
    std::memset(scfsi, 0, sizeof scfsi);
    std::memset(allocation, 0, sizeof allocation);
    std::memset(quantClass, 0, sizeof quantClass);
    std::memset(smrDb, 0, sizeof smrDb);
    std::memset(mnrDb, 0, sizeof mnrDb);
    peak[0] = peak[1] = 0;
}
