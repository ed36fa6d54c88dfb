// Reads one generated layout of 10,001 elements with the XAML reader and,
// compiled by layoutc's writer, with the binary reader; expat alone parses
// the same text in the same run as the reference. Rates are elements/s;
// the summary gives each reader's rate as a ratio of expat's.
//
//   build/bin/bench_markup

#include "tools/layoutc/LayoutCompiler.h"
#include "ui/markup/BamlReader.h"
#include "ui/markup/XamlParser.h"

#include <benchmark/benchmark.h>
#include <expat.h>

#include <cstdio>
#include <map>
#include <string>
#include <wx/mstream.h>

namespace {

constexpr int kBlocks = 1000;  // 10 elements each, plus the root

// A flow document with attributes, text, inline nesting and names: the
// mix of a real dialog layout.
std::string GenerateDocument(int* elements) {
    std::string s = "<Section x:Name=\"root\" xmlns:x=\"urn:x\">\n";
    *elements = 1;
    char line[512];
    for (int i = 0; i < kBlocks; ++i) {
        std::snprintf(line, sizeof line,
                      "  <Paragraph x:Name=\"p%d\" FontSize=\"12\">\n"
                      "    <Run Text=\"Paragraph %d opens here\"/>\n"
                      "    <Bold><Run Text=\"bold words\"/></Bold>\n"
                      "    <Italic>slanted text</Italic><Run Text=\" and more\"/>\n"
                      "    <Span Foreground=\"#FF336699\"><Run Text=\"coloured\"/></Span><LineBreak/>\n"
                      "    <Underline>the end of block %d</Underline>\n"
                      "  </Paragraph>\n",
                      i, i, i);
        s += line;
        *elements += 10;
    }
    s += "</Section>\n";
    return s;
}

struct Input {
    std::string xaml;
    std::string binary;
    int elements = 0;
    Input() {
        xaml = GenerateDocument(&elements);
        std::string error;
        if (!CompileLayout(xaml, "bench.xaml", &binary, &error)) std::fprintf(stderr, "%s\n", error.c_str());
    }
};
const Input& Document() {
    static Input input;
    return input;
}

void CountStart(void* count, const XML_Char*, const XML_Char**) { ++*static_cast<int*>(count); }

void ExpatAlone(benchmark::State& state) {
    const Input& in = Document();
    for (auto _ : state) {
        int count = 0;
        XML_Parser p = XML_ParserCreate(nullptr);
        XML_SetUserData(p, &count);
        XML_SetStartElementHandler(p, CountStart);
        XML_Parse(p, in.xaml.data(), static_cast<int>(in.xaml.size()), 1);
        XML_ParserFree(p);
        benchmark::DoNotOptimize(count);
    }
    state.counters["elements/s"] =
        benchmark::Counter(static_cast<double>(in.elements), benchmark::Counter::kIsIterationInvariantRate);
}

void XamlReader(benchmark::State& state) {
    const Input& in = Document();
    for (auto _ : state) {
        XamlParser parser;
        bool ok = parser.ParseText(in.xaml.data(), in.xaml.size());
        benchmark::DoNotOptimize(ok);
    }
    state.counters["elements/s"] =
        benchmark::Counter(static_cast<double>(in.elements), benchmark::Counter::kIsIterationInvariantRate);
}

void BinaryReader(benchmark::State& state) {
    const Input& in = Document();
    for (auto _ : state) {
        wxMemoryInputStream stream(in.binary.data(), in.binary.size());
        BamlReader reader(&stream);
        benchmark::DoNotOptimize(reader.Root());
    }
    state.counters["elements/s"] =
        benchmark::Counter(static_cast<double>(in.elements), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(ExpatAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(XamlReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BinaryReader)->Unit(benchmark::kMillisecond);

// Prints the usual table, then the rates side by side.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) rates_[r.benchmark_name()] = r.counters.at("elements/s");
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        double expat = rates_["ExpatAlone"];
        std::printf("\n%d elements, %zu bytes of XAML, %zu bytes binary\n", Document().elements,
                    Document().xaml.size(), Document().binary.size());
        for (const auto& [name, rate] : rates_)
            std::printf("%-14s %12.0f elements/s   %.3f x expat alone\n", name.c_str(), rate,
                        expat > 0 ? rate / expat : 0.0);
    }

private:
    std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
