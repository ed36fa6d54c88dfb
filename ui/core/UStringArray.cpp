#include "ui/core/UStringArray.h"

#include <utility>

UStringArray::UStringArray(const UStringArray& other) {
    for (const UString& s : other) Add(s);
}
UStringArray& UStringArray::operator=(const UStringArray& other) {
    if (this != &other) {
        UStringArray copy(other);
        std::swap(items_, copy.items_);
        std::swap(count_, copy.count_);
        std::swap(capacity_, copy.capacity_);
    }
    return *this;
}
UStringArray::~UStringArray() { delete[] items_; }

void UStringArray::Reserve(size_t count) {
    if (count <= capacity_) return;
    size_t capacity = count * 2;
    auto* items = new UString[capacity];
    for (size_t i = 0; i < count_; ++i) items[i] = std::move(items_[i]);
    delete[] items_;
    items_ = items;
    capacity_ = capacity;
}
void UStringArray::Add(const UString& s) {
    Reserve(count_ + 1);
    items_[count_++] = s;
}
void UStringArray::Clear() {
    for (size_t i = 0; i < count_; ++i) items_[i] = UString();
    count_ = 0;
}
long UStringArray::Index(const UString& s) const noexcept {
    for (size_t i = 0; i < count_; ++i)
        if (items_[i] == s) return static_cast<long>(i);
    return -1;
}
