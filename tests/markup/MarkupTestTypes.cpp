#include "MarkupTestTypes.h"

#include "ui/core/PropertyValues.h"
#include "ui/markup/BamlReader.h"
#include "ui/markup/DumpElement.h"

#include <wx/mstream.h>

N_ELEMENT_TYPE(TestButton, FrameworkElement, [](N::TypeBuilder& t) {
    t.Property("Width", N::Double(0), N::FrameworkMetadata(N::AffectsMeasure));
    t.Property("Background", N::String("none"), N::FrameworkMetadata(N::AffectsRender));
    t.Property("A", N::String("0"), N::FrameworkMetadata(0));
    t.Property("B", N::String("0"), N::FrameworkMetadata(0));
});
N_ELEMENT_TYPE(TestFancyButton, TestButton);
N_ELEMENT_TYPE(TestDecorator, FrameworkElement, [](N::TypeBuilder& t) {
    t.Property("DefaultProperty", N::String("Child"));
});

ParsedXaml ParseXaml(const std::string& text) {
    ParsedXaml result;
    XamlParser parser;
    result.ok = parser.ParseText(text.data(), text.size());
    result.root = parser.Root();
    result.error = parser.ErrorMessage().utf8_str();
    return result;
}

N::Ref<N::Element> ReadBinary(const std::string& bytes) {
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    BamlReader reader(&stream);
    return N::Ref<N::Element>(reader.Root());
}

std::string Dump(N::Property* element) { return std::string(DumpElement(element).View()); }
std::string Text(N::Property* value) { return std::string(N::ToText(value).View()); }
