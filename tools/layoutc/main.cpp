// layoutc: compiles a XAML layout into the binary markup format, or prints
// the element dump of a markup file of either format.
//
//   layoutc IN.xaml OUT     compile
//   layoutc --dump FILE     print the element dump

#include "tools/layoutc/LayoutCompiler.h"

#include <clocale>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

bool ReadFile(const char* path, std::string* content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    *content = s.str();
    return true;
}

int Usage() {
    std::cerr << "usage: layoutc IN.xaml OUT\n       layoutc --dump FILE\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    if (argc != 3) return Usage();
    std::string first = argv[1];
    std::string content;
    const char* input = first == "--dump" ? argv[2] : argv[1];
    if (!ReadFile(input, &content)) {
        std::cerr << "layoutc: Unable to open file \"" << input << "\"\n";
        return 1;
    }
    if (first == "--dump") {
        std::string dump, error;
        bool ok = DumpMarkup(content, input, &dump, &error);
        std::cout << dump;
        if (!ok) std::cerr << "layoutc: " << error << "\n";
        return ok ? 0 : 1;
    }
    std::string binary, error;
    if (!CompileLayout(content, input, &binary, &error)) {
        std::cerr << "layoutc: " << error << "\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(binary.data(), static_cast<std::streamsize>(binary.size()));
    out.close();
    if (!out) {
        std::cerr << "layoutc: cannot write \"" << argv[2] << "\"\n";
        return 1;
    }
    return 0;
}
