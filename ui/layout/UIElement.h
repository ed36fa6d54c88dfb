#pragma once
// UIElement: adds the declarations markup and styles rely on ("Resources",
// "IsEnabled", "IsKeyboardFocused", "IsMouseOver"). Minimal form; the
// layout work adds layout flags, desired size and the rest of the table.

#include "ui/layout/Visual.h"

class UIElement : public Visual {
public:
    N_DECLARE_TYPE();  // "UIElement"
    UIElement() : Visual(StaticType()) {}
    explicit UIElement(N::PropertyType* type) : Visual(type) {}
};
