#pragma once
// The object model's view of a markup extension: SetValue stores such a
// value unchanged (no conversion) and notifies with its provided value;
// GetValue returns ProvideValue() instead of the extension. The markup
// layer's MarkupExtension class derives from this.

#include "ui/core/Element.h"

namespace N {

class MarkupExtensionBase : public Element {
public:
    explicit MarkupExtensionBase(PropertyType* type) noexcept : Element(type) {
        AddBoxFlags(ValueProviderBox);
    }
    // The value the extension stands for, borrowed, or null.
    virtual Property* ProvideValue() = 0;
};

// ProvideValue of a value known to be a markup extension.
inline Property* ProvidedValue(Property* value) {
    return static_cast<MarkupExtensionBase*>(value)->ProvideValue();
}

}  // namespace N
