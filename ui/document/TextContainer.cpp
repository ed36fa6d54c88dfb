#include "ui/document/TextContainer.h"

namespace {
class TextContainerTypeImpl final : public N::PropertyType {
public:
    using N::PropertyType::PropertyType;  // not creatable from markup
};
}  // namespace

N_DEFINE_TYPE(TextContainer, "TextContainer", TextContainerTypeImpl, nullptr);

TextContainer::TextContainer() : N::Element(StaticType()) {}
