#include "ui/layout/FrameworkElement.h"

#include "ui/core/PrimitiveTypes.h"
#include "ui/markup/ResourceDictionary.h"

N_ELEMENT_TYPE(Visual, N::Element);

N_ELEMENT_TYPE(UIElement, Visual, [](N::TypeBuilder& t) {
    t.Property("Resources", ResourceDictionary::SharedEmpty());
    t.Property("IsEnabled", N::TrueValue(), N::FrameworkMetadata(0));
    t.Property("IsKeyboardFocused", N::FalseValue(), N::FrameworkMetadata(0));
    t.Property("IsMouseOver", N::FalseValue(), N::FrameworkMetadata(0));
});

namespace {
class FrameworkElementTypeImpl final : public StyledTypeImpl {
public:
    using StyledTypeImpl::StyledTypeImpl;
};
}  // namespace

N_DEFINE_TYPE(FrameworkElement, "FrameworkElement", FrameworkElementTypeImpl, UIElement::StaticType(),
              [](N::TypeBuilder& t) { t.Flags(N::PropertyType::UsesValueHook); });

FrameworkElement::FrameworkElement(N::PropertyType* type) : UIElement(type) {
    // Metaclasses may be built before their bases; bring the base chain's
    // flags (the value hook in particular) into this type now.
    if (type) type->ResolveFlags();
}
