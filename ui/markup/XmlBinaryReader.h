#pragma once
// XML::XmlBinaryReader: builds an element tree from the binary markup format
// (BinaryMarkupFormat.h), with the same registry, SetValue and child rules as
// the text reader. It reads sequentially, one byte, short string or value at
// a time, straight from the stream.
//
// Failures give no messages: no stream or a wrong magic gives no root; the
// end of the stream reads as zero bytes, which end every open record; an
// unknown value tag skips the attribute. A string longer than what is left
// in the stream is cut at the end of the stream (no allocation of its
// declared length up front). Records nested deeper than
// BinaryMarkup::MaxNestingDepth end the read there, as if the stream ended.

#include "ui/core/Element.h"

#include <cstdint>

class wxInputStream;

namespace XML {

class XmlBinaryReader {
public:
    // Reads the whole document now (see BamlReader for readers that add
    // behaviour: they read from their own constructor).
    explicit XmlBinaryReader(wxInputStream* stream) : XmlBinaryReader(stream, true) {}
    virtual ~XmlBinaryReader();
    XmlBinaryReader(const XmlBinaryReader&) = delete;
    XmlBinaryReader& operator=(const XmlBinaryReader&) = delete;

    // The root element (borrowed; add a reference to keep it), or null.
    N::Element* Root() const noexcept { return root_; }

    virtual void BeginElementHook(N::Element* element);
    virtual void EndElementHook(N::Element* element);
    virtual bool SetObjectValue(N::Element* element, std::string_view name, N::Property* value);
    virtual bool SetAttribute(N::Element* element, std::string_view name, const UString& text);

protected:
    XmlBinaryReader(wxInputStream* stream, bool readNow);
    void ReadDocument();

    int depth_ = 0;  // open records

private:
    uint8_t ReadByte();
    UString ReadShortString();
    UString ReadBytes(uint64_t length);
    uint64_t ReadLittle(int bytes);
    // An element record with one reference, or null when the nesting cap cut
    // the read off.
    N::Element* ReadElement();
    // A value with one reference, or null for an unknown tag.
    N::Property* ReadValue();
    void AttachChild(N::Element* element, N::Element* child);

    wxInputStream* stream_;  // not owned
    uint8_t lastTag_ = 0;
    bool ended_ = false;     // the stream ended (or the read was cut off)
    int nesting_ = 0;        // ReadElement recursion depth
    N::Element* root_ = nullptr;  // owned reference
};

}  // namespace XML
