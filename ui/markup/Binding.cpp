#include "ui/markup/Binding.h"

#include "ui/core/Enum.h"
#include "ui/core/Enumerations.h"
#include "ui/core/PrimitiveTypes.h"

namespace {

class BindingTypeImpl final : public N::PropertyType {
public:
    using N::PropertyType::PropertyType;
    UString ToText(const N::Property* value) override {
        UString text("{Binding");
        const UString& path = static_cast<const Binding*>(value)->Path();
        if (!path.IsEmpty()) {
            text += ' ';
            text += path;
        }
        text += '}';
        return text;
    }
    // A Binding stays itself.
    N::Property* Convert(N::Property* value) override { return value; }
};

// Their text form is empty.
class EmptyTextTypeImpl : public N::PropertyType {
public:
    using N::PropertyType::PropertyType;
    UString ToText(const N::Property*) override { return UString(); }
};
class BindingExpressionTypeImpl final : public EmptyTextTypeImpl {
public:
    using EmptyTextTypeImpl::EmptyTextTypeImpl;
    N::Property* CreateInstance() override { return new BindingExpression(); }
};
class BindingGroupTypeImpl final : public EmptyTextTypeImpl {
public:
    using EmptyTextTypeImpl::EmptyTextTypeImpl;
    N::Property* CreateInstance() override { return new BindingGroup(); }
};

}  // namespace

// "Mode" is declared but not read; "StringFormat" and "UpdateSourceTrigger"
// are registered and not interpreted.
N_DEFINE_TYPE(Binding, "Binding", BindingTypeImpl, MarkupExtension::StaticType(), [](N::TypeBuilder& t) {
    t.Flags(N::PropertyType::TextOnly);
    auto* modes = static_cast<N::EnumTypeImpl*>(BindingMode::StaticType());
    t.Property("Mode", modes->Predefined(BindingMode::Default));
    t.Property("FallbackValue", N::UnsetValue());
    t.Property("StringFormat", N::UnsetValue());
    t.Property("UpdateSourceTrigger", N::UnsetValue());
});
N_DEFINE_TYPE(BindingExpression, "BindingExpression", BindingExpressionTypeImpl, N::Element::StaticType());
N_DEFINE_TYPE(BindingGroup, "BindingGroup", BindingGroupTypeImpl, N::Element::StaticType());

Binding::Binding(const UString& path, N::Element* source)
    : MarkupExtension(StaticType()), path_(path), source_(source) {}

N::Property* Binding::ProvideValue() {
    if (source_) {
        if (N::Property* v = source_->GetValue(path_.View())) return v;
    }
    return GetValue("FallbackValue");
}

bool WriteThroughBinding(N::Element* element, std::string_view name, N::Property* value) {
    if (!element) return false;
    if (auto* map = element->LocalValues()) {
        auto it = map->find(name);
        if (it != map->end() && N::IsA(it->second, Binding::StaticType())) {
            auto* binding = static_cast<Binding*>(it->second);
            return N::SetValue(binding->Source(), binding->Path().View(), value);
        }
    }
    return N::SetValue(element, name, value);
}
