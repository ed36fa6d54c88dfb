#pragma once
// N::Element: a value object with a map of named property values and a list
// of property listeners. Values are set and read by name. The effective
// value of a property is its local value, else (for types with the
// UsesValueHook flag) what the type's GetValueHook finds (the active style),
// else the declared default.
//
// Seams for later layers, overridden by the classes that own them:
//   GetParent()               the visual tree's parent link (null here);
//   RaiseLayoutFlags(bits)    layout invalidation raised by property metadata;
//   ReevaluateStyleTriggers() the style's trigger step after a change.

#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/core/PropertyListener.h"
#include "ui/core/PropertyMetadata.h"
#include "ui/core/PropertyType.h"
#include "ui/core/TypeRegistration.h"

namespace N {

class Collection;

// Hash and equality of property names; lookups by std::string_view do not
// allocate.
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const noexcept;
};
struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept { return a == b; }
};

class Element : public Property {
public:
    N_DECLARE_TYPE();  // "Element"

    using PropertyMap = std::unordered_map<UString, Property*, NameHash, NameEqual>;
    struct ListenerEntry {
        UString key;
        std::vector<PropertyListener*> listeners;
    };
    using EntryList = std::vector<ListenerEntry>;

    // Walks the local values in map order. Returned by GetProperties, owned
    // by the caller. First and Next give null at the end.
    class PropertyIterator {
    public:
        virtual ~PropertyIterator() = default;
        virtual Property* Current() = 0;
        virtual Property* First(UString* name) = 0;
        virtual Property* Next(UString* name) = 0;
        // Replaces the current entry's value; no reference counting.
        virtual void ReplaceCurrent(Property* value) = 0;
    };

    Element();
    explicit Element(PropertyType* type) noexcept : Property(type) {}
    ~Element() override;

    bool SetValue(std::string_view name, Property* value);
    Property* GetValue(std::string_view name);
    Property* GetLocalValue(const PropertyType* type, std::string_view name);
    void NotifyPropertyChanged(const UString& name, Property* newValue, Property* oldValue);
    void AddListener(const UString& key, PropertyListener* listener);
    PropertyIterator* GetProperties();
    Collection* GetChildren(bool create);

    // Local values (null until the first SetValue).
    const PropertyMap* LocalValues() const noexcept { return map_; }
    size_t LocalValueCount() const noexcept { return map_ ? map_->size() : 0; }

    // Seams (see the top of this file).
    virtual Element* GetParent() const { return nullptr; }
    virtual void RaiseLayoutFlags(uint32_t /*layoutBits*/) {}
    virtual void ReevaluateStyleTriggers(const PropertyChangedArgs& /*args*/) {}

private:
    friend bool SetValue(Element*, std::string_view, Property*);
    friend void NotifyPropertyChanged(Element*, const UString&, Property*, Property*);
    friend void AddListener(Element*, const UString&, PropertyListener*);
    PropertyMap* map_ = nullptr;
    EntryList* entries_ = nullptr;
};

// The element operations; a null element yields false or null.
bool SetValue(Element* element, std::string_view name, Property* value);
Property* GetValue(Element* element, std::string_view name);
Property* GetLocalValue(Element* element, const PropertyType* type, std::string_view name);
void NotifyPropertyChanged(Element* element, const UString& name, Property* newValue,
                           Property* oldValue);
void AddListener(Element* element, const UString& key, PropertyListener* listener);
Collection* GetChildren(Element* element, bool create);
Element* FindByProperty(Element* element, std::string_view name, Property* value, bool deep);
void CopyProperties(Element* target, Element* source, bool deep);
// New element with one reference, properties copied deep; null when the
// source's type is abstract.
Element* CloneElement(Element* source);
// CreateInstance plus a shallow copy of the properties.
Element* CloneElementShallow(Element* source);

// The element cast of a value, or null when it is not an element.
Element* AsElement(Property* value) noexcept;

}  // namespace N
