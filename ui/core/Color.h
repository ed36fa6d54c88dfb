#pragma once
// Color (type "Color"): A, R, G, B in the low 32 bits of the payload (A in
// bits 24-31, B in bits 0-7). Markup writes "#rgb", "#argb", "#rrggbb",
// "#aarrggbb", rgb()/rgba(), hsl()/hsla() or one of the 141 colour names.

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"

class Color : public N::Property {
public:
    N_DECLARE_TYPE();
    explicit Color(uint32_t argb = 0) : N::Property(StaticType(), argb) {}
    Color(uint8_t a, uint8_t r, uint8_t g, uint8_t b) : Color(Pack(a, r, g, b)) {}

    uint32_t Argb() const noexcept { return static_cast<uint32_t>(Word(0)); }
    uint8_t A() const noexcept { return static_cast<uint8_t>(Argb() >> 24); }
    uint8_t R() const noexcept { return static_cast<uint8_t>(Argb() >> 16); }
    uint8_t G() const noexcept { return static_cast<uint8_t>(Argb() >> 8); }
    uint8_t B() const noexcept { return static_cast<uint8_t>(Argb()); }

    static constexpr uint32_t Pack(uint8_t a, uint8_t r, uint8_t g, uint8_t b) noexcept {
        return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    }
};

// The named colour objects, shared, in table order ("Transparent" first).
constexpr int kNamedColorCount = 141;
struct NamedColor {
    const char* name;  // spelling of the text form
    uint32_t argb;
};
extern const NamedColor NamedColorTable[kNamedColorCount];
// The shared object of a named colour, or null (name compared lower-cased).
Color* FindNamedColor(std::string_view name);
// The shared object at a table index.
Color* NamedColorAt(int index);
// The name of a shared named-colour object, or null for any other colour.
const char* NamedColorName(const Color* color);

// hue in turns, saturation, lightness and alpha in 0..1; gives ARGB.
uint32_t HslToArgb(double hue, double saturation, double lightness, double alpha);
