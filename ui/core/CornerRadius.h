#pragma once
// CornerRadius (type "CornerRadius"): TopLeft, TopRight, BottomRight,
// BottomLeft.

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"

class CornerRadius : public N::Property {
public:
    N_DECLARE_TYPE();
    CornerRadius() : CornerRadius(0) {}
    explicit CornerRadius(double all) : CornerRadius(all, all, all, all) {}
    CornerRadius(double topLeft, double topRight, double bottomRight, double bottomLeft)
        : N::Property(StaticType()),
          TopLeft(topLeft),
          TopRight(topRight),
          BottomRight(bottomRight),
          BottomLeft(bottomLeft) {}

    double TopLeft;
    double TopRight;
    double BottomRight;
    double BottomLeft;
};

// The shared all-zero radius, the default of "CornerRadius".
CornerRadius* ZeroCornerRadius();
