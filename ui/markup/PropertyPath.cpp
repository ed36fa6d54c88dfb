#include "ui/markup/PropertyPath.h"

#include "ui/core/PropertyValues.h"

namespace {

class PropertyPathTypeImpl final : public N::PropertyType {
public:
    using N::PropertyType::PropertyType;
    UString ToText(const N::Property* value) override {
        auto* p = static_cast<const PropertyPath*>(value);
        UString text = p->First();
        if (!p->Rest().IsEmpty()) {
            text += '.';
            text += p->Rest();
        }
        return text;
    }
    N::Property* Convert(N::Property* value) override {
        if (value && value->GetType() == this) return value;
        if (!N::IsA(value, N::StringType())) return nullptr;
        auto* path = new PropertyPath(N::ToText(value));
        value->Release();
        return path;
    }
};

}  // namespace

N_DEFINE_TYPE(PropertyPath, "PropertyPath", PropertyPathTypeImpl, N::StringType(),
              [](N::TypeBuilder& t) { t.Flags(N::PropertyType::TextOnly); });

PropertyPath::PropertyPath(const UString& text) : N::Property(StaticType(), text.BeforeFirst('.')) {
    rest_ = text.AfterFirst('.');
}
