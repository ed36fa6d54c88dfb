#include "ui/core/PrimitiveTypes.h"

#include <bit>

#include "ui/core/CNumber.h"
#include "ui/core/PropertyValues.h"

namespace N {

NullTypeImpl::NullTypeImpl() : PropertyType("Null") {}
UString NullTypeImpl::ToText(const Property*) { return "Null"; }

// Int and Double read a value only when its trimmed text starts with a
// digit: a leading sign is not accepted.
static bool StartsWithDigit(const Property* value) {
    UString text = N::ToText(value).Trim();
    return !text.IsEmpty() && text[0] >= '0' && text[0] <= '9';
}

IntTypeImpl::IntTypeImpl() : PropertyType("Int") {}
UString IntTypeImpl::ToText(const Property* value) { return FormatC("%d", value ? value->IntPayload() : 0); }
Property* IntTypeImpl::Convert(Property* value) {
    if (!value || !StartsWithDigit(value)) return nullptr;
    Property* result = Int(ToInt(value)).Detach();
    value->Release();
    return result;
}

BoolTypeImpl::BoolTypeImpl() : PropertyType("Boolean") {}
UString BoolTypeImpl::ToText(const Property* value) {
    static const UString trueText("True"), falseText("False");
    return value && value->Word(0) ? trueText : falseText;
}
Property* BoolTypeImpl::CloneValue(Property* value) { return Bool(value && value->Word(0) != 0).Detach(); }
Property* BoolTypeImpl::Convert(Property* value) {
    if (!value) return nullptr;
    bool result = (IsA(value, StringType()) && value->StringPayload().Lower() == "true") || ToInt(value) != 0;
    value->Release();
    return Bool(result).Detach();
}

StringTypeImpl::StringTypeImpl() : PropertyType("String") {}
UString StringTypeImpl::ToText(const Property* value) { return value ? value->StringPayload() : UString(); }

DoubleTypeImpl::DoubleTypeImpl() : PropertyType("Double") {}
UString DoubleTypeImpl::ToText(const Property* value) {
    return FormatC("%g", value ? value->DoublePayload() : 0.0);
}
Property* DoubleTypeImpl::Convert(Property* value) {
    if (!value || !StartsWithDigit(value)) return nullptr;
    Property* result = Double(ToDouble(value)).Detach();
    value->Release();
    return result;
}

UInt64TypeImpl::UInt64TypeImpl() : PropertyType("UInt64") {}
UString UInt64TypeImpl::ToText(const Property* value) {
    uint64_t v = value ? value->Word(0) : 0;
    return FormatC("0x%08x%08x", static_cast<unsigned>(v >> 32), static_cast<unsigned>(v & 0xffffffffu));
}

PropertyTypeTypeImpl::PropertyTypeTypeImpl() : PropertyType("x:Type", SelfTypedTag{}) {
    AddFlags(CloneByValue | TextOnly);
}
UString PropertyTypeTypeImpl::ToText(const Property* value) {
    UString text("{");
    text.Append(Name());
    text.Append(' ');
    if (value)
        text.Append(static_cast<const PropertyType*>(value)->Name());
    else
        text.Append("NULL");
    text.Append('}');
    return text;
}
Property* PropertyTypeTypeImpl::CloneValue(Property* value) {
    if (value) value->AddRef();
    return value;
}

// The metaclass objects are function statics, constructed on first use, so
// that any start-up code may reach them whatever the order of initialisers.
PropertyType* PropertyTypeType() {
    static PropertyTypeTypeImpl type;
    return &type;
}
PropertyType* NullType() {
    static NullTypeImpl type;
    return &type;
}
PropertyType* IntType() {
    static IntTypeImpl type;
    return &type;
}
PropertyType* BoolType() {
    static BoolTypeImpl type;
    return &type;
}
PropertyType* StringType() {
    static StringTypeImpl type;
    return &type;
}
PropertyType* DoubleType() {
    static DoubleTypeImpl type;
    return &type;
}
PropertyType* UInt64Type() {
    static UInt64TypeImpl type;
    return &type;
}

Ref<Property> Int(int32_t v) { return Adopt(new Property(IntType(), static_cast<uint32_t>(v))); }
Ref<Property> Double(double v) { return Adopt(new Property(DoubleType(), std::bit_cast<uint64_t>(v))); }
Ref<Property> Bool(bool v) { return Ref<Property>(v ? TrueValue() : FalseValue()); }
Ref<Property> String(const UString& v) { return Adopt(new Property(StringType(), v)); }
Ref<Property> UInt64(uint64_t v) { return Adopt(new Property(UInt64Type(), v)); }

LocalValue::LocalValue(int32_t v) : Property(IntType(), static_cast<uint32_t>(v)) { MarkTemporary(); }
LocalValue::LocalValue(double v) : Property(DoubleType(), std::bit_cast<uint64_t>(v)) { MarkTemporary(); }
LocalValue::LocalValue(bool v) : Property(BoolType(), v ? 1 : 0) { MarkTemporary(); }
LocalValue::LocalValue(const char* v) : Property(StringType(), UString(v)) { MarkTemporary(); }
LocalValue::LocalValue(const UString& v) : Property(StringType(), v) { MarkTemporary(); }

}  // namespace N
