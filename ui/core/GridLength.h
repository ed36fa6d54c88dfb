#pragma once
// GridLength (type "GridLength"): a number and a kind: Auto, pixels, star
// (a proportional share of the remaining space) or percent.

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"

class GridLength : public N::Property {
public:
    N_DECLARE_TYPE();
    enum Kind : int32_t {
        Auto = 0,     // sized to content
        Pixels = 1,   // a fixed length in device units
        Star = 2,     // a share of the remaining space
        Percent = 3,  // a percentage (never produced from markup text)
    };
    GridLength() : GridLength(1.0, Star) {}
    GridLength(double value, Kind kind) : N::Property(StaticType()), Value(value), LengthKind(kind) {}

    bool IsAuto() const noexcept { return LengthKind == Auto; }
    bool IsStar() const noexcept { return LengthKind == Star; }

    double Value;
    Kind LengthKind;
};

// Shared objects: Auto and 1 star.
GridLength* AutoGridLength();
GridLength* OneStarGridLength();
