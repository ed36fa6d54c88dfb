// Fuzz target: the XAML text reader and the element dump on any bytes. The
// reader must stop with a message on bad input, never crash, and keep the
// tree it built releasable.

#include "ui/markup/DumpElement.h"
#include "ui/markup/XamlParser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XamlParser parser;
    parser.SetFileName("fuzz.xaml");
    bool ok = parser.ParseText(reinterpret_cast<const char*>(data), size);
    if (!ok && parser.ErrorMessage().empty()) __builtin_trap();  // a failure always has a message
    N::Ref<N::Element> root(parser.Root());
    (void)DumpElement(root);
    return 0;
}
