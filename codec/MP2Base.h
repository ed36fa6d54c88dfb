#pragma once
// Common base of the Layer II codecs (the encoder; a decoder would sit beside it).

#include "Source/Engine/Base/Codec.h"

class MP2Base : public Codec {
public:
    MP2Base() = default;
    ~MP2Base() override = default;
};
