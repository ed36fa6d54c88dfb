#include "ZA2Durizez/core/BatchFileItem.h"

namespace {
// Starts at 0 and grows by one per item created, on any thread.
std::atomic<int32_t> gNextItemId{0};
}  // namespace

BatchFileItem::BatchFileItem(const wxString& path)
    : path_(path), id_(gNextItemId.fetch_add(1, std::memory_order_relaxed)) {}
