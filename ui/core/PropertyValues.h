#pragma once
// Reading values as numbers, booleans and text, comparing them, and the
// copy-or-share rule for storing them. Numbers are read and written in the
// C locale whatever the user's locale.

#include "ui/core/Property.h"

namespace N {

// Text form: null -> empty; String -> the string (shared); Int "%d";
// Boolean "True"/"False"; Double "%g"; UInt64 "0x" and 16 hex digits;
// Null "Null"; other types -> the type's ToText; no type -> empty.
UString ToText(const Property* value);
// Double rounds half away from zero; Int and enumerations give the integer;
// Boolean 0/1; String "true"/"yes" give 1, else the leading decimal integer.
int32_t ToInt(const Property* value);
// String: "true"/"yes", else a non-zero leading integer; others: payload != 0.
bool ToBool(const Property* value);
// Double; Int; String read as a decimal number (see ReadNumber); else 0.
double ToDouble(const Property* value);
// UInt64; Int sign-extended; Double + 0.5 truncated; else 0.
uint64_t ToUInt64(const Property* value);

// Value equality across kinds (b must not be null): numbers by the kind of
// b, value kinds by text form, otherwise the type's ValueEquals.
bool Equals(const Property* a, const Property* b);

// The value to store, with one reference for the caller: value kinds other
// than Booleans and enumerations are copied; caller-owned temporaries are
// replaced by their type's CloneValue; everything else is shared.
Property* ShareValue(Property* value);

}  // namespace N
