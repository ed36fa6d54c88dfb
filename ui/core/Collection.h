#pragma once
// N::Collection: an element holding an ordered list of owned value
// references. Every change of the list raises "Count" through
// NotifyPropertyChanged ("Count" is not stored). With sort keys set, Add
// inserts an item before the first existing item whose key values compare
// greater (equal keys keep insertion order).

#include <vector>

#include "ui/core/Element.h"
#include "ui/core/UStringArray.h"

namespace N {

class Collection : public Element {
public:
    N_DECLARE_TYPE();  // "Collection", base "Element"
    Collection();
    explicit Collection(PropertyType* type) noexcept : Element(type) {}
    ~Collection() override;

    int32_t Count() const noexcept { return static_cast<int32_t>(items_.size()); }
    // Borrowed item, or null out of range.
    Property* Item(int32_t index) const noexcept {
        return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)] : nullptr;
    }
    Property* const* begin() const noexcept { return items_.data(); }
    Property* const* end() const noexcept { return items_.data() + items_.size(); }

    // Takes a reference (null allowed); returns the index used.
    int32_t Add(Property* item);
    // Add for each item of other; returns the last index (-1 when none).
    int32_t AddRange(Collection* other);
    // Null is refused (returns 0); an index out of range appends.
    int32_t Insert(Property* item, int32_t index);
    // Removes item's first occurrence, or the item at index when item is
    // null; -1 when nothing was removed.
    int32_t Remove(Property* item, int32_t index = -1);
    void RemoveLast();
    int32_t IndexOf(const Property* item) const noexcept;
    bool Contains(const Property* item) const noexcept { return IndexOf(item) >= 0; }
    // 0 for the same object or when neither occurs; -1 when a comes first.
    int CompareOrder(const Property* a, const Property* b) const noexcept;

    void SetSortKeys(const UStringArray& names) { sortKeys_ = names; }
    const UStringArray& SortKeys() const noexcept { return sortKeys_; }

private:
    void NotifyCount();
    std::vector<Property*> items_;
    UStringArray sortKeys_;
};

// Negative, zero or positive: numbers (Int kinds) by value, others by text
// in code-point order.
int CompareKeyValues(Property* a, Property* b);

// The first item whose GetValue(name) Equals value; when deep, each item is
// searched in turn before moving on.
Element* FindByProperty(Collection* collection, std::string_view name, Property* value, bool deep);

// A new collection of the source's type with its properties and items
// (cloned items when deep). One reference.
Collection* CloneCollection(Collection* source, bool deep);

// The collection cast of a value, or null.
Collection* AsCollection(Property* value) noexcept;

// The shared empty collection used as a declared default; it must never
// receive items.
Collection* SharedEmptyCollection();

// A collection of items of one class; no data or behaviour of its own.
template <class T>
class TCollection : public Collection {
public:
    TCollection() = default;
    T* ItemAt(int32_t index) const noexcept { return static_cast<T*>(Item(index)); }
};

}  // namespace N
