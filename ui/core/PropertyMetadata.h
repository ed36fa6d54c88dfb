#pragma once
// Metadata of a declared property: an Int value whose integer is the
// declaration's flags word, plus an optional change handler (a member
// function of the owning element class). FrameworkPropertyMetadata also maps
// its flags to layout invalidation and lets the element's style re-evaluate
// its triggers; both steps go through virtuals of N::Element
// (RaiseLayoutFlags, ReevaluateStyleTriggers) that the layout and style code
// override.

#include "ui/core/Property.h"

namespace N {

class Element;
class PropertyMetadata;

struct PropertyChangedArgs {
    UString name;
    Property* oldValue = nullptr;  // borrowed, may be null
    Property* newValue = nullptr;  // borrowed, may be null
    PropertyMetadata* metadata = nullptr;
};

using PropertyChangedHandler = void (Element::*)(const PropertyChangedArgs& args);

// Flags of FrameworkPropertyMetadata (4 and 8 have no effect).
enum MetadataFlag : uint32_t {
    AffectsMeasure = 1,
    AffectsArrange = 2,
    AffectsRender = 16,
};

// Layout flag bits raised on the element (the layout code owns their meaning).
enum RaisedLayoutFlag : uint32_t {
    LayoutMeasureInvalid = 2,
    LayoutRenderInvalid = 4,
    LayoutArrangeInvalid = 8,
};

class PropertyMetadata : public Property {
public:
    explicit PropertyMetadata(uint32_t flags, PropertyChangedHandler handler = nullptr);
    template <class C>
    PropertyMetadata(uint32_t flags, void (C::*handler)(const PropertyChangedArgs&))
        : PropertyMetadata(flags, static_cast<PropertyChangedHandler>(handler)) {}

    uint32_t MetadataFlags() const noexcept { return static_cast<uint32_t>(IntPayload()); }
    PropertyChangedHandler Handler() const noexcept { return handler_; }

    // Calls the handler, when there is one, with a PropertyChangedArgs.
    virtual void PropertyChanged(Element* element, const UString& name, Property* newValue,
                                 Property* oldValue);

private:
    PropertyChangedHandler handler_;
};

class FrameworkPropertyMetadata : public PropertyMetadata {
public:
    using PropertyMetadata::PropertyMetadata;
    // Handler, then layout invalidation, then the style trigger step.
    void PropertyChanged(Element* element, const UString& name, Property* newValue,
                         Property* oldValue) override;
    // The layout bits a metadata flags word raises.
    static uint32_t LayoutBitsFor(uint32_t metadataFlags) noexcept;
};

// Owned metadata for a declaration.
inline Ref<PropertyMetadata> Metadata(uint32_t flags, PropertyChangedHandler handler = nullptr) {
    return Adopt(new PropertyMetadata(flags, handler));
}
template <class C>
Ref<PropertyMetadata> Metadata(uint32_t flags, void (C::*handler)(const PropertyChangedArgs&)) {
    return Adopt(new PropertyMetadata(flags, handler));
}
inline Ref<PropertyMetadata> FrameworkMetadata(uint32_t flags, PropertyChangedHandler handler = nullptr) {
    return Adopt<PropertyMetadata>(new FrameworkPropertyMetadata(flags, handler));
}
template <class C>
Ref<PropertyMetadata> FrameworkMetadata(uint32_t flags, void (C::*handler)(const PropertyChangedArgs&)) {
    return Adopt<PropertyMetadata>(new FrameworkPropertyMetadata(flags, handler));
}

}  // namespace N
