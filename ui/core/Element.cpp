#include "ui/core/Element.h"

#include <functional>

#include "ui/core/Collection.h"
#include "ui/core/MarkupExtensionBase.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyDeclaration.h"
#include "ui/core/PropertyValues.h"

namespace N {

namespace {
class ElementTypeImpl final : public PropertyType {
public:
    using PropertyType::PropertyType;
    Property* CreateInstance() override { return new Element(); }
};

const UString& AnyKey() {
    static const UString any("*");
    return any;
}
}  // namespace

N_DEFINE_TYPE(Element, "Element", ElementTypeImpl, PropertyTypeType());

size_t NameHash::operator()(std::string_view s) const noexcept {
    // FNV-1a: property names are short, and this keeps lookups cheap.
    uint64_t h = 1469598103934665603ull;
    for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return static_cast<size_t>(h);
}

Element::Element() : Element(StaticType()) {}

Element::~Element() {
    delete entries_;
    if (map_) {
        for (auto& entry : *map_)
            if (entry.second) entry.second->Release();
        delete map_;
    }
}

Element* AsElement(Property* value) noexcept {
    return IsA(value, Element::StaticType()) ? static_cast<Element*>(value) : nullptr;
}

bool Element::SetValue(std::string_view name, Property* value) { return N::SetValue(this, name, value); }
Property* Element::GetValue(std::string_view name) { return N::GetValue(this, name); }
Property* Element::GetLocalValue(const PropertyType* type, std::string_view name) {
    return N::GetLocalValue(this, type, name);
}
void Element::NotifyPropertyChanged(const UString& name, Property* newValue, Property* oldValue) {
    N::NotifyPropertyChanged(this, name, newValue, oldValue);
}
void Element::AddListener(const UString& key, PropertyListener* listener) { N::AddListener(this, key, listener); }
Collection* Element::GetChildren(bool create) { return N::GetChildren(this, create); }

bool SetValue(Element* element, std::string_view name, Property* value) {
    if (!element || !value) return false;
    if (!element->map_) element->map_ = new Element::PropertyMap();
    Element::PropertyMap& map = *element->map_;
    Property* old = nullptr;
    Property* stored = nullptr;
    UString key;
    auto it = map.find(name);
    if (it != map.end()) {
        old = it->second;
        bool same = old && Equals(value, old);
        key = it->first;
        if (value->GetType() == NullType()) {
            map.erase(it);
        } else {
            stored = ShareValue(value);
            it->second = stored;
        }
        if (same) {
            if (old) old->Release();
            return false;
        }
    } else {
        if (value == UnsetValue()) return false;
        stored = ShareValue(value);
        PropertyDeclaration* declaration = FindPropertyDeclaration(element->GetType(), name);
        Property* def = declaration ? declaration->defaultValue : nullptr;
        if (def && !stored->IsValueProvider() && !IsA(stored, def->GetType()) && def->GetType() != NullType()) {
            // Convert consumes the extra reference when it succeeds, and
            // hands back a value with one reference of its own.
            stored->AddRef();
            Property* converted = def->GetType() ? def->GetType()->Convert(stored) : nullptr;
            if (!converted) {
                stored->Release();
                stored->Release();
                return false;
            }
            stored->Release();
            stored = converted;
        }
        key = UString(name.data(), name.size());
        map.emplace(key, stored);
    }
    // Listeners may change or drop the element's values, or its last
    // reference, while they run: keep both alive until notification ends.
    Ref<Element> keepElement(element);
    Ref<Property> keepValue(stored);
    Property* notified = stored && stored->IsValueProvider() ? ProvidedValue(stored) : stored;
    NotifyPropertyChanged(element, key, notified, old);
    if (old) old->Release();
    return true;
}

Property* GetValue(Element* element, std::string_view name) {
    if (!element) return nullptr;
    if (const Element::PropertyMap* map = element->LocalValues()) {
        auto it = map->find(name);
        if (it != map->end()) {
            Property* v = it->second;
            if (v && v->IsValueProvider()) return ProvidedValue(v);
            return v;
        }
    }
    PropertyType* type = element->GetType();
    if (!type) return nullptr;
    if (Property* hooked = type->GetValueHook(element, name)) return hooked;
    PropertyDeclaration* declaration = FindPropertyDeclaration(type, name);
    return declaration ? declaration->defaultValue : nullptr;
}

Property* GetLocalValue(Element* element, const PropertyType* type, std::string_view name) {
    if (!element || !element->LocalValues()) return nullptr;
    auto it = element->LocalValues()->find(name);
    if (it == element->LocalValues()->end()) return nullptr;
    return IsA(it->second, type) ? it->second : nullptr;
}

void NotifyPropertyChanged(Element* element, const UString& name, Property* newValue, Property* oldValue) {
    if (!element) return;
    if (PropertyDeclaration* declaration = FindPropertyDeclaration(element->GetType(), name)) {
        if (!newValue) newValue = declaration->defaultValue;
        if (declaration->metadata) declaration->metadata->PropertyChanged(element, name, newValue, oldValue);
    }
    if (!element->entries_) return;
    // Listeners may add listeners: index anew on every step.
    for (size_t i = 0; element->entries_ && i < element->entries_->size(); ++i) {
        if (!((*element->entries_)[i].key == name || (*element->entries_)[i].key == AnyKey())) continue;
        UString key = (*element->entries_)[i].key;
        for (size_t j = 0; j < (*element->entries_)[i].listeners.size(); ++j)
            (*element->entries_)[i].listeners[j]->OnPropertyChanged(element, key, newValue);
    }
}

void AddListener(Element* element, const UString& key, PropertyListener* listener) {
    if (!element || !listener) return;
    if (!element->entries_) element->entries_ = new Element::EntryList();
    for (Element::ListenerEntry& entry : *element->entries_) {
        if (entry.key != key) continue;
        for (PropertyListener* l : entry.listeners)
            if (l == listener) return;
        entry.listeners.push_back(listener);
        return;
    }
    element->entries_->push_back(Element::ListenerEntry{key, {listener}});
}

namespace {
class MapIteratorImpl final : public Element::PropertyIterator {
public:
    explicit MapIteratorImpl(Element::PropertyMap* map) : map_(map) {}
    Property* Current() override { return map_ && it_ != map_->end() ? it_->second : nullptr; }
    Property* First(UString* name) override {
        if (!map_) return nullptr;
        it_ = map_->begin();
        return Fill(name);
    }
    Property* Next(UString* name) override {
        if (!map_ || it_ == map_->end()) return nullptr;
        ++it_;
        return Fill(name);
    }
    void ReplaceCurrent(Property* value) override {
        if (map_ && it_ != map_->end()) it_->second = value;
    }

private:
    Property* Fill(UString* name) {
        if (it_ == map_->end()) return nullptr;
        if (name) *name = it_->first;
        return it_->second;
    }
    Element::PropertyMap* map_;
    Element::PropertyMap::iterator it_;
};
}  // namespace

Element::PropertyIterator* Element::GetProperties() { return new MapIteratorImpl(map_); }

Collection* GetChildren(Element* element, bool create) {
    if (!element) return nullptr;
    Property* children = GetValue(element, "Children");
    if (children) return AsCollection(children);
    if (!create) return nullptr;
    Ref<Collection> collection = Adopt(new Collection());
    if (!SetValue(element, "Children", collection)) return nullptr;
    return AsCollection(GetValue(element, "Children"));
}

namespace {
// Snapshot of an element's local values, so that callbacks run while
// walking them cannot invalidate the walk.
std::vector<std::pair<UString, Ref<Property>>> LocalValuesOf(Element* element) {
    std::vector<std::pair<UString, Ref<Property>>> values;
    if (const Element::PropertyMap* map = element->LocalValues()) {
        values.reserve(map->size());
        for (const auto& entry : *map) values.emplace_back(entry.first, Ref<Property>(entry.second));
    }
    return values;
}
}  // namespace

Element* FindByProperty(Element* element, std::string_view name, Property* value, bool deep) {
    if (!element || !value) return nullptr;
    if (!deep) return FindByProperty(GetChildren(element, false), name, value, false);
    Property* own = GetValue(element, name);
    if (own && Equals(own, value)) return element;
    if (!element->LocalValues()) return nullptr;
    for (const auto& entry : *element->LocalValues()) {
        Element* hit = nullptr;
        if (Collection* collection = AsCollection(entry.second))
            hit = FindByProperty(collection, name, value, true);
        else if (Element* child = AsElement(entry.second))
            hit = FindByProperty(child, name, value, true);
        if (hit) return hit;
    }
    return nullptr;
}

void CopyProperties(Element* target, Element* source, bool deep) {
    if (!target || !source) return;
    for (auto& [name, value] : LocalValuesOf(source)) {
        if (!value) continue;
        Ref<Property> copy = value;
        if (deep) {
            if (Collection* collection = AsCollection(value)) {
                copy = Adopt<Property>(CloneCollection(collection, true));
            } else if (Element* element = AsElement(value)) {
                if (Element* clone = CloneElement(element)) copy = Adopt<Property>(clone);
            }
        }
        SetValue(target, name, copy);
    }
}

namespace {
Element* NewInstanceLike(Element* source, bool allowCloneValue) {
    PropertyType* type = source->GetType();
    if (!type) return new Element();
    Property* instance = nullptr;
    if (allowCloneValue && type->HasFlag(PropertyType::CloneByValue)) instance = type->CloneValue(source);
    if (!instance) instance = type->CreateInstance();
    Element* element = AsElement(instance);
    if (!element && instance) instance->Release();
    return element;
}
}  // namespace

Element* CloneElement(Element* source) {
    if (!source) return nullptr;
    Element* clone = NewInstanceLike(source, true);
    if (clone) CopyProperties(clone, source, true);
    return clone;
}

Element* CloneElementShallow(Element* source) {
    if (!source) return nullptr;
    Element* clone = NewInstanceLike(source, false);
    if (clone) CopyProperties(clone, source, false);
    return clone;
}

}  // namespace N
