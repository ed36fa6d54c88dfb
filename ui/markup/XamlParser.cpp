#include "ui/markup/XamlParser.h"

N_ELEMENT_TYPE(XamlParser, N::Element);

XamlParser::XamlParser() : N::Element(StaticType()) {
    resources_.SetOpenCheck([this](const N::Property* resource) {
        for (const Frame& f : stack_)
            if (f.element == resource) return true;
        return false;
    });
}
XamlParser::~XamlParser() = default;

void XamlParser::StartElement(const char* name, const char** attributes) {
    ++depth_;
    XmlElementParser::StartElement(name, attributes);
}

void XamlParser::EndElement(const char* name) {
    FlushText();
    resources_.ApplyImplicitStyles(current_);
    --depth_;
    XmlElementParser::EndElement(name);
}

bool XamlParser::SetObjectValue(N::Element* element, std::string_view name, N::Property* object) {
    if (name == "Resources") resources_.Push(element, object);
    return XmlElementParser::SetObjectValue(element, name, object);
}

bool XamlParser::SetAttribute(N::Element* element, std::string_view name, const UString& text) {
    if (text.Length() >= 3 && text[0] == '{') return resources_.ApplyMarkupExtension(element, name, text);
    return XmlElementParser::SetAttribute(element, name, text);
}
