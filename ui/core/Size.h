#pragma once
// Size (type "Size"): Width, Height. Text form "Width, Height".

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"

class Size : public N::Property {
public:
    N_DECLARE_TYPE();
    Size() : Size(0, 0) {}
    Size(double width, double height) : N::Property(StaticType()), Width(width), Height(height) {}

    double Width;
    double Height;
};
