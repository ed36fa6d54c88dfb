#include "ui/core/Color.h"

#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/core/CNumber.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

namespace {

struct NamedColors {
    Color* objects[kNamedColorCount];
    std::unordered_map<std::string, Color*> byLowerName;  // filled on first lookup
};

// Heap object that is never freed: the shared colours stay valid and
// reachable until the process ends.
NamedColors& Named() {
    static NamedColors* const named = [] {
        auto* n = new NamedColors();
        for (int i = 0; i < kNamedColorCount; ++i) {
            n->objects[i] = new Color(NamedColorTable[i].argb);
            n->objects[i]->MarkImmortal();
        }
        return n;
    }();
    return *named;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return lower;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "#" forms: 3 digits RGB, 4 ARGB (each doubled), 6 RRGGBB, 8 AARRGGBB.
bool ParseHash(std::string_view digits, uint32_t* argb) {
    uint32_t v = 0;
    for (char c : digits) {
        int d = HexDigit(c);
        if (d < 0) return false;
        v = (v << 4) | static_cast<uint32_t>(d);
    }
    auto twice = [](uint32_t nibble) { return (nibble << 4) | nibble; };
    switch (digits.size()) {
    case 3: *argb = Color::Pack(255, twice(v >> 8), twice((v >> 4) & 15), twice(v & 15)); return true;
    case 4:
        *argb = Color::Pack(twice(v >> 12), twice((v >> 8) & 15), twice((v >> 4) & 15), twice(v & 15));
        return true;
    case 6: *argb = 0xff000000u | v; return true;
    case 8: *argb = v; return true;
    default: return false;
    }
}

// The comma-separated components between the first "(" and the last ")".
bool Components(std::string_view text, std::vector<std::string_view>* parts) {
    size_t open = text.find('('), close = text.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return false;
    std::string_view inner = text.substr(open + 1, close - open - 1);
    size_t pos = 0;
    for (;;) {
        size_t comma = inner.find(',', pos);
        parts->push_back(inner.substr(pos, comma == std::string_view::npos ? inner.npos : comma - pos));
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    return true;
}

// An rgb() channel: an integer, or a percentage when "%" follows it.
uint8_t Channel(std::string_view part) {
    long long v = N::ParseInt(part);
    size_t percent = part.find('%');
    if (percent != std::string_view::npos && percent > 0) v = v * 255 / 100;
    if (v >= 255) return 255;
    return static_cast<uint8_t>(v & 0xff);
}

uint8_t AlphaByte(double alpha) {
    double a = alpha * 255;
    if (!(a > 0)) return 0;
    return a >= 255 ? 255 : static_cast<uint8_t>(a);
}

bool ParseRgb(std::string_view text, uint32_t* argb) {
    std::vector<std::string_view> parts;
    if (!Components(text, &parts)) return false;
    size_t needed = text[3] == 'a' ? 4 : 3;
    if (parts.size() < needed) return false;
    uint8_t a = needed == 4 ? AlphaByte(N::ParseDouble(parts[3])) : 255;
    *argb = Color::Pack(a, Channel(parts[0]), Channel(parts[1]), Channel(parts[2]));
    return true;
}

bool ParseHsl(std::string_view text, uint32_t* argb) {
    std::vector<std::string_view> parts;
    if (!Components(text, &parts) || parts.size() < 3) return false;
    double alpha = parts.size() >= 4 ? N::ParseDouble(parts[3]) : 1.0;
    *argb = HslToArgb(N::ParseInt(parts[0]) / 360.0, N::ParseInt(parts[1]) / 100.0, N::ParseInt(parts[2]) / 100.0,
                      alpha);
    return true;
}

}  // namespace

class ColorTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new Color(); }
    N::Property* CloneValue(N::Property* value) override { return new Color(static_cast<Color*>(value)->Argb()); }
    UString ToText(const N::Property* value) override;
    N::Property* Convert(N::Property* value) override;
};

N_DEFINE_TYPE(Color, "Color", ColorTypeImpl, nullptr);

