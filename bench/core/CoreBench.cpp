// Object model speed: SetValue/GetValue on an element with 20 properties,
// FindType over a registry of the size the full framework has, and turning
// 10,000 attribute texts of mixed types into typed values.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ui/core/Color.h"
#include "ui/core/Element.h"
#include "ui/core/Enumerations.h"
#include "ui/core/GridLength.h"
#include "ui/core/Point.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/core/QualifiedDouble.h"
#include "ui/core/Thickness.h"
#include "ui/core/Time.h"

namespace {

// A class with 20 declared properties of mixed kinds, like a control.
class BenchControl : public N::Element {
public:
    N_DECLARE_TYPE();
    BenchControl() : N::Element(StaticType()) {}
};

const char* const kNames[20] = {"Width",      "Height",     "Margin",   "Padding",     "Background", "Foreground",
                                "FontSize",   "FontWeight", "IsEnabled", "Visibility", "Column",     "Row",
                                "MinWidth",   "MaxWidth",   "Opacity",  "Text",        "Orientation", "Duration",
                                "ColumnWidth", "Location"};

N_ELEMENT_TYPE(BenchControl, N::Element, [](N::TypeBuilder& t) {
    auto measure = [] { return N::FrameworkMetadata(N::AffectsMeasure); };
    t.Property("Width", AutoLength(), measure());
    t.Property("Height", AutoLength(), measure());
    t.Property("Margin", N::Adopt(new Thickness()), measure());
    t.Property("Padding", N::Adopt(new Thickness()), measure());
    t.Property("Background", FindNamedColor("Transparent"), N::FrameworkMetadata(N::AffectsRender));
    t.Property("Foreground", FindNamedColor("Black"), N::FrameworkMetadata(N::AffectsRender));
    t.Property("FontSize", N::Double(12), measure());
    t.Property("FontWeight", N::EnumValue<FontWeight>(FontWeight::Normal), measure());
    t.Property("IsEnabled", N::TrueValue());
    t.Property("Visibility", N::EnumValue<Visibility>(Visibility::Visible), measure());
    t.Property("Column", N::Int(0));
    t.Property("Row", N::Int(0));
    t.Property("MinWidth", N::Double(0), measure());
    t.Property("MaxWidth", N::Double(1e9), measure());
    t.Property("Opacity", N::Double(1), N::FrameworkMetadata(N::AffectsRender));
    t.Property("Text", N::String(""), measure());
    t.Property("Orientation", N::EnumValue<Orientation>(Orientation::Vertical), measure());
    t.Property("Duration", N::Adopt(new Time()));
    t.Property("ColumnWidth", OneStarGridLength());
    t.Property("Location", N::Adopt(new Point()));
});

// Attribute texts for the 20 properties, in order.
const char* const kTexts[20] = {"120",  "2in",       "1,2,3,4", "4",        "#ff8800", "Red",  "12pt",
                                "Bold", "True",      "Hidden",  "2",        "3",       "10",   "640",
                                "0.5",  "Hello",     "Horizontal", "0:00:01.5", "2*",  "3 4"};

N::Ref<BenchControl> FilledControl() {
    N::Ref<BenchControl> control = N::Adopt(new BenchControl());
    for (int i = 0; i < 20; ++i) N::SetValue(control, kNames[i], N::String(kTexts[i]));
    return control;
}

void BM_GetValueLocal(benchmark::State& state) {
    N::Ref<BenchControl> control = FilledControl();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(N::GetValue(control, kNames[i]));
        i = (i + 1) % 20;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetValueLocal);

void BM_GetValueDefault(benchmark::State& state) {
    N::Ref<BenchControl> control = N::Adopt(new BenchControl());
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(N::GetValue(control, kNames[i]));
        i = (i + 1) % 20;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetValueDefault);

// A changing Int value: store, compare, notify (declaration lookup included).
void BM_SetValueChanging(benchmark::State& state) {
    N::Ref<BenchControl> control = FilledControl();
    int32_t v = 0;
    for (auto _ : state) {
        N::LocalValue value(++v);
        benchmark::DoNotOptimize(N::SetValue(control, "Column", &value));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetValueChanging);

// The same value again: compared equal, no notification.
void BM_SetValueUnchanged(benchmark::State& state) {
    N::Ref<BenchControl> control = FilledControl();
    N::Ref<N::Property> same = N::Double(0.5);
    for (auto _ : state) benchmark::DoNotOptimize(N::SetValue(control, "Opacity", same));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetValueUnchanged);

// The full framework registers about 150 names; pad the registry to that.
void PadRegistry() {
    static std::vector<N::AbstractTypeImpl*>* extra = [] {
        auto* types = new std::vector<N::AbstractTypeImpl*>();
        static std::vector<std::string> names;
        names.reserve(200);
        for (size_t i = N::PropertyType::List().size(); i < 150; ++i) {
            names.push_back("BenchRegisteredType" + std::to_string(i));
            types->push_back(new N::AbstractTypeImpl(names.back().c_str(), N::Element::StaticType()));
        }
        return types;
    }();
    (void)extra;
}

void BM_FindTypeAllNames(benchmark::State& state) {
    PadRegistry();
    std::vector<std::string> names;
    for (N::PropertyType* type : N::PropertyType::List()) names.push_back(type->Name().c_str());
    for (auto _ : state)
        for (const std::string& name : names) benchmark::DoNotOptimize(N::FindType(name));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
    state.counters["registry"] = static_cast<double>(names.size());
}
BENCHMARK(BM_FindTypeAllNames);

// 10,000 attribute texts of mixed types set on fresh elements, each
// converted to its declared type.
void BM_ConvertAttributeTexts(benchmark::State& state) {
    constexpr int kTextCount = 10000;
    std::vector<N::Ref<N::Property>> texts;
    for (int i = 0; i < kTextCount; ++i) texts.push_back(N::String(kTexts[i % 20]));
    for (auto _ : state) {
        for (int i = 0; i < kTextCount; i += 20) {
            N::Ref<BenchControl> control = N::Adopt(new BenchControl());
            for (int k = 0; k < 20; ++k) N::SetValue(control, kNames[k], texts[i + k]);
        }
    }
    state.SetItemsProcessed(state.iterations() * kTextCount);
}
BENCHMARK(BM_ConvertAttributeTexts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
