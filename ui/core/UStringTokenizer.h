#pragma once
// Yields the pieces of a string between occurrences of one separator.

#include "ui/core/UString.h"

class UStringTokenizer {
public:
    UStringTokenizer(const UString& text, char separator) : text_(text), separator_(separator) {}
    bool HasMore() const noexcept { return pos_ <= text_.Length() && !done_; }
    UString Next();

private:
    UString text_;
    char separator_;
    size_t pos_ = 0;
    bool done_ = false;
};