UString ColorTypeImpl::ToText(const N::Property* value) {
    auto* c = static_cast<const Color*>(value);
    if (const char* name = NamedColorName(c)) return name;
    unsigned r = c->R(), g = c->G(), b = c->B();
    if (c->A() == 255) {
        auto doubled = [](unsigned v) { return (v >> 4) == (v & 15); };
        if (doubled(r) && doubled(g) && doubled(b)) return N::FormatC("#%x%x%x", r & 15, g & 15, b & 15);
        return N::FormatC("#%02x%02x%02x", r, g, b);
    }
    return N::FormatC("#%02x%02x%02x%02x", r, g, b, static_cast<unsigned>(c->A()));
}

N::Property* ColorTypeImpl::Convert(N::Property* value) {
    if (!value || value->GetType() == N::NullType()) return nullptr;
    if (N::IsA(value, this)) return value;
    UString text = N::ToText(value);
    std::string_view t = text.View();
    uint32_t argb = 0;
    bool parsed;
    if (!t.empty() && t[0] == '#') {
        parsed = ParseHash(t.substr(1), &argb);
    } else if (t.size() > 10 && t.substr(0, 3) == "rgb") {
        parsed = ParseRgb(t, &argb);
    } else if (t.size() > 10 && t.substr(0, 3) == "hsl") {
        parsed = ParseHsl(t, &argb);
    } else {
        Color* named = FindNamedColor(t);
        if (!named) return nullptr;
        named->AddRef();
        value->Release();
        return named;
    }
    if (!parsed) return nullptr;
    value->Release();
    return new Color(argb);
}

Color* FindNamedColor(std::string_view name) {
    NamedColors& named = Named();
    if (named.byLowerName.empty())
        for (int i = 0; i < kNamedColorCount; ++i)
            named.byLowerName.emplace(LowerAscii(NamedColorTable[i].name), named.objects[i]);
    auto it = named.byLowerName.find(LowerAscii(name));
    return it == named.byLowerName.end() ? nullptr : it->second;
}

Color* NamedColorAt(int index) {
    return index >= 0 && index < kNamedColorCount ? Named().objects[index] : nullptr;
}

const char* NamedColorName(const Color* color) {
    NamedColors& named = Named();
    for (int i = 0; i < kNamedColorCount; ++i)
        if (named.objects[i] == color) return NamedColorTable[i].name;
    return nullptr;
}

uint32_t HslToArgb(double h, double s, double l, double alpha) {
    double m2 = l <= 0.5 ? l * (s + 1) : l + s - l * s;
    double m1 = 2 * l - m2;
    uint8_t a = 0;
    {
        double av = alpha * 255 + 0.5;
        a = !(av > 0) ? 0 : (av >= 255 ? 255 : static_cast<uint8_t>(av));
    }
    if (m2 == 0) return Color::Pack(a, 0, 0, 0);
    double x = std::fmod(6 * h, 6.0);
    if (x < 0) x += 6;
    int sector = static_cast<int>(std::floor(x));
    double f = x - sector;
    double rising = m1 + (m2 - m1) * f, falling = m2 - (m2 - m1) * f;
    double rgb[3];
    switch (sector) {
    case 0: rgb[0] = m2, rgb[1] = rising, rgb[2] = m1; break;
    case 1: rgb[0] = falling, rgb[1] = m2, rgb[2] = m1; break;
    case 2: rgb[0] = m1, rgb[1] = m2, rgb[2] = rising; break;
    case 3: rgb[0] = m1, rgb[1] = falling, rgb[2] = m2; break;
    case 4: rgb[0] = rising, rgb[1] = m1, rgb[2] = m2; break;
    default: rgb[0] = m2, rgb[1] = m1, rgb[2] = falling; break;
    }
    uint8_t c[3];
    for (int i = 0; i < 3; ++i) {
        double v = rgb[i] * 255;
        c[i] = !(v > 0) ? 0 : (v >= 255 ? 255 : static_cast<uint8_t>(v));
    }
    return Color::Pack(a, c[0], c[1], c[2]);
}
