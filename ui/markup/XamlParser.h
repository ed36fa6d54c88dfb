#pragma once
// XamlParser: the XML element parser plus the XAML conventions: markup
// extensions in braces in attribute texts, the resource dictionaries of the
// open elements in scope (ResourceStack), and implicit styles applied at each
// end tag. Usage:
//
//     XamlParser parser;
//     if (parser.ParseFile(path)) { N::Ref<N::Element> root(parser.Root()); ... }
//     else show(parser.ErrorMessage());
//
// It is an element of type "XamlParser" so that markup code can hold it like
// any UI object.

#include "ui/core/Element.h"
#include "ui/markup/ResourceStack.h"
#include "ui/markup/XmlElementParser.h"

class XamlParser : public N::Element, public XmlElementParser {
public:
    N_DECLARE_TYPE();  // "XamlParser"
    XamlParser();
    ~XamlParser() override;

    void StartElement(const char* name, const char** attributes) override;
    void EndElement(const char* name) override;
    bool SetObjectValue(N::Element* element, std::string_view name, N::Property* object) override;
    bool SetAttribute(N::Element* element, std::string_view name, const UString& text) override;

    ResourceStack& Resources() noexcept { return resources_; }
    int Depth() const noexcept { return depth_; }

private:
    int depth_ = 0;  // open elements; kept for diagnostics
    ResourceStack resources_;
};
