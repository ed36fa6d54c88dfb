#pragma once
// N::ElementMap: a value object (no type) holding a name-to-element hash
// map, optionally owning its values (released when the map goes).

#include <unordered_map>

#include "ui/core/Element.h"

namespace N {

using BaseElementMap = std::unordered_map<UString, Element*, NameHash, NameEqual>;

class ElementMap : public Property {
public:
    explicit ElementMap(bool ownsValues) noexcept : owns_(ownsValues) {}
    ~ElementMap() override;

    // The slot for name, created holding null when missing. When the map
    // owns its values, a slot holds one reference: release the old value
    // before storing a new one.
    Element*& Slot(std::string_view name);
    // The element stored under name, or null.
    Element* Find(std::string_view name) const;
    bool OwnsValues() const noexcept { return owns_; }
    const BaseElementMap& Map() const noexcept { return map_; }

private:
    BaseElementMap map_;
    bool owns_;
};

}  // namespace N
