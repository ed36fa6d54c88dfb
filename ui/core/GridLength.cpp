#include "ui/core/GridLength.h"

#include "ui/core/CNumber.h"
#include "ui/core/PropertyValues.h"

class GridLengthTypeImpl final : public N::PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new GridLength(); }
    N::Property* CloneValue(N::Property* value) override {
        auto* g = static_cast<GridLength*>(value);
        return new GridLength(g->Value, g->LengthKind);
    }
    UString ToText(const N::Property* value) override {
        auto* g = static_cast<const GridLength*>(value);
        switch (g->LengthKind) {
        case GridLength::Auto: return "Auto";
        case GridLength::Percent: return N::FormatC("%g%%", g->Value);
        case GridLength::Star: return g->Value == 1 ? UString("*") : N::FormatC("%g*", g->Value);
        default: return N::FormatC("%g", g->Value);
        }
    }
    N::Property* Convert(N::Property* value) override {
        if (!value) return nullptr;
        if (N::IsA(value, this)) return value;
        UString text = N::ToText(value).Trim();
        if (text.IsEmpty()) return nullptr;
        GridLength* result;
        if (text == "Auto") {
            result = AutoGridLength();
            result->AddRef();
        } else if (text == "*") {
            result = OneStarGridLength();
            result->AddRef();
        } else {
            double number = N::ReadNumber(text.View());
            if (number == 0) number = 1;
            result = new GridLength(number, text[text.Length() - 1] == '*' ? GridLength::Star : GridLength::Pixels);
        }
        value->Release();
        return result;
    }
};

N_DEFINE_TYPE(GridLength, "GridLength", GridLengthTypeImpl, nullptr);

GridLength* AutoGridLength() {
    static GridLength* const shared = [] {
        auto* g = new GridLength(1.0, GridLength::Auto);
        g->MarkImmortal();
        return g;
    }();
    return shared;
}

GridLength* OneStarGridLength() {
    static GridLength* const shared = [] {
        auto* g = new GridLength(1.0, GridLength::Star);
        g->MarkImmortal();
        return g;
    }();
    return shared;
}
