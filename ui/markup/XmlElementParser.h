#pragma once
// XmlElementParser: builds a tree of N::Elements from XML. Element names
// name registered types (unknown names become TextElements with a "Tag"),
// attributes become properties of the same name, nested elements become
// children by the content rules (property elements "Owner.Property", the
// "DefaultProperty", "Children"), and text becomes Runs or "Content".
//
// Character data is joined until the next tag, so one text between two tags
// is handled once however expat splits it (at line ends, entities or chunk
// boundaries). Element nesting deeper than MaxNestingDepth stops the parse
// with an error; the elements built so far stay in the tree.

#include "ui/core/Collection.h"
#include "ui/markup/XmlParser.h"

#include <string>
#include <vector>

class XmlElementParser : public XmlParser {
public:
    XmlElementParser() = default;
    ~XmlElementParser() override;

    // The document element (borrowed; add a reference to keep it beyond the
    // parser), or null.
    N::Element* Root() const noexcept { return root_; }

    virtual bool SetObjectValue(N::Element* element, std::string_view name, N::Property* object);
    virtual bool SetAttribute(N::Element* element, std::string_view name, const UString& text);

    void StartElement(const char* name, const char** attributes) override;
    void EndElement(const char* name) override;
    void CharacterData(const char* bytes, int length) override;

protected:
    // One open tag.
    struct Frame {
        N::Element* element;       // owned reference, or null for a property element of a single value
        UString pendingName;       // in force while this frame is on top
        N::Element* pendingOwner;  // borrowed (held by a frame below)
    };

    virtual void AddChild(N::Element* node);
    // Applies the joined text since the last tag.
    virtual void HandleText(const UString& text);
    void FlushText();
    void EndOfDocument() override { FlushText(); }
    void PushFrame(N::Element* element);

    std::vector<Frame> stack_;
    N::Element* root_ = nullptr;     // owned reference
    N::Element* top_ = nullptr;      // the document element while it is open
    N::Element* current_ = nullptr;  // receives the next child; may be null
    UString pendingName_;
    N::Element* pendingOwner_ = nullptr;
    std::string text_;  // character data since the last tag
};
