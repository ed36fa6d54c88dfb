#include "ui/core/Size.h"

#include "ui/core/CNumber.h"
#include "ui/core/PropertyValues.h"

class SizeTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new Size(); }
    N::Property* CloneValue(N::Property* value) override {
        auto* s = static_cast<Size*>(value);
        return new Size(s->Width, s->Height);
    }
    UString ToText(const N::Property* value) override {
        auto* s = static_cast<const Size*>(value);
        return N::FormatC("%g, %g", s->Width, s->Height);
    }
    bool ValueEquals(const N::Property* a, const N::Property* b) override {
        if (!N::IsA(a, this) || !N::IsA(b, this)) return a == b;
        auto* x = static_cast<const Size*>(a);
        auto* y = static_cast<const Size*>(b);
        return x->Width == y->Width && x->Height == y->Height;
    }
    N::Property* Convert(N::Property* value) override;
};

N_DEFINE_TYPE(Size, "Size", SizeTypeImpl, nullptr);

N::Property* SizeTypeImpl::Convert(N::Property* value) {
    if (!value) return nullptr;
    if (N::IsA(value, this)) return value;
    UString text = N::ToText(value);
    std::string_view t = text.View();
    size_t last = t.rfind(',');
    if (last == std::string_view::npos || last + 1 >= t.size()) return nullptr;
    size_t first = t.find(',');
    auto* result = new Size(N::ParseDouble(t.substr(0, first)), N::ParseDouble(t.substr(last + 1)));
    value->Release();
    return result;
}
