#include "ui/core/BorderStyle.h"

#include "ui/core/CNumber.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

class BorderStyleTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new BorderStyle(); }
    N::Property* CloneValue(N::Property* value) override {
        auto* b = static_cast<BorderStyle*>(value);
        return new BorderStyle(b->Left, b->Top, b->Right, b->Bottom);
    }
    UString ToText(const N::Property* value) override {
        auto* b = static_cast<const BorderStyle*>(value);
        if (b->Top != b->Bottom || b->Left != b->Right)
            return N::FormatC("%d, %d, %d, %d", b->Left, b->Top, b->Right, b->Bottom);
        if (b->Left == b->Top) return N::FormatC("%d", b->Left);
        return N::FormatC("%d, %d", b->Left, b->Top);
    }
    // Only an Int converts: every side equal to it.
    N::Property* Convert(N::Property* value) override {
        if (!value) return nullptr;
        if (N::IsA(value, this)) return value;
        if (value->GetType() != N::IntType()) return nullptr;
        int32_t v = value->IntPayload();
        value->Release();
        return new BorderStyle(v);
    }
};

N_DEFINE_TYPE(BorderStyle, "BorderStyle", BorderStyleTypeImpl, nullptr);
