#pragma once
// Element types for the markup tests, standing in for controls and panels:
// TestButton (a FrameworkElement with a numeric "Width" and a "Background"),
// TestFancyButton (derived from TestButton), TestDecorator (its
// "DefaultProperty" is the single-value "Child").

#include "ui/core/PrimitiveTypes.h"
#include "ui/layout/FrameworkElement.h"
#include "ui/markup/XamlParser.h"

#include <string>

class TestButton : public FrameworkElement {
public:
    N_DECLARE_TYPE();
    TestButton() : FrameworkElement(StaticType()) {}
    explicit TestButton(N::PropertyType* type) : FrameworkElement(type) {}
};

class TestFancyButton : public TestButton {
public:
    N_DECLARE_TYPE();
    TestFancyButton() : TestButton(StaticType()) {}
};

class TestDecorator : public FrameworkElement {
public:
    N_DECLARE_TYPE();
    TestDecorator() : FrameworkElement(StaticType()) {}
};

// Parses text with the XAML reader; the root with a reference of its own.
struct ParsedXaml {
    N::Ref<N::Element> root;
    bool ok = false;
    std::string error;
};
ParsedXaml ParseXaml(const std::string& text);

// Reads binary markup bytes with BamlReader.
N::Ref<N::Element> ReadBinary(const std::string& bytes);

// The element dump as a std::string.
std::string Dump(N::Property* element);
std::string Text(N::Property* value);  // N::ToText as std::string
