#include "ui/core/PropertyType.h"

#include <unordered_map>

#include "ui/core/CNumber.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyDeclaration.h"

namespace N {

namespace {

struct Registry {
    std::vector<PropertyType*> list;
    // Name -> first registered type of that name. Keys view the types' own
    // names, which never change.
    std::unordered_map<std::string_view, PropertyType*> index;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

PropertyType::PropertyType(const char* name, PropertyType* base)
    : Property(PropertyTypeType()), base_(base), name_(name) {
    MarkImmortal();
    if (base_) flags_ = base_->flags_ & ~static_cast<uint32_t>(ValueKind | TextOnly);
    Registry& registry = TheRegistry();
    registry.list.push_back(this);
    registry.index.try_emplace(name_.View(), this);
}

PropertyType::PropertyType(const char* name) : Property(PropertyTypeType()), flags_(ValueKind), name_(name) {
    MarkImmortal();
}

PropertyType::PropertyType(const char* name, SelfTypedTag) : Property(nullptr), name_(name) {
    SetType(this);
    MarkImmortal();
}

PropertyType::~PropertyType() = default;

const std::vector<PropertyType*>& PropertyType::List() { return TheRegistry().list; }

uint32_t PropertyType::ResolveFlags() {
    if (flags_ != 0) return flags_;
    flags_ = base_ ? (base_->ResolveFlags() | FlagsResolved) : FlagsResolved;
    return flags_;
}

UString PropertyType::ToText(const Property* value) {
    auto address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value));
    return FormatC("%s:%xp", name_.c_str(), address);
}

Property* PropertyType::CreateInstance() { return nullptr; }
Property* PropertyType::CloneValue(Property*) { return nullptr; }
Property* PropertyType::Convert(Property*) { return nullptr; }
bool PropertyType::ValueEquals(const Property* a, const Property* b) { return a == b; }

Property* PropertyType::GetValueHook(Element* element, std::string_view name) {
    if ((flags_ & UsesValueHook) && base_) return base_->GetValueHook(element, name);
    return nullptr;
}

void PropertyType::AppendDeclaration(PropertyDeclaration* declaration) {
    declaration->next = nullptr;
    if (last_)
        last_->next = declaration;
    else
        first_ = declaration;
    last_ = declaration;
}

bool IsA(const PropertyType* type, const PropertyType* ancestor) noexcept {
    for (; type; type = type->Base())
        if (type == ancestor) return true;
    return false;
}

bool IsA(const Property* value, const PropertyType* ancestor) noexcept {
    return value && IsA(value->GetType(), ancestor);
}

PropertyType* FindType(std::string_view name) {
    const auto& index = TheRegistry().index;
    auto it = index.find(name);
    return it == index.end() ? nullptr : it->second;
}

Property* CreateInstanceByName(std::string_view name) {
    PropertyType* type = FindType(name);
    return type ? type->CreateInstance() : nullptr;
}

}  // namespace N
