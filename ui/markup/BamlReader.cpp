#include "ui/markup/BamlReader.h"

#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

N_ELEMENT_TYPE(BamlReader, N::Element);

BamlReader::BamlReader(wxInputStream* stream) : N::Element(StaticType()), XML::XmlBinaryReader(stream, false) {
    ReadDocument();
}

void BamlReader::BeginElementHook(N::Element*) { ++depth_; }

void BamlReader::EndElementHook(N::Element* element) {
    resources_.ApplyImplicitStyles(element);
    --depth_;
}

bool BamlReader::SetObjectValue(N::Element* element, std::string_view name, N::Property* value) {
    if (name == "Resources") {
        resources_.Push(element, value);
        return N::SetValue(element, name, value);
    }
    if (value && value->GetType() == N::StringType()) {
        const UString& text = value->StringPayload();
        if (text.Length() > 2 && text[0] == '{') return resources_.ApplyMarkupExtension(element, name, text);
    }
    return N::SetValue(element, name, value);
}
