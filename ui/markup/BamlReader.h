#pragma once
// BamlReader: the binary markup reader plus the XAML conventions of
// XamlParser: markup extensions in String values, the resource dictionaries
// of open elements in scope, implicit styles at each record's end. It reads
// the whole tree in its constructor:
//
//     BamlReader reader(stream);
//     N::Ref<N::Element> root(reader.Root());  // null: no file or wrong magic

#include "ui/markup/ResourceStack.h"
#include "ui/markup/XmlBinaryReader.h"

class BamlReader : public N::Element, public XML::XmlBinaryReader {
public:
    N_DECLARE_TYPE();  // "BamlReader"
    BamlReader() : BamlReader(nullptr) {}
    explicit BamlReader(wxInputStream* stream);

    void BeginElementHook(N::Element* element) override;
    void EndElementHook(N::Element* element) override;
    bool SetObjectValue(N::Element* element, std::string_view name, N::Property* value) override;

private:
    ResourceStack resources_;
};
