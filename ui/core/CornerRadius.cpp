#include "ui/core/CornerRadius.h"

#include "ui/core/CNumber.h"
#include "ui/core/PropertyValues.h"
#include "ui/core/QualifiedDouble.h"

class CornerRadiusTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new CornerRadius(); }
    N::Property* CloneValue(N::Property* value) override {
        auto* c = static_cast<CornerRadius*>(value);
        return new CornerRadius(c->TopLeft, c->TopRight, c->BottomRight, c->BottomLeft);
    }
    UString ToText(const N::Property* value) override {
        auto* c = static_cast<const CornerRadius*>(value);
        if (c->TopLeft == c->TopRight && c->TopLeft == c->BottomRight && c->TopLeft == c->BottomLeft)
            return N::FormatC("%g", c->TopLeft);
        return N::FormatC("%g, %g, %g, %g", c->TopLeft, c->TopRight, c->BottomRight, c->BottomLeft);
    }
    // Four equal radii: a QualifiedDouble's device value, else ToDouble.
    N::Property* Convert(N::Property* value) override {
        if (!value) return nullptr;
        if (N::IsA(value, this)) return value;
        double v = value->GetType() == QualifiedDouble::StaticType() ? value->DoublePayload() : N::ToDouble(value);
        value->Release();
        return new CornerRadius(v);
    }
};

N_DEFINE_TYPE(CornerRadius, "CornerRadius", CornerRadiusTypeImpl, nullptr);

CornerRadius* ZeroCornerRadius() {
    static CornerRadius* const shared = [] {
        auto* c = new CornerRadius();
        c->MarkImmortal();
        return c;
    }();
    return shared;
}
