#include "ui/core/UStringTokenizer.h"

UString UStringTokenizer::Next() {
    if (!HasMore()) return {};
    const char* s = text_.c_str();
    size_t length = text_.Length();
    size_t end = pos_;
    while (end < length && s[end] != separator_) ++end;
    UString piece = text_.Mid(pos_, end - pos_);
    if (end >= length) done_ = true;
    pos_ = end + 1;
    return piece;
}
