#pragma once
// The items of the batch in the order added, the batch state and the total
// progress. Items are never removed: a cleared item stays with status Cleared.

#include <cstdint>
#include <memory>
#include <vector>

#include <wx/string.h>

#include "ZA2Durizez/core/BatchFileItem.h"

enum BatchState : int32_t {
    kBatchIdle = 0,
    kBatchRunning = 1,
    kBatchFinished = 2,
};

class BatchFileList {
public:
    BatchFileItem* Add(const wxString& path);
    size_t Count() const noexcept { return items_.size(); }
    BatchFileItem* Item(size_t index) const { return items_[index].get(); }

    // True when an item with exactly this path is Queued or Encoding.
    bool IsActive(const wxString& path) const;
    // True when any item is Queued or Encoding.
    bool AnyActive() const;

    int32_t State() const noexcept { return state_; }
    void SetState(int32_t state) noexcept { state_ = state; }
    // Whole-batch progress in thousandths.
    int32_t TotalProgress() const noexcept { return totalProgress_; }
    void SetTotalProgress(int32_t thousandths) noexcept { totalProgress_ = thousandths; }

private:
    int32_t totalProgress_ = 0;
    int32_t state_ = kBatchIdle;
    std::vector<std::unique_ptr<BatchFileItem>> items_;
};
