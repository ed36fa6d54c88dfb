#pragma once
// The active style of an element: a slot that FrameworkElement and
// FrameworkContentElement carry. It is filled at most once (the first style
// assigned wins for the element's lifetime); unset properties are then read
// from the style (StyledTypeImpl's value hook) and its triggers run after
// every property change.

#include "ui/core/Element.h"

class ActiveStyleSlot {
public:
    N::Element* ActiveStyle() const noexcept { return style_; }
    // Fills the slot when it is empty; true when style was taken.
    bool AssignStyle(N::Element* style) noexcept {
        if (style_ || !style) return false;
        style->AddRef();
        style_ = style;
        return true;
    }

protected:
    ActiveStyleSlot() = default;
    ~ActiveStyleSlot() {
        if (style_) style_->Release();
    }
    // Runs the style's triggers for a changed property (see RunStyleTriggers).
    void RunTriggersFor(N::Element* self, const N::PropertyChangedArgs& args);

private:
    N::Element* style_ = nullptr;  // owned reference
};

// The element's slot, or null when its class has none.
ActiveStyleSlot* ActiveStyleSlotOf(N::Element* element);
// Fills the element's active style when it has a slot and the slot is empty.
bool SetActiveStyle(N::Element* element, N::Element* style);
N::Element* GetActiveStyle(N::Element* element);

// Metaclass base of the classes with an active style: unset properties are
// looked up in the style and its BasedOn chain.
class StyledTypeImpl : public N::PropertyType {
public:
    using N::PropertyType::PropertyType;
    N::Property* GetValueHook(N::Element* element, std::string_view name) override;
};
