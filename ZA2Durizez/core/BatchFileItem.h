#pragma once
// One queued input file. Status and progress are written by the job's thread
// and read by the main thread without locks: each is a single 32-bit value,
// so a stale read only delays the display.

#include <atomic>
#include <cstdint>

#include <wx/string.h>

#include "ZA2Durizez/core/JobStatus.h"

class BatchFileItem {
public:
    // Takes the next id of the process-wide counter; status Queued, progress 0.
    explicit BatchFileItem(const wxString& path);
    BatchFileItem(const BatchFileItem&) = delete;
    BatchFileItem& operator=(const BatchFileItem&) = delete;

    int32_t Status() const noexcept { return status_.load(std::memory_order_acquire); }
    void SetStatus(int32_t status) noexcept { status_.store(status, std::memory_order_release); }
    // Thousandths of the file encoded, 0..1000.
    int32_t Progress() const noexcept { return progress_.load(std::memory_order_relaxed); }
    void SetProgress(int32_t thousandths) noexcept { progress_.store(thousandths, std::memory_order_relaxed); }
    // Full path of the input as it was admitted.
    const wxString& Path() const noexcept { return path_; }
    // Unique number; the main view names the item's row after it.
    int32_t Id() const noexcept { return id_; }

private:
    std::atomic<int32_t> status_{kJobQueued};
    wxString path_;
    std::atomic<int32_t> progress_{0};
    int32_t id_;
};
