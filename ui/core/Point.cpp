#include "ui/core/Point.h"

#include "ui/core/CNumber.h"
#include "ui/core/PropertyValues.h"

class PointTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new Point(); }
    N::Property* CloneValue(N::Property* value) override {
        auto* p = static_cast<Point*>(value);
        return new Point(p->X, p->Y);
    }
    UString ToText(const N::Property* value) override {
        auto* p = static_cast<const Point*>(value);
        return N::FormatC("%g, %g", p->X, p->Y);
    }
    N::Property* Convert(N::Property* value) override;
};

N_DEFINE_TYPE(Point, "Point", PointTypeImpl, nullptr);

N::Property* PointTypeImpl::Convert(N::Property* value) {
    if (!value) return nullptr;
    if (N::IsA(value, this)) return value;
    UString text = N::ToText(value);
    std::string_view t = text.View();
    // The first separator whose last occurrence is followed by something wins.
    for (char separator : {',', ' ', ';'}) {
        size_t last = t.rfind(separator);
        if (last == std::string_view::npos || last + 1 >= t.size()) continue;
        size_t first = t.find(separator);
        auto* result = new Point(N::ReadNumber(t.substr(0, first)), N::ReadNumber(t.substr(last + 1)));
        value->Release();
        return result;
    }
    return nullptr;
}
