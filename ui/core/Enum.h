#pragma once
// Enumerations: N::Enum is an Int value whose payload is the enumeration's
// integer; N::EnumTypeImpl is the metaclass of one enumeration (base "Enum",
// a value kind) holding its names and one predefined value per name.
// Convert maps names (case-sensitive) and integers to the predefined values.

#include <initializer_list>
#include <vector>

#include "ui/core/PropertyType.h"
#include "ui/core/TypeRegistration.h"
#include "ui/core/UStringArray.h"

namespace N {

class Enum : public Property {
public:
    N_DECLARE_TYPE();  // "Enum", base "Int"
    Enum(PropertyType* type, int32_t value) noexcept : Property(type, static_cast<uint32_t>(value)) {}
    int32_t Value() const noexcept { return IntPayload(); }
};

// "Enum" itself.
inline PropertyType* EnumType() { return Enum::StaticType(); }

struct EnumEntry {
    const char* name;
    int32_t value;
};

class EnumTypeImpl : public PropertyType {
public:
    // entries: the names in order with their integers.
    EnumTypeImpl(const char* name, PropertyType* base, std::initializer_list<EnumEntry> entries);

    UString ToText(const Property* value) override;
    Property* Convert(Property* value) override;

    size_t Count() const noexcept { return names_.Count(); }
    const UString& NameAt(size_t i) const noexcept { return names_[i]; }
    // Predefined value at index i (borrowed).
    Enum* ValueAt(size_t i) const noexcept { return (*values_)[i]; }
    // The predefined value for an integer, or null.
    Enum* Predefined(int32_t value);
    // Index of the first name equal to text, or -1.
    long IndexOf(std::string_view text) const noexcept;

protected:
    // Creates one value of the enumeration's own class.
    virtual Enum* MakeValue(int32_t value) { return new Enum(this, value); }
    void CreateValues();  // called by derived constructors once MakeValue is theirs

private:
    bool IsDense();
    UStringArray names_;
    std::vector<int32_t> integers_;
    // Heap list that is never freed, so the predefined values stay reachable.
    std::vector<Enum*>* values_;
    int dense_ = -1;  // -1 not computed, 0 not dense, 1 dense
};

// Metaclass of enumeration class T (T derives from N::Enum and has a
// constructor (type, value)).
template <class T>
class EnumTypeImplT : public EnumTypeImpl {
public:
    EnumTypeImplT(const char* name, PropertyType* base, std::initializer_list<EnumEntry> entries)
        : EnumTypeImpl(name, base, entries) {
        CreateValues();
    }

protected:
    Enum* MakeValue(int32_t value) override { return new T(this, value); }
};

}  // namespace N

// Registers enumeration class Class (derived from N::Enum) with its names
// and values, e.g.
//     N_ENUM_TYPE(Orientation, {"Horizontal", 0}, {"Vertical", 1});
#define N_ENUM_TYPE(Class, ...)                                                     \
    class Class##TypeImpl final : public ::N::EnumTypeImplT<Class> {                \
    public:                                                                         \
        Class##TypeImpl(const char* name, ::N::PropertyType* base)                  \
            : ::N::EnumTypeImplT<Class>(name, base, {__VA_ARGS__}) {}               \
    };                                                                              \
    N_DEFINE_TYPE(Class, #Class, Class##TypeImpl, ::N::Enum::StaticType())

namespace N {
// The predefined value of enumeration class T for an integer (borrowed), or null.
template <class T>
Enum* EnumValue(int32_t value) {
    return static_cast<EnumTypeImpl*>(T::StaticType())->Predefined(value);
}
}  // namespace N
