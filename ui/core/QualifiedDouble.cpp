#include "ui/core/QualifiedDouble.h"

#include <bit>

#include "ui/core/CNumber.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

class QualifiedDoubleTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new QualifiedDouble(); }
    N::Property* CloneValue(N::Property* value) override {
        auto* q = static_cast<QualifiedDouble*>(value);
        return new QualifiedDouble(q->Unit(), q->Raw());
    }
    UString ToText(const N::Property* value) override {
        auto* q = static_cast<const QualifiedDouble*>(value);
        const char* suffix = q->Unit() > 0 && q->Unit() < N::kUnitCount ? N::UnitTable[q->Unit()].suffix : "";
        return N::FormatC("%g%s", q->Raw(), suffix);
    }
    N::Property* Convert(N::Property* value) override;
};

N_DEFINE_TYPE(QualifiedDouble, "QualifiedDouble", QualifiedDoubleTypeImpl, N::DoubleType());

QualifiedDouble::QualifiedDouble(int32_t unit, double raw) : N::Property(StaticType()) { Assign(unit, raw); }

void QualifiedDouble::Assign(int32_t unit, double raw) noexcept {
    unit_ = unit;
    raw_ = raw;
    SetDoublePayload(raw * N::UnitFactor(unit));
}

N::Property* QualifiedDoubleTypeImpl::Convert(N::Property* value) {
    if (!value) return nullptr;
    if (N::IsA(value, this)) return value;
    UString text = N::ToText(value);
    if (text.IsEmpty()) return nullptr;
    std::string_view t = text.View();
    int32_t unit;
    std::string_view number;
    char last = t.back();
    if (last == '%' || last == '*') {
        unit = last == '%' ? N::kUnitPercent : N::kUnitStar;
        number = t.substr(0, t.size() - 1);
    } else {
        size_t end = t.size();
        while (end > 0 && ((t[end - 1] >= 'a' && t[end - 1] <= 'z') || (t[end - 1] >= 'A' && t[end - 1] <= 'Z')))
            --end;
        number = t.substr(0, end);
        unit = end == t.size() ? N::kUnitNone : N::FindUnit(t.substr(end));
    }
    double raw = (unit == N::kUnitPercent || unit == N::kUnitStar) && number.empty() ? 1.0 : N::ReadNumber(number);
    auto* result = new QualifiedDouble(unit, raw);
    value->Release();
    return result;
}

namespace {
QualifiedDouble* MakeShared(int32_t unit, double raw) {
    auto* q = new QualifiedDouble(unit, raw);
    q->MarkImmortal();
    return q;
}
}  // namespace

QualifiedDouble* AutoLength() {
    static QualifiedDouble* const shared = MakeShared(N::kUnitNone, 0.0);
    return shared;
}

QualifiedDouble* UnsetLength() {
    static QualifiedDouble* const shared = MakeShared(N::kUnitUnknown, -0.01);
    return shared;
}
