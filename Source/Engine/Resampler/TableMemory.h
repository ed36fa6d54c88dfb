#pragma once
// TableMemory: a zeroed array of doubles for large, long-lived tables. Arrays
// of 2 MiB and more are placed on huge-page boundaries and offered to the
// system as huge-page memory: touching a multi-megabyte table for the first
// time then costs a few page faults instead of one per 4 KiB page.

#include <cstddef>

class TableMemory {
public:
    // Throws std::bad_alloc when the memory cannot be had.
    explicit TableMemory(size_t count);
    ~TableMemory();
    TableMemory(const TableMemory&) = delete;
    TableMemory& operator=(const TableMemory&) = delete;

    double* Data() noexcept { return data_; }
    const double* Data() const noexcept { return data_; }
    size_t Count() const noexcept { return count_; }
    double& operator[](size_t i) noexcept { return data_[i]; }

private:
    double* data_ = nullptr;
    size_t count_ = 0;
};
