// Fuzz target: the binary markup reader on any bytes after the magic (the
// magic check itself is one comparison). It must never read past the end or
// recurse without bound.

#include "ui/markup/BamlReader.h"
#include "ui/markup/DumpElement.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <wx/mstream.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes("1lmb", 4);
    bytes.append(reinterpret_cast<const char*>(data), size);
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    BamlReader reader(&stream);
    N::Ref<N::Element> root(reader.Root());
    (void)DumpElement(root);
    return 0;
}
