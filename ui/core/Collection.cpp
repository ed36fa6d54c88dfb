#include "ui/core/Collection.h"

#include <string>

#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

namespace N {

namespace {
class CollectionTypeImpl final : public PropertyType {
public:
    using PropertyType::PropertyType;
    Property* CreateInstance() override { return new Collection(); }
};
}  // namespace

N_DEFINE_TYPE(Collection, "Collection", CollectionTypeImpl, Element::StaticType());

Collection::Collection() : Element(StaticType()) {}

Collection::~Collection() {
    for (Property* item : items_)
        if (item) item->Release();
}

void Collection::NotifyCount() {
    static const UString count("Count");
    NotifyPropertyChanged(count, nullptr, nullptr);
}

int32_t Collection::Add(Property* item) {
    size_t at = items_.size();
    if (sortKeys_.Count() != 0 && !items_.empty()) {
        Element* element = AsElement(item);
        std::vector<Property*> keys;
        for (const UString& key : sortKeys_) keys.push_back(N::GetValue(element, key));
        for (size_t i = 0; i < items_.size(); ++i) {
            Element* existing = AsElement(items_[i]);
            int order = 0;
            for (size_t k = 0; k < keys.size() && order == 0; ++k)
                order = CompareKeyValues(keys[k], N::GetValue(existing, sortKeys_[k]));
            if (order < 0) {
                at = i;
                break;
            }
        }
    }
    if (item) item->AddRef();
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), item);
    NotifyCount();
    return static_cast<int32_t>(at);
}

int32_t Collection::AddRange(Collection* other) {
    int32_t last = -1;
    if (!other || other == this) return last;
    for (int32_t i = 0; i < other->Count(); ++i) last = Add(other->Item(i));
    return last;
}

int32_t Collection::Insert(Property* item, int32_t index) {
    if (!item) return 0;
    if (index < 0 || index >= Count()) index = Count();
    item->AddRef();
    items_.insert(items_.begin() + index, item);
    NotifyCount();
    return index;
}

int32_t Collection::Remove(Property* item, int32_t index) {
    if (item) index = IndexOf(item);
    if (index < 0 || index >= Count()) return -1;
    Property* removed = items_[static_cast<size_t>(index)];
    items_.erase(items_.begin() + index);
    NotifyCount();
    if (removed) removed->Release();
    return index;
}

void Collection::RemoveLast() {
    if (items_.empty()) return;
    Property* removed = items_.back();
    items_.pop_back();
    NotifyCount();
    if (removed) removed->Release();
}

int32_t Collection::IndexOf(const Property* item) const noexcept {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == item) return static_cast<int32_t>(i);
    return -1;
}

int Collection::CompareOrder(const Property* a, const Property* b) const noexcept {
    if (a == b) return 0;
    for (Property* item : items_) {
        if (item == a) return -1;
        if (item == b) return 1;
    }
    return 0;
}

int CompareKeyValues(Property* a, Property* b) {
    if (a == b) return 0;
    if (a && IsA(a, IntType())) {
        int32_t x = ToInt(a);
        if (!b) return x < 0 ? -1 : 1;
        int32_t y = ToInt(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (b && IsA(b, IntType())) {
        int32_t x = ToInt(a), y = ToInt(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    std::wstring wa = ToText(a).ToWide(), wb = ToText(b).ToWide();
    return wa.compare(wb) < 0 ? -1 : (wa == wb ? 0 : 1);
}

Element* FindByProperty(Collection* collection, std::string_view name, Property* value, bool deep) {
    if (!collection || !value) return nullptr;
    for (int32_t i = 0; i < collection->Count(); ++i) {
        Element* element = AsElement(collection->Item(i));
        if (!element) continue;
        Property* v = N::GetValue(element, name);
        if (v && Equals(v, value)) return element;
        if (!deep) continue;
        Element* hit = nullptr;
        if (Collection* inner = AsCollection(element))
            hit = FindByProperty(inner, name, value, true);
        else
            hit = FindByProperty(element, name, value, true);
        if (hit) return hit;
    }
    return nullptr;
}

Collection* CloneCollection(Collection* source, bool deep) {
    if (!source) return nullptr;
    Collection* copy = nullptr;
    if (PropertyType* type = source->GetType()) {
        Property* instance = type->CreateInstance();
        copy = AsCollection(instance);
        if (!copy && instance) instance->Release();
    }
    if (!copy) copy = new Collection();
    CopyProperties(copy, source, deep);
    for (int32_t i = 0; i < source->Count(); ++i) {
        Property* item = source->Item(i);
        Element* element = deep ? AsElement(item) : nullptr;
        Element* clone = element ? CloneElement(element) : nullptr;
        if (clone) {
            copy->Add(clone);
            clone->Release();
        } else {
            copy->Add(item);
        }
    }
    return copy;
}

Collection* AsCollection(Property* value) noexcept {
    return IsA(value, Collection::StaticType()) ? static_cast<Collection*>(value) : nullptr;
}

Collection* SharedEmptyCollection() {
    static Collection* const shared = [] {
        auto* c = new Collection();
        c->MarkImmortal();
        return c;
    }();
    return shared;
}

}  // namespace N
