#pragma once
// Thickness (type "Thickness"): four sides, each a QualifiedDouble, in the
// order Left, Top, Right, Bottom. Markup gives one number (all sides), two
// (left/right, top/bottom) or four, separated by ",", or "Auto".

#include "ui/core/QualifiedDouble.h"

class Thickness : public N::Property {
public:
    N_DECLARE_TYPE();
    Thickness() : Thickness(0.0) {}
    explicit Thickness(double all) : Thickness(all, all, all, all) {}
    Thickness(double leftRight, double topBottom) : Thickness(leftRight, topBottom, leftRight, topBottom) {}
    Thickness(double left, double top, double right, double bottom);

    bool IsUniform() const noexcept;
    // Copies the four sides with their units.
    void CopyFrom(const Thickness& other) noexcept;

    // The sides are owned by the thickness; they are marked as temporaries
    // so that storing one elsewhere copies it.
    QualifiedDouble Left;
    QualifiedDouble Top;
    QualifiedDouble Right;
    QualifiedDouble Bottom;
};
