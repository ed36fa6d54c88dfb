#include "ui/core/Rect.h"

#include "ui/core/CNumber.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

class RectTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new HRect(); }
    N::Property* CloneValue(N::Property* value) override {
        auto* r = static_cast<HRect*>(value);
        return new HRect(r->X, r->Y, r->Width, r->Height);
    }
    UString ToText(const N::Property* value) override {
        auto* r = static_cast<const HRect*>(value);
        return N::FormatC("%g, %g, %g, %g", r->X, r->Y, r->Width, r->Height);
    }
    bool ValueEquals(const N::Property* a, const N::Property* b) override {
        if (!N::IsA(a, this) || !N::IsA(b, this)) return a == b;
        auto* x = static_cast<const HRect*>(a);
        auto* y = static_cast<const HRect*>(b);
        return x->X == y->X && x->Y == y->Y && x->Width == y->Width && x->Height == y->Height;
    }
    // Only a Double converts: all four fields equal to it.
    N::Property* Convert(N::Property* value) override {
        if (!value) return nullptr;
        if (N::IsA(value, this)) return value;
        if (value->GetType() != N::DoubleType()) return nullptr;
        double d = value->DoublePayload();
        value->Release();
        return new HRect(d, d, d, d);
    }
};

N_DEFINE_TYPE(HRect, "Rect", RectTypeImpl, nullptr);
