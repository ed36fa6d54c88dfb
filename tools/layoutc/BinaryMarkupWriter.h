#pragma once
// Writes a LayoutRecord tree in the binary markup format. Every attribute
// text becomes a String value with the shortest length field that holds it.
// Names longer than 255 bytes cannot be written; Write then fails and names
// the offending name in *error.

#include "tools/layoutc/LayoutRecord.h"

#include <string>

bool WriteBinaryMarkup(const LayoutRecord& root, std::string* out, std::string* error);
