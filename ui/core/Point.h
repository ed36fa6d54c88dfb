#pragma once
// Point (type "Point"): X, Y. Text form "X, Y"; markup may separate the two
// numbers by ",", a space or ";".

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"

class Point : public N::Property {
public:
    N_DECLARE_TYPE();
    Point() : Point(0, 0) {}
    Point(double x, double y) : N::Property(StaticType()), X(x), Y(y) {}

    double X;
    double Y;
};
