#include "ui/markup/ActiveStyle.h"

#include "ui/markup/Style.h"
#include "ui/markup/Trigger.h"

ActiveStyleSlot* ActiveStyleSlotOf(N::Element* element) {
    return element ? dynamic_cast<ActiveStyleSlot*>(element) : nullptr;
}

bool SetActiveStyle(N::Element* element, N::Element* style) {
    ActiveStyleSlot* slot = ActiveStyleSlotOf(element);
    return slot && slot->AssignStyle(style);
}

N::Element* GetActiveStyle(N::Element* element) {
    ActiveStyleSlot* slot = ActiveStyleSlotOf(element);
    return slot ? slot->ActiveStyle() : nullptr;
}

void ActiveStyleSlot::RunTriggersFor(N::Element* self, const N::PropertyChangedArgs& args) {
    if (style_) RunStyleTriggers(style_, self, args.name.View(), args.newValue);
}

N::Property* StyledTypeImpl::GetValueHook(N::Element* element, std::string_view name) {
    N::Element* style = GetActiveStyle(element);
    return style ? FindStyleValue(style, name) : nullptr;
}
