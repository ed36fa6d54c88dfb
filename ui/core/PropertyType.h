#pragma once
// N::PropertyType: the metaclass of a UI class or value type, and the
// process-wide registry of metaclasses (FindType, CreateInstanceByName).
// Each UI class has one static metaclass object named after it with the
// suffix TypeImpl; see TypeRegistration.h for how a class declares it.

#include <string_view>
#include <vector>

#include "ui/core/Property.h"

namespace N {

class Element;
struct PropertyDeclaration;

class PropertyType : public Property {
public:
    enum Flag : uint32_t {
        FlagsResolved = 1,  // the base chain's flags have been merged in
        ValueKind = 2,      // primitive or enumeration: equal when the text forms are
        CloneByValue = 4,   // CloneElement copies through CloneValue
        TextOnly = 8,       // the element dump writes values as text
        UsesValueHook = 16  // GetValue consults GetValueHook for unset properties
    };

    // A registered type: starts with its base's flags less ValueKind and
    // TextOnly, and is appended to the registry.
    PropertyType(const char* name, PropertyType* base);
    // A primitive type: flags = ValueKind, not registered.
    explicit PropertyType(const char* name);
    ~PropertyType() override;

    virtual uint32_t ResolveFlags();
    // Text form of a value of this type. Default: "Name:" and an identity.
    virtual UString ToText(const Property* value);
    // New instance with one reference, or null (abstract classes, primitives).
    virtual Property* CreateInstance();
    // New copy with one reference, or null.
    virtual Property* CloneValue(Property* value);
    // A value of this type with one reference, or null; consumes one
    // reference of its argument when it returns a new object.
    virtual Property* Convert(Property* value);
    // Default: the same object.
    virtual bool ValueEquals(const Property* a, const Property* b);
    // Borrowed value for an unset property, or null. Default: the base's hook
    // when UsesValueHook is set (this is where the style lookup plugs in).
    virtual Property* GetValueHook(Element* element, std::string_view name);

    uint32_t Flags() const noexcept { return flags_; }
    bool HasFlag(uint32_t f) const noexcept { return (flags_ & f) != 0; }
    void AddFlags(uint32_t f) noexcept { flags_ |= f; }
    PropertyType* Base() const noexcept { return base_; }
    const UString& Name() const noexcept { return name_; }

    // Declarations of this type, in registration order.
    PropertyDeclaration* FirstDeclaration() const noexcept { return first_; }
    void AppendDeclaration(PropertyDeclaration* declaration);

    // Every registered type, in registration order.
    static const std::vector<PropertyType*>& List();

protected:
    struct SelfTypedTag {};
    // Used by "x:Type" only: its own type is itself.
    PropertyType(const char* name, SelfTypedTag);

private:
    uint32_t flags_ = 0;
    PropertyType* base_ = nullptr;
    UString name_;
    PropertyDeclaration* first_ = nullptr;
    PropertyDeclaration* last_ = nullptr;
};

// True when type is ancestor or derives from it; a null type is nothing.
bool IsA(const PropertyType* type, const PropertyType* ancestor) noexcept;
bool IsA(const Property* value, const PropertyType* ancestor) noexcept;

// The first registered type named name (byte comparison), or null.
PropertyType* FindType(std::string_view name);
// FindType then CreateInstance: a new instance with one reference, or null.
Property* CreateInstanceByName(std::string_view name);

}  // namespace N
