#include "ui/core/PropertyValues.h"

#include <bit>
#include <cmath>
#include <limits>

#include "ui/core/CNumber.h"
#include "ui/core/Element.h"
#include "ui/core/Enum.h"
#include "ui/core/PrimitiveTypes.h"

namespace N {

UString ToText(const Property* value) {
    if (!value) return {};
    PropertyType* type = value->GetType();
    if (!type) return {};
    if (type == StringType()) return value->StringPayload();
    return type->ToText(value);
}

namespace {

// Lower-cased text equal to "true" or "yes". No character outside ASCII
// lower-cases to one of these letters, so an ASCII comparison is exact.
bool IsTrueOrYes(const UString& text) {
    return text.CompareNoCase("true") == 0 || text.CompareNoCase("yes") == 0;
}

bool IsTrueWord(const UString& text) {
    if (text.IsEmpty() || (text[0] >= '0' && text[0] <= '9')) return false;
    return IsTrueOrYes(text);
}

int32_t RoundHalfAway(double d) {
    if (std::isnan(d)) return 0;
    double r = d > 0 ? d + 0.5 : d - 0.5;
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

}  // namespace

int32_t ToInt(const Property* value) {
    if (!value) return 0;
    PropertyType* type = value->GetType();
    if (IsA(type, DoubleType())) return RoundHalfAway(value->DoublePayload());
    if (IsA(type, IntType())) return value->IntPayload();
    if (type == BoolType()) return value->Word(0) ? 1 : 0;
    if (type == StringType()) {
        const UString& text = value->StringPayload();
        if (IsTrueWord(text)) return 1;
        return ParseInt(text.View());
    }
    return 0;
}

bool ToBool(const Property* value) {
    if (!value) return false;
    if (IsA(value, StringType())) {
        const UString& text = value->StringPayload();
        if (IsTrueOrYes(text)) return true;
        return ParseInt(text.View()) != 0;
    }
    return value->Word(0) != 0;
}

double ToDouble(const Property* value) {
    if (!value) return 0.0;
    PropertyType* type = value->GetType();
    if (IsA(type, DoubleType())) return value->DoublePayload();
    if (type == IntType()) return value->IntPayload();
    if (type == StringType()) return ReadNumber(value->StringPayload().View());
    return 0.0;
}

uint64_t ToUInt64(const Property* value) {
    if (!value) return 0;
    PropertyType* type = value->GetType();
    if (type == UInt64Type()) return value->Word(0);
    if (type == IntType()) return static_cast<uint64_t>(static_cast<int64_t>(value->IntPayload()));
    if (type == DoubleType()) {
        double d = value->DoublePayload() + 0.5;
        if (!(d > 0)) return 0;
        if (d >= 18446744073709551615.0) return std::numeric_limits<uint64_t>::max();
        return static_cast<uint64_t>(d);
    }
    return 0;
}

bool Equals(const Property* a, const Property* b) {
    if (a == b) return true;
    if (!b) return false;
    PropertyType* tb = b->GetType();
    if (!a) return tb == BoolType() && !ToBool(b);
    if (tb == IntType()) return ToInt(a) == ToInt(b);
    if (tb == BoolType()) return ToBool(a) == ToBool(b);
    if (tb == DoubleType()) return ToDouble(a) == ToDouble(b);
    PropertyType* ta = a->GetType();
    if (!ta) return false;
    if ((ta == NullType()) != (tb == NullType())) return false;
    if (ta->HasFlag(PropertyType::ValueKind) && tb && tb->HasFlag(PropertyType::ValueKind))
        return ToText(a) == ToText(b);
    return ta->ValueEquals(a, b);
}

Property* ShareValue(Property* value) {
    if (!value) return nullptr;
    PropertyType* type = value->GetType();
    if (!type) {
        value->AddRef();
        return value;
    }
    bool valueKind = type->HasFlag(PropertyType::ValueKind) || type->Name().IsEmpty();
    if (valueKind && type != BoolType() && !IsA(type, EnumType())) return value->CopyBox();
    if (value->IsTemporary()) {
        if (Property* clone = type->CloneValue(value)) return clone;
        // A stack element whose type has no CloneValue is copied as an
        // element: keeping a pointer to it would dangle once the caller's
        // frame is gone.
        if (Element* element = AsElement(value))
            if (Element* copy = CloneElement(element)) return copy;
    }
    value->AddRef();
    return value;
}

}  // namespace N
