#include "ui/markup/Trigger.h"

#include "ui/core/Collection.h"
#include "ui/core/PropertyValues.h"
#include "ui/markup/Style.h"

N_ELEMENT_TYPE(TriggerBase, N::Element);
// "SourceName", "EnterActions" and "ExitActions" are registered, not used.
N_ELEMENT_TYPE(Trigger, TriggerBase, [](N::TypeBuilder& t) {
    t.Property("Property", N::UnsetValue());
    t.Property("Value", N::UnsetValue());
    t.Property("SourceName", N::UnsetValue());
    t.Property("EnterActions", N::UnsetValue());
    t.Property("ExitActions", N::UnsetValue());
});
N_ELEMENT_TYPE(EventTrigger, TriggerBase);

namespace {

int triggerNesting = 0;  // UI thread only

template <class F>
void ForEachSetter(N::Element* trigger, F&& f) {
    N::Collection* setters = N::GetChildren(trigger, false);
    if (!setters) return;
    for (int i = 0; i < setters->Count(); ++i) {
        N::Property* item = setters->Item(i);
        if (N::IsA(item, Setter::StaticType())) f(static_cast<Setter*>(item));
    }
}

}  // namespace

void EnterTrigger(N::Element* trigger, N::Element* element) {
    ForEachSetter(trigger, [&](Setter* s) {
        N::Property* v = s->CachedValue();
        if (!v || !element) return;
        N::SetValue(element, s->PropertyName().View(), v);
        if (auto* map = element->LocalValues()) {
            auto it = map->find(s->PropertyName().View());
            if (it != map->end()) s->RememberApplied(element, it->second);
        }
    });
}

bool ExitTrigger(N::Element* trigger, N::Element* element) {
    bool cleared = false;
    ForEachSetter(trigger, [&](Setter* s) {
        N::Property* v = s->CachedValue();
        const UString& name = s->PropertyName();
        if (!v || !element) return;
        // Only a value that is still the setter's own object is the trigger's.
        auto* map = element->LocalValues();
        if (!map) return;
        auto it = map->find(name.View());
        if (it == map->end() || (it->second != v && !s->WasApplied(element, it->second))) return;
        s->ForgetApplied(element);
        N::SetValue(element, name.View(), N::UnsetValue());
        cleared = true;
    });
    return cleared;
}

bool RunStyleTriggers(N::Element* style, N::Element* element, std::string_view name, N::Property* newValue) {
    // Trigger setters change properties, which runs triggers again; a chain of
    // triggers that keep setting each other's properties must end somewhere.
    if (triggerNesting >= MaxTriggerNesting) return false;
    ++triggerNesting;
    bool entered = false;
    int links = 0;
    for (N::Element* s = style; s && links < MaxBasedOnChain; s = BasedOnStyle(s), ++links) {
        N::Property* triggers = s->GetValue("Triggers");
        if (!N::IsA(triggers, N::Collection::StaticType())) continue;
        N::Ref<N::Collection> list(static_cast<N::Collection*>(triggers));
        for (int i = 0; i < list->Count(); ++i) {
            N::Property* t = list->Item(i);
            if (!N::IsA(t, Trigger::StaticType())) continue;
            N::Ref<N::Element> trigger(static_cast<N::Element*>(t));
            if (N::ToText(trigger->GetValue("Property")).View() != name) continue;
            N::Property* value = trigger->GetValue("Value");
            if (!value) continue;
            if (newValue && N::Equals(value, newValue)) {
                EnterTrigger(trigger, element);
                entered = true;
            } else {
                ExitTrigger(trigger, element);
            }
        }
    }
    --triggerNesting;
    return entered;
}
