#pragma once
// A growable array of string handles; lookup gives the first equal string.

#include "ui/core/UString.h"

class UStringArray {
public:
    UStringArray() = default;
    UStringArray(const UStringArray& other);
    UStringArray& operator=(const UStringArray& other);
    ~UStringArray();

    size_t Count() const noexcept { return count_; }
    const UString& operator[](size_t i) const noexcept { return items_[i]; }
    UString& operator[](size_t i) noexcept { return items_[i]; }
    void Add(const UString& s);
    void Clear();
    // Index of the first string equal to s, or -1.
    long Index(const UString& s) const noexcept;
    const UString* begin() const noexcept { return items_; }
    const UString* end() const noexcept { return items_ + count_; }

private:
    void Reserve(size_t count);  // capacity grows to twice the requested count
    UString* items_ = nullptr;
    size_t count_ = 0;
    size_t capacity_ = 0;
};
