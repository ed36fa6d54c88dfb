#include "ui/markup/Style.h"

#include "ui/core/Collection.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/markup/Trigger.h"

// "Setters" is registered for markup that names it; setters are the
// Style's "Children".
N_ELEMENT_TYPE(Style, N::Element, [](N::TypeBuilder& t) {
    t.Property("TargetType", N::UnsetValue());
    t.Property("BasedOn", N::UnsetValue());
    t.Property("Triggers", N::UnsetValue());
    t.Property("Setters", N::UnsetValue());
});

// "TargetName" is registered and not used.
N_ELEMENT_TYPE(Setter, N::Element, [](N::TypeBuilder& t) {
    t.Property("Property", N::UnsetValue());
    t.Property("Value", N::UnsetValue());
    t.Property("TargetName", N::UnsetValue());
});

Setter::~Setter() {
    if (value_) value_->Release();
}

const UString& Setter::PropertyName() {
    if (!nameCached_) {
        name_ = N::ToText(GetValue("Property"));
        nameCached_ = true;
    }
    return name_;
}

N::Property* Setter::CachedValue() {
    if (!valueCached_) {
        value_ = GetValue("Value");
        if (value_) value_->AddRef();
        valueCached_ = true;
    }
    return value_;
}

void Setter::ReplaceCachedValue(N::Property* value) {
    if (value_) value_->Release();
    value_ = value;
    valueCached_ = true;
}

void Setter::RememberApplied(const N::Element* element, const N::Property* stored) { applied_[element] = stored; }

bool Setter::WasApplied(const N::Element* element, const N::Property* stored) const {
    auto it = applied_.find(element);
    return it != applied_.end() && it->second == stored;
}

void Setter::ForgetApplied(const N::Element* element) { applied_.erase(element); }

N::Element* BasedOnStyle(N::Element* style) {
    N::Property* b = N::GetValue(style, "BasedOn");
    return N::IsA(b, Style::StaticType()) ? static_cast<N::Element*>(b) : nullptr;
}

N::Property* FindStyleValue(N::Element* style, std::string_view name) {
    int links = 0;
    for (N::Element* s = style; s && links < MaxBasedOnChain; s = BasedOnStyle(s), ++links) {
        N::Collection* setters = N::GetChildren(s, false);
        if (!setters) continue;
        for (int i = 0; i < setters->Count(); ++i) {
            N::Property* item = setters->Item(i);
            if (!N::IsA(item, Setter::StaticType())) continue;
            auto* setter = static_cast<Setter*>(item);
            if (setter->PropertyName() == UString(name.data(), name.size())) return setter->CachedValue();
        }
    }
    return nullptr;
}

namespace {

// v converted for property name of type tt, with one reference; null when
// no conversion applies or it fails.
N::Property* ConvertFor(N::PropertyType* tt, const UString& name, N::Property* v) {
    if (!v) return nullptr;
    N::PropertyDeclaration* decl = N::FindPropertyDeclaration(tt, name.View());
    if (!decl || !decl->defaultValue) return nullptr;
    N::PropertyType* target = decl->defaultValue->GetType();
    if (!target || N::IsA(v, target) || target == N::NullType()) return nullptr;
    v->AddRef();  // Convert consumes this reference when it succeeds
    N::Property* converted = target->Convert(v);
    if (!converted) v->Release();
    return converted;
}

// Only Setter items hold values to convert; other items are passed over.
void PrepareSetters(N::PropertyType* tt, N::Collection* setters) {
    if (!setters) return;
    for (int i = 0; i < setters->Count(); ++i) {
        N::Property* item = setters->Item(i);
        if (!N::IsA(item, Setter::StaticType())) continue;
        auto* setter = static_cast<Setter*>(item);
        if (N::Property* c = ConvertFor(tt, setter->PropertyName(), setter->CachedValue()))
            setter->ReplaceCachedValue(c);
    }
}

}  // namespace

void PrepareStyle(N::Property* item) {
    N::Element* style = N::AsElement(item);
    if (!style) return;
    N::Property* tt = style->GetValue("TargetType");
    if (!tt || tt->GetType() != N::PropertyTypeType()) return;  // absent, or still text
    auto* targetType = static_cast<N::PropertyType*>(tt);

    PrepareSetters(targetType, style->GetChildren(false));

    N::Property* triggers = style->GetValue("Triggers");
    if (!N::IsA(triggers, N::Collection::StaticType())) return;
    auto* list = static_cast<N::Collection*>(triggers);
    for (int i = 0; i < list->Count(); ++i) {
        N::Property* t = list->Item(i);
        if (!N::IsA(t, Trigger::StaticType())) continue;
        auto* trigger = static_cast<N::Element*>(t);
        UString name = N::ToText(trigger->GetValue("Property"));
        if (N::Property* c = ConvertFor(targetType, name, trigger->GetValue("Value"))) {
            trigger->SetValue("Value", c);
            c->Release();
        }
        PrepareSetters(targetType, trigger->GetChildren(false));
    }
}
