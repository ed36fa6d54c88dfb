#pragma once
// Freezable: an element class with no behaviour of its own, the base of
// drawings and effects.

#include "ui/core/Element.h"

class Freezable : public N::Element {
public:
    N_DECLARE_TYPE();
    Freezable() : Freezable(StaticType()) {}
    explicit Freezable(N::PropertyType* type) noexcept : N::Element(type) {}
};
