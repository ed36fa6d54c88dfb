#include "ZA2Durizez/core/BatchFileList.h"

namespace {
bool IsActiveStatus(int32_t status) { return status == kJobQueued || status == kJobEncoding; }
}  // namespace

BatchFileItem* BatchFileList::Add(const wxString& path) {
    items_.push_back(std::make_unique<BatchFileItem>(path));
    return items_.back().get();
}

bool BatchFileList::IsActive(const wxString& path) const {
    for (const auto& item : items_) {
        if (IsActiveStatus(item->Status()) && item->Path() == path) {
            return true;
        }
    }
    return false;
}

bool BatchFileList::AnyActive() const {
    for (const auto& item : items_) {
        if (IsActiveStatus(item->Status())) {
            return true;
        }
    }
    return false;
}
