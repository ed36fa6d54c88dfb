#include "ui/core/CNumber.h"

#include <clocale>
#include <climits>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace N {

namespace {

// The C locale object, made once. uselocale() switches only the calling
// thread and is undone at once, so the process locale is never touched.
locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

bool IsBlank(char c) { return c == ' ' || (c >= 9 && c <= 13); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

UString FormatC(const char* format, ...) {
    locale_t c = CLocale();
    locale_t previous = c ? uselocale(c) : static_cast<locale_t>(0);
    va_list args;
    va_start(args, format);
    UString result = UString::FormatV(format, args);
    va_end(args);
    if (c) uselocale(previous);
    return result;
}

double ParseDouble(std::string_view text, size_t* consumed) {
    size_t i = 0, n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) {
        if (consumed) *consumed = 0;
        return 0.0;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    if (consumed) *consumed = i;
    // The prefix is a plain decimal number; strtod_l converts it exactly.
    char small[64];
    std::string large;
    const char* z;
    size_t length = i - start;
    if (length < sizeof small) {
        text.copy(small, length, start);
        small[length] = 0;
        z = small;
    } else {
        large.assign(text.substr(start, length));
        z = large.c_str();
    }
    locale_t c = CLocale();
    return c ? strtod_l(z, nullptr, c) : std::strtod(z, nullptr);
}

double ReadNumber(std::string_view text) {
    size_t comma = text.find(',');
    if (comma == std::string_view::npos || comma == 0) return ParseDouble(text);
    std::string copy(text);
    for (char& ch : copy)
        if (ch == ',') ch = '.';
    return ParseDouble(copy);
}

int32_t ParseInt(std::string_view text, size_t* consumed) {
    size_t i = 0, n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    size_t first = i;
    long long value = 0;
    for (; i < n && IsDigit(text[i]); ++i) {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
    }
    if (i == first) {
        if (consumed) *consumed = 0;
        return 0;
    }
    if (consumed) *consumed = i;
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace N
