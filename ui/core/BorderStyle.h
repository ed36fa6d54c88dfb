#pragma once
// BorderStyle (type "BorderStyle"): one 32-bit style code per side, Left,
// Top, Right, Bottom. A new instance has 3 on every side.

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"

class BorderStyle : public N::Property {
public:
    N_DECLARE_TYPE();
    BorderStyle() : BorderStyle(3) {}
    explicit BorderStyle(int32_t all) : BorderStyle(all, all, all, all) {}
    BorderStyle(int32_t left, int32_t top, int32_t right, int32_t bottom)
        : N::Property(StaticType()), Left(left), Top(top), Right(right), Bottom(bottom) {}

    int32_t Left;
    int32_t Top;
    int32_t Right;
    int32_t Bottom;
};
