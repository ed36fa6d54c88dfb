#include "ui/markup/XmlBinaryReader.h"

#include "ui/core/Collection.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/layout/ContentElement.h"
#include "ui/markup/BinaryMarkupFormat.h"
#include "ui/markup/MarkupTree.h"

#include <wx/stream.h>

namespace XML {

XmlBinaryReader::XmlBinaryReader(wxInputStream* stream, bool readNow) : stream_(stream) {
    if (readNow) ReadDocument();
}

XmlBinaryReader::~XmlBinaryReader() {
    if (root_) root_->Release();
}

void XmlBinaryReader::ReadDocument() {
    if (!stream_ || root_) return;
    for (uint8_t m : BinaryMarkup::Magic)
        if (ReadByte() != m || ended_) return;
    lastTag_ = ReadByte();  // not interpreted
    root_ = ReadElement();
}

uint8_t XmlBinaryReader::ReadByte() {
    if (ended_) return 0;
    int c = stream_->GetC();
    if (c == wxEOF) {
        ended_ = true;
        return 0;
    }
    return static_cast<uint8_t>(c);
}

uint64_t XmlBinaryReader::ReadLittle(int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(ReadByte()) << (8 * i);
    return v;
}

UString XmlBinaryReader::ReadBytes(uint64_t length) {
    UString s;
    char buffer[4096];
    while (length > 0 && !ended_) {
        size_t want = length < sizeof buffer ? static_cast<size_t>(length) : sizeof buffer;
        stream_->Read(buffer, want);
        size_t got = stream_->LastRead();
        s.Append(buffer, got);
        length -= got;
        if (got < want) ended_ = true;
    }
    return s;
}

UString XmlBinaryReader::ReadShortString() { return ReadBytes(ReadByte()); }

N::Property* XmlBinaryReader::ReadValue() {
    using namespace BinaryMarkup;
    lastTag_ = ReadByte();
    switch (lastTag_) {
    case IntZero: return N::Int(0).Detach();
    case IntOne: return N::Int(1).Detach();
    case BoolFalse: return N::Bool(false).Detach();
    case BoolTrue: return N::Bool(true).Detach();
    case Int8: return N::Int(static_cast<int8_t>(ReadLittle(1))).Detach();
    case Int16: return N::Int(static_cast<int16_t>(ReadLittle(2))).Detach();
    case Int32: return N::Int(static_cast<int32_t>(ReadLittle(4))).Detach();
    case String8: return N::String(ReadBytes(ReadLittle(1))).Detach();
    case String16: return N::String(ReadBytes(ReadLittle(2))).Detach();
    case String32: return N::String(ReadBytes(ReadLittle(4))).Detach();
    case Element: return ReadElement();
    default: return nullptr;
    }
}

N::Element* XmlBinaryReader::ReadElement() {
    if (nesting_ >= BinaryMarkup::MaxNestingDepth) {
        ended_ = true;  // cut off: every open record ends here
        return nullptr;
    }
    ++nesting_;
    UString name = ReadShortString();
    N::Element* element = name.IsEmpty() ? new N::Collection() : CreateNode(name.View());
    BeginElementHook(element);

    uint8_t b = ReadByte();
    while (b == BinaryMarkup::AttributeEntry) {
        UString attribute = ReadShortString();
        if (N::Property* value = ReadValue()) {
            SetObjectValue(element, attribute.View(), value);
            value->Release();
        }
        b = ReadByte();
    }
    while (b == BinaryMarkup::ChildEntry) {
        if (N::Element* child = ReadElement()) {
            AttachChild(element, child);
            child->Release();
        }
        b = ReadByte();
    }

    EndElementHook(element);
    --nesting_;
    return element;
}

void XmlBinaryReader::AttachChild(N::Element* element, N::Element* child) {
    if (AddToDefaultProperty(element, child)) return;
    if (N::Collection* list = N::AsCollection(element))
        list->Add(child);
    else if (N::Collection* children = N::GetChildren(element, true))
        children->Add(child);
    if (N::IsA(child, FrameworkContentElement::StaticType())) SetLogicalParent(child, element);
}

void XmlBinaryReader::BeginElementHook(N::Element*) {}
void XmlBinaryReader::EndElementHook(N::Element*) {}

bool XmlBinaryReader::SetObjectValue(N::Element* element, std::string_view name, N::Property* value) {
    return N::SetValue(element, name, value);
}

bool XmlBinaryReader::SetAttribute(N::Element* element, std::string_view name, const UString& text) {
    if (name.empty()) return false;
    N::LocalValue v(text);
    return N::SetValue(element, name, &v);
}

}  // namespace XML
