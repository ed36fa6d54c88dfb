#include "ui/markup/MarkupVocabulary.h"

#include "ui/core/PrimitiveTypes.h"

N_ELEMENT_TYPE(TriggerAction, N::Element);
N_ELEMENT_TYPE(FrameworkTemplate, N::Element);
N_ELEMENT_TYPE(ControlTemplate, FrameworkTemplate, [](N::TypeBuilder& t) {
    t.Property("DefaultProperty", N::String("VisualTreeRootNode"));
    t.Property("VisualTreeRootNode", N::UnsetValue(),
               N::FrameworkMetadata(N::AffectsMeasure, &ControlTemplate::OnVisualTreeChanged));
});

namespace {
class NameScopeTypeImpl final : public N::PropertyType {
public:
    using N::PropertyType::PropertyType;
};
}  // namespace
N_DEFINE_TYPE(NameScope, "NameScope", NameScopeTypeImpl, nullptr);
