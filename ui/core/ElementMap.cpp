#include "ui/core/ElementMap.h"

namespace N {

ElementMap::~ElementMap() {
    if (!owns_) return;
    for (auto& entry : map_)
        if (entry.second) entry.second->Release();
}

Element*& ElementMap::Slot(std::string_view name) {
    auto it = map_.find(name);
    if (it == map_.end()) it = map_.emplace(UString(name.data(), name.size()), nullptr).first;
    return it->second;
}

Element* ElementMap::Find(std::string_view name) const {
    auto it = map_.find(name);
    return it == map_.end() ? nullptr : it->second;
}

}  // namespace N
