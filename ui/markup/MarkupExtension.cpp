#include "ui/markup/MarkupExtension.h"

N_ABSTRACT_TYPE(MarkupExtension, N::Element);

namespace {

class StaticResourceHolderTypeImpl final : public N::PropertyType {
public:
    using N::PropertyType::PropertyType;
    UString ToText(const N::Property* value) override {
        UString text("{StaticResource ");
        text += static_cast<const StaticResourceHolder*>(value)->Key();
        text += '}';
        return text;
    }
    N::Property* CloneValue(N::Property* value) override {
        auto* h = static_cast<StaticResourceHolder*>(value);
        return new StaticResourceHolder(h->Key(), h->ProvideValue());
    }
};

}  // namespace

N_DEFINE_TYPE(StaticResourceHolder, "StaticResourceHolder", StaticResourceHolderTypeImpl,
              MarkupExtension::StaticType(), [](N::TypeBuilder& t) {
                  t.Flags(N::PropertyType::CloneByValue | N::PropertyType::TextOnly);
              });

StaticResourceHolder::StaticResourceHolder(const UString& key, N::Property* resource)
    : MarkupExtension(StaticType()), key_(key), resource_(resource) {
    if (resource_) resource_->AddRef();
}

StaticResourceHolder::~StaticResourceHolder() {
    if (resource_) resource_->Release();
}
