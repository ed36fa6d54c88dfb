#pragma once
// Style: a bag of Setters (the items of its "Children") with an optional
// "TargetType" (a type object), a "BasedOn" parent style, an "x:Key" when
// keyed, and property Triggers (the items of its "Triggers" collection).
// Setter: a property name ("Property") and a value ("Value"), both cached on
// first use.
//
// An element with an active style reads its unset properties from the style
// (FindStyleValue, the element type's value hook) and re-runs the style's
// triggers after each property change (RunStyleTriggers, Trigger.h).

#include "ui/core/Element.h"

#include <unordered_map>

class Style : public N::Element {
public:
    N_DECLARE_TYPE();  // "Style"
    Style() : N::Element(StaticType()) {}
};

class Setter : public N::Element {
public:
    N_DECLARE_TYPE();  // "Setter"
    Setter() : N::Element(StaticType()) {}
    ~Setter() override;

    // The text of "Property", read once and kept.
    const UString& PropertyName();
    // "Value", read once and kept (borrowed). PrepareStyle may replace it.
    N::Property* CachedValue();
    void ReplaceCachedValue(N::Property* value);  // takes over one reference

    // Storing copies numbers and strings, so the object a trigger left on an
    // element is remembered per element to recognise it on exit. The
    // pointers are compared only, never followed.
    void RememberApplied(const N::Element* element, const N::Property* stored);
    bool WasApplied(const N::Element* element, const N::Property* stored) const;
    void ForgetApplied(const N::Element* element);

private:
    std::unordered_map<const N::Element*, const N::Property*> applied_;
    bool nameCached_ = false;
    bool valueCached_ = false;
    UString name_;
    N::Property* value_ = nullptr;  // owned reference
};

// Longest BasedOn chain followed; longer (or cyclic) chains stop there.
constexpr int MaxBasedOnChain = 64;

// The value of the first Setter for name in style and then in its BasedOn
// chain (borrowed), or null.
N::Property* FindStyleValue(N::Element* style, std::string_view name);

// Converts the setter values (and trigger values) of a style to the types of
// the defaults declared for their properties on the style's TargetType.
// Items without a TargetType, or whose TargetType is still text, are left.
void PrepareStyle(N::Property* item);

// The style's BasedOn value when it is a Style, else null.
N::Element* BasedOnStyle(N::Element* style);
