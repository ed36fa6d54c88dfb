#include "ui/core/Thickness.h"

#include "ui/core/CNumber.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/core/UStringTokenizer.h"

class ThicknessTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new Thickness(); }
    N::Property* CloneValue(N::Property* value) override {
        auto* copy = new Thickness();
        copy->CopyFrom(*static_cast<Thickness*>(value));
        return copy;
    }
    UString ToText(const N::Property* value) override;
    N::Property* Convert(N::Property* value) override;
};

N_DEFINE_TYPE(Thickness, "Thickness", ThicknessTypeImpl, nullptr);

Thickness::Thickness(double left, double top, double right, double bottom) : N::Property(StaticType()) {
    Left.Assign(N::kUnitNone, left);
    Top.Assign(N::kUnitNone, top);
    Right.Assign(N::kUnitNone, right);
    Bottom.Assign(N::kUnitNone, bottom);
    for (QualifiedDouble* side : {&Left, &Top, &Right, &Bottom}) side->MarkTemporary();
}

bool Thickness::IsUniform() const noexcept {
    return Left.Value() == Right.Value() && Left.Value() == Top.Value() && Left.Value() == Bottom.Value();
}

void Thickness::CopyFrom(const Thickness& other) noexcept {
    Left.Assign(other.Left.Unit(), other.Left.Raw());
    Top.Assign(other.Top.Unit(), other.Top.Raw());
    Right.Assign(other.Right.Unit(), other.Right.Raw());
    Bottom.Assign(other.Bottom.Unit(), other.Bottom.Raw());
}

UString ThicknessTypeImpl::ToText(const N::Property* value) {
    auto* t = static_cast<const Thickness*>(value);
    double l = t->Left.Value(), u = t->Top.Value(), r = t->Right.Value(), b = t->Bottom.Value();
    if (u != b || l != r) return N::FormatC("%g, %g, %g, %g", l, u, r, b);
    if (l != u) return N::FormatC("%g, %g", l, u);
    return N::FormatC("%g", u);
}

N::Property* ThicknessTypeImpl::Convert(N::Property* value) {
    if (!value) return nullptr;
    if (N::IsA(value, this)) return value;
    Thickness* result = nullptr;
    if (value->GetType() == QualifiedDouble::StaticType() || value->GetType() == N::DoubleType()) {
        result = new Thickness(value->DoublePayload());
    } else {
        UString text = N::ToText(value);
        bool isAuto = text == "Auto";
        result = new Thickness();
        UStringTokenizer pieces(text, ',');
        for (int index = 0; index < 4 && pieces.HasMore(); ++index) {
            UString piece = pieces.Next().Trim();
            if (piece.IsEmpty()) break;
            double v = isAuto ? AutoValue : N::ParseDouble(piece.View());
            switch (index) {
            case 0:  // all sides
                result->Left.SetValue(v), result->Top.SetValue(v), result->Right.SetValue(v), result->Bottom.SetValue(v);
                break;
            case 1:  // top and bottom
                result->Top.SetValue(v), result->Bottom.SetValue(v);
                break;
            case 2:
                result->Right.SetValue(v);
                break;
            case 3:
                result->Bottom.SetValue(v);
                break;
            }
        }
    }
    value->Release();
    return result;
}
