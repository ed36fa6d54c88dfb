#include "ui/core/Time.h"

#include <climits>

#include "ui/core/CNumber.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

class TimeTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new Time(); }
    N::Property* CloneValue(N::Property* value) override { return new Time(N::ToInt(value)); }
    UString ToText(const N::Property* value) override {
        int32_t ms = value->IntPayload();
        int32_t h = ms / 3600000;
        int32_t m = (ms / 1000 - h * 3600) / 60;
        int32_t s = ms / 1000 - (ms / 60000) * 60;
        if (ms % 1000 != 0) return N::FormatC("%d:%02d:%02d.%03d", h, m, s, ms % 1000);
        return N::FormatC("%d:%02d:%02d", h, m, s);
    }
    N::Property* Convert(N::Property* value) override {
        if (!value) return nullptr;
        if (N::IsA(value, this)) return value;
        int32_t ms = value->GetType() == N::IntType() ? value->IntPayload() : ParseTimeText(N::ToText(value).View());
        value->Release();
        return new Time(ms);
    }
};

N_DEFINE_TYPE(Time, "Time", TimeTypeImpl, N::IntType());

int32_t ParseTimeText(std::string_view text) {
    // Up to three integers separated by ":"; one is seconds, two are
    // minutes:seconds, three hours:minutes:seconds.
    long long fields[3] = {0, 0, 0};
    int count = 0;
    size_t pos = 0;
    while (count < 3) {
        size_t colon = text.find(':', pos);
        fields[count++] = N::ParseInt(text.substr(pos, colon == std::string_view::npos ? text.npos : colon - pos));
        if (colon == std::string_view::npos) break;
        pos = colon + 1;
    }
    long long h = 0, m = 0, s = 0;
    if (count == 1) s = fields[0];
    if (count == 2) m = fields[0], s = fields[1];
    if (count == 3) h = fields[0], m = fields[1], s = fields[2];
    long long ms = ((h * 60 + m) * 60 + s) * 1000;
    // A fraction after the last integer: its length (with the ".") gives
    // its scale; more than six digits are ignored.
    size_t lastField = text.rfind(':');
    size_t dot = text.find('.', lastField == std::string_view::npos ? 0 : lastField);
    if (dot != std::string_view::npos) {
        size_t length = text.size() - dot;
        long long f = N::ParseInt(text.substr(dot + 1));
        switch (length) {
        case 2: ms += f * 100; break;
        case 3: ms += f * 10; break;
        case 4: ms += f; break;
        case 5: ms += static_cast<long long>(f / 10.0 + 0.5); break;
        case 6: ms += static_cast<long long>(f / 100.0 + 0.5); break;
        case 7: ms += static_cast<long long>(f / 1000.0 + 0.5); break;
        default: break;
        }
    }
    if (ms > INT_MAX) return INT_MAX;
    if (ms < INT_MIN) return INT_MIN;
    return static_cast<int32_t>(ms);
}
