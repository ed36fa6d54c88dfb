#include "ui/core/Enum.h"

#include <cstdlib>

#include "ui/core/CNumber.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

namespace N {

namespace {
class EnumRootTypeImpl final : public PropertyType {
public:
    EnumRootTypeImpl(const char* name, PropertyType* base) : PropertyType(name, base) { AddFlags(ValueKind); }
};
}  // namespace

N_DEFINE_TYPE(Enum, "Enum", EnumRootTypeImpl, IntType());

EnumTypeImpl::EnumTypeImpl(const char* name, PropertyType* base, std::initializer_list<EnumEntry> entries)
    : PropertyType(name, base), values_(new std::vector<Enum*>()) {
    AddFlags(ValueKind);
    for (const EnumEntry& e : entries) {
        names_.Add(e.name);
        integers_.push_back(e.value);
    }
}

void EnumTypeImpl::CreateValues() {
    for (int32_t v : integers_) {
        Enum* value = MakeValue(v);
        value->MarkImmortal();
        values_->push_back(value);
    }
}

bool EnumTypeImpl::IsDense() {
    if (dense_ < 0) {
        dense_ = 1;
        for (size_t i = 0; i < values_->size(); ++i)
            if ((*values_)[i]->Value() != static_cast<int32_t>(i)) dense_ = 0;
    }
    return dense_ == 1;
}

Enum* EnumTypeImpl::Predefined(int32_t value) {
    if (IsDense()) {
        if (value >= 0 && static_cast<size_t>(value) < values_->size()) return (*values_)[value];
        return nullptr;
    }
    for (Enum* e : *values_)
        if (e->Value() == value) return e;
    return nullptr;
}

long EnumTypeImpl::IndexOf(std::string_view text) const noexcept {
    for (size_t i = 0; i < names_.Count(); ++i)
        if (names_[i].View() == text) return static_cast<long>(i);
    return -1;
}

UString EnumTypeImpl::ToText(const Property* value) {
    if (!value) return {};
    for (size_t i = 0; i < values_->size(); ++i)
        if ((*values_)[i] == value) return names_[i];
    int32_t v = value->IntPayload();
    for (size_t i = 0; i < values_->size(); ++i)
        if ((*values_)[i]->Value() == v) return names_[i];
    return FormatC("%d", v);
}

Property* EnumTypeImpl::Convert(Property* value) {
    if (!value) return nullptr;
    if (IsA(value, EnumType())) return value;  // already an enumeration value
    int32_t integer;
    if (IsA(value, IntType())) {
        integer = value->IntPayload();
    } else {
        UString text = N::ToText(value).Trim();
        if (!text.IsEmpty() && text[0] >= '0' && text[0] <= '9') {
            integer = ParseInt(text.View());
        } else {
            long index = IndexOf(text.View());
            if (index < 0) return nullptr;
            Enum* found = (*values_)[static_cast<size_t>(index)];
            found->AddRef();
            value->Release();
            return found;
        }
    }
    Property* result = Predefined(integer);
    if (result)
        result->AddRef();
    else
        result = MakeValue(integer);
    value->Release();
    return result;
}

}  // namespace N
