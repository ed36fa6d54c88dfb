#pragma once
// Trigger: a property condition of a Style ("Property" and "Value") and the
// setters (its "Children") applied as local values while the condition holds.
// TriggerBase and EventTrigger are vocabulary without behaviour.

#include "ui/core/Element.h"

class TriggerBase : public N::Element {
public:
    N_DECLARE_TYPE();  // "TriggerBase"
    TriggerBase() : N::Element(StaticType()) {}
    explicit TriggerBase(N::PropertyType* type) : N::Element(type) {}
};

class Trigger : public TriggerBase {
public:
    N_DECLARE_TYPE();  // "Trigger", base "TriggerBase"
    Trigger() : TriggerBase(StaticType()) {}
};

class EventTrigger : public TriggerBase {
public:
    N_DECLARE_TYPE();  // "EventTrigger", base "TriggerBase"
    EventTrigger() : TriggerBase(StaticType()) {}
};

// Runs the triggers of style (and of its BasedOn chain) whose "Property" is
// name: a trigger whose Value equals newValue enters, the others exit.
// True when any trigger entered. Trigger setters that change properties run
// triggers again; that nesting is cut off at MaxTriggerNesting.
bool RunStyleTriggers(N::Element* style, N::Element* element, std::string_view name, N::Property* newValue);
constexpr int MaxTriggerNesting = 16;

// Applies the trigger's setters to element as local values.
void EnterTrigger(N::Element* trigger, N::Element* element);
// Clears the local values that are still the very objects the trigger's
// setters hold. True when anything was cleared.
bool ExitTrigger(N::Element* trigger, N::Element* element);
