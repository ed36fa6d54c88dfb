#pragma once
// FrameworkElement: the base of panels, decorators and controls. Minimal
// form for the markup layer: the active style (assigned at most once) with
// its value hook and triggers, and the size declarations styles convert
// values for. The layout work adds measure, arrange and rendering.

#include "ui/layout/UIElement.h"
#include "ui/markup/ActiveStyle.h"

class FrameworkElement : public UIElement, public ActiveStyleSlot {
public:
    N_DECLARE_TYPE();  // "FrameworkElement", abstract, flag UsesValueHook
    explicit FrameworkElement(N::PropertyType* type);

    void ReevaluateStyleTriggers(const N::PropertyChangedArgs& args) override { RunTriggersFor(this, args); }
};
