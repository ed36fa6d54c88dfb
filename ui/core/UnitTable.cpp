#include "ui/core/UnitTable.h"

#include <strings.h>

namespace N {

// "em" uses a fixed font size of 16 device units.
const UnitEntry UnitTable[kUnitCount] = {
    {"", 1},                      //  0 plain number
    {"%", 0.01},                  //  1
    {"em", 16},                   //  2
    {"ex", 7},                    //  3
    {"px", 1},                    //  4
    {"gd", 1},                    //  5
    {"rem", 1},                   //  6
    {"vw", 1},                    //  7
    {"vh", 1},                    //  8
    {"vm", 1},                    //  9
    {"ch", 1},                    // 10
    {"mm", 3.7795275590551185},   // 11  96 / 25.4
    {"cm", 37.79527559055118},    // 12  96 / 2.54
    {"in", 96},                   // 13
    {"pt", 1.3333333333333333},   // 14  96 / 72
    {"pc", 16},                   // 15  12 points
    {"deg", 1},                   // 16
    {"grad", 0.9},                // 17
    {"rad", 57.2957823142244},    // 18
    {"turn", 360},                // 19
    {"ms", 1},                    // 20
    {"s", 1000},                  // 21
    {"Hz", 1},                    // 22
    {"kHz", 1000},                // 23
    {"*", 1},                     // 24 proportional share
};

int32_t FindUnit(std::string_view suffix) noexcept {
    for (int32_t i = 0; i < kUnitCount; ++i) {
        std::string_view s = UnitTable[i].suffix;
        if (s.size() == suffix.size() && strncasecmp(s.data(), suffix.data(), s.size()) == 0) return i;
    }
    return kUnitUnknown;
}

double UnitFactor(int32_t unit) noexcept {
    return unit >= 0 && unit < kUnitCount ? UnitTable[unit].factor : 1.0;
}

}  // namespace N
