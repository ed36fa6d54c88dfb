#pragma once
// Units a number may carry in markup, with their factor to device units
// (96 per inch). Angles end in degrees, times in milliseconds, frequencies
// in hertz. Suffixes compare case-insensitively.

#include <cstdint>
#include <string_view>

namespace N {

struct UnitEntry {
    const char* suffix;  // "" for the plain number
    double factor;       // device units (or degrees, ms, Hz) per unit
};

constexpr int32_t kUnitCount = 25;
constexpr int32_t kUnitNone = 0;
constexpr int32_t kUnitPercent = 1;
constexpr int32_t kUnitEm = 2;
constexpr int32_t kUnitStar = 24;
constexpr int32_t kUnitUnknown = -1;  // a suffix that is not in the table

extern const UnitEntry UnitTable[kUnitCount];

// Index of suffix in UnitTable (case-insensitive), or kUnitUnknown.
int32_t FindUnit(std::string_view suffix) noexcept;
// The factor of a unit index; 1 for kUnitUnknown.
double UnitFactor(int32_t unit) noexcept;

}  // namespace N
