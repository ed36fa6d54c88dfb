#pragma once
// The six primitive value kinds ("Null", "Int", "Boolean", "String",
// "Double", "UInt64") and "x:Type", the metaclass of metaclasses. They are
// not in the registry; code reaches them through the accessors below.
// Factories return owned values; LocalValue is a stack value for passing
// to SetValue without allocating (ShareValue copies it).

#include "ui/core/PropertyType.h"

namespace N {

class NullTypeImpl : public PropertyType {
public:
    NullTypeImpl();
    UString ToText(const Property* value) override;
};

class IntTypeImpl : public PropertyType {
public:
    IntTypeImpl();
    UString ToText(const Property* value) override;
    Property* Convert(Property* value) override;
};

class BoolTypeImpl : public PropertyType {
public:
    BoolTypeImpl();
    UString ToText(const Property* value) override;
    Property* CloneValue(Property* value) override;
    Property* Convert(Property* value) override;
};

class StringTypeImpl : public PropertyType {
public:
    StringTypeImpl();
    UString ToText(const Property* value) override;
};

class DoubleTypeImpl : public PropertyType {
public:
    DoubleTypeImpl();
    UString ToText(const Property* value) override;
    Property* Convert(Property* value) override;
};

class UInt64TypeImpl : public PropertyType {
public:
    UInt64TypeImpl();
    UString ToText(const Property* value) override;
};

// "x:Type": values are the metaclass objects themselves.
class PropertyTypeTypeImpl : public PropertyType {
public:
    PropertyTypeTypeImpl();
    UString ToText(const Property* value) override;  // {x:Type Name}
    Property* CloneValue(Property* value) override;  // the same type, referenced
};

PropertyType* NullType();
PropertyType* IntType();
PropertyType* BoolType();
PropertyType* StringType();
PropertyType* DoubleType();
PropertyType* UInt64Type();
PropertyType* PropertyTypeType();  // "x:Type"

// Owned primitive values.
Ref<Property> Int(int32_t v);
Ref<Property> Double(double v);
Ref<Property> Bool(bool v);  // TrueValue or FalseValue
Ref<Property> String(const UString& v);
Ref<Property> UInt64(uint64_t v);

// A caller-owned primitive value, e.g. N::LocalValue v("12"); SetValue(e, "Width", &v);
class LocalValue : public Property {
public:
    explicit LocalValue(int32_t v);
    explicit LocalValue(double v);
    explicit LocalValue(bool v);
    explicit LocalValue(const char* v);
    explicit LocalValue(const UString& v);
};

}  // namespace N
