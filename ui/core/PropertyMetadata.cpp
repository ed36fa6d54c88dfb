#include "ui/core/PropertyMetadata.h"

#include "ui/core/Element.h"
#include "ui/core/PrimitiveTypes.h"

namespace N {

PropertyMetadata::PropertyMetadata(uint32_t flags, PropertyChangedHandler handler)
    : Property(IntType(), flags), handler_(handler) {}

void PropertyMetadata::PropertyChanged(Element* element, const UString& name, Property* newValue,
                                       Property* oldValue) {
    if (!handler_ || !element) return;
    PropertyChangedArgs args{name, oldValue, newValue, this};
    (element->*handler_)(args);
}

uint32_t FrameworkPropertyMetadata::LayoutBitsFor(uint32_t metadataFlags) noexcept {
    uint32_t bits = 0;
    if (metadataFlags & AffectsMeasure) bits |= LayoutMeasureInvalid;
    if (metadataFlags & AffectsArrange) bits |= LayoutArrangeInvalid;
    if (metadataFlags & AffectsRender) bits |= LayoutRenderInvalid;
    return bits;
}

void FrameworkPropertyMetadata::PropertyChanged(Element* element, const UString& name, Property* newValue,
                                                Property* oldValue) {
    PropertyMetadata::PropertyChanged(element, name, newValue, oldValue);
    if (!element) return;
    if (uint32_t bits = LayoutBitsFor(MetadataFlags())) element->RaiseLayoutFlags(bits);
    PropertyChangedArgs args{name, oldValue, newValue, this};
    element->ReevaluateStyleTriggers(args);
}

}  // namespace N
