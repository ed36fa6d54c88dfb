#pragma once
// Numbers in the C locale (decimal point "."), independent of the process
// locale, which is never changed.

#include <cstdarg>
#include <cstdint>
#include <string_view>

#include "ui/core/UString.h"

namespace N {

// printf-style formatting in the C locale.
UString FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Reads the longest prefix of text that is a decimal floating-point number
// (leading blanks skipped, optional sign, digits, fraction, exponent).
// Returns 0 when there is none; *consumed (if given) receives the number of
// bytes read, 0 when there was no number. Hexadecimal, "inf" and "nan" are
// not numbers here.
double ParseDouble(std::string_view text, size_t* consumed = nullptr);

// The framework's number reader: when the text holds a "," anywhere but at
// its first byte, every "," counts as "."; then ParseDouble.
double ReadNumber(std::string_view text);

// Leading decimal integer (blanks skipped, optional sign), saturated to the
// 32-bit range; 0 when there is none.
int32_t ParseInt(std::string_view text, size_t* consumed = nullptr);

}  // namespace N
