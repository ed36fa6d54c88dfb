#pragma once
// HRect (type "Rect"): X, Y, Width, Height. MutableRect is the same type,
// the variant layout code changes in place.

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"

class HRect : public N::Property {
public:
    N_DECLARE_TYPE();  // "Rect"
    HRect() : HRect(0, 0, 0, 0) {}
    HRect(double x, double y, double width, double height)
        : N::Property(StaticType()), X(x), Y(y), Width(width), Height(height) {}

    // Edges count as inside.
    bool Contains(double x, double y) const noexcept {
        return Y <= y && y <= Y + Height && X <= x && x <= X + Width;
    }
    // Touching edges count as intersecting.
    bool IntersectsWith(double x, double y, double w, double h) const noexcept {
        return Y <= y + h && y <= Y + Height && X <= x + w && x <= X + Width;
    }

    double X;
    double Y;
    double Width;
    double Height;
};

class MutableRect : public HRect {
public:
    using HRect::HRect;
    void Set(double x, double y, double width, double height) noexcept {
        X = x;
        Y = y;
        Width = width;
        Height = height;
    }
};
