#pragma once
// Visual: the root of every drawable element. Minimal form for the markup
// layer (type and parent link); the visual-tree work adds offset, render size
// and drawing.

#include "ui/core/Element.h"

class Visual : public N::Element {
public:
    N_DECLARE_TYPE();  // "Visual"
    Visual() : N::Element(StaticType()) {}
    explicit Visual(N::PropertyType* type) : N::Element(type) {}

    Element* GetParent() const override { return parent_; }
    void SetParentVisual(Visual* parent) noexcept { parent_ = parent; }

private:
    Visual* parent_ = nullptr;  // not owned
};
