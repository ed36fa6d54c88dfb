#include "ui/markup/XmlElementParser.h"

#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/document/FlowContent.h"
#include "ui/markup/BinaryMarkupFormat.h"
#include "ui/markup/MarkupTree.h"
#include "ui/markup/ResourceStack.h"

#include <cstring>
#include <wx/intl.h>

XmlElementParser::~XmlElementParser() {
    for (Frame& f : stack_)
        if (f.element) f.element->Release();
    if (root_) root_->Release();
}

void XmlElementParser::PushFrame(N::Element* element) {
    if (element) element->AddRef();
    stack_.push_back({element, pendingName_, pendingOwner_});
}

bool XmlElementParser::SetObjectValue(N::Element* element, std::string_view name, N::Property* object) {
    return N::SetValue(element, name, object);
}

bool XmlElementParser::SetAttribute(N::Element* element, std::string_view name, const UString& text) {
    if (name.empty()) return false;
    return SetString(element, name, text);
}

void XmlElementParser::StartElement(const char* name, const char** attributes) {
    FlushText();
    if (static_cast<int>(stack_.size()) >= BinaryMarkup::MaxNestingDepth)
        ThrowParseError(wxString::Format(wxGetTranslation("Elements nested deeper than %d"),
                                         BinaryMarkup::MaxNestingDepth));

    const char* dot = std::strchr(name, '.');
    if (dot && dot != name) {
        // A property element: Owner.Property (the owner prefix is not checked).
        std::string_view property(dot + 1);
        N::Property* v = N::GetValue(current_, property);
        if (v && N::IsA(v, N::Collection::StaticType())) {
            N::Ref<N::Property> fresh = N::Adopt(v->GetType()->CreateInstance());
            N::Element* list = N::AsElement(fresh);
            if (list) SetObjectValue(current_, property, list);
            PushFrame(list);
            current_ = list;
        } else if (v) {
            pendingName_ = UString(property.data(), property.size());
            pendingOwner_ = current_;
            PushFrame(nullptr);
            current_ = nullptr;
        } else {
            N::Ref<N::Collection> list = N::Adopt(new N::Collection());
            N::SetValue(current_, property, list);
            PushFrame(list);
            current_ = list;
        }
        return;
    }

    N::Ref<N::Element> node = N::Adopt(CreateNode(name));
    for (const char** a = attributes; a && a[0]; a += 2) SetAttribute(node, a[0], UString(a[1]));
    if (!root_) {
        node->AddRef();
        root_ = node;
        top_ = node;
        current_ = node;
        PushFrame(node);
        return;
    }
    AddChild(node);
}

void XmlElementParser::AddChild(N::Element* node) {
    N::Element* container = current_;
    if (pendingOwner_) {
        N::SetValue(pendingOwner_, pendingName_.View(), node);
        pendingOwner_ = nullptr;
    } else if (container) {
        if (N::Collection* list = N::AsCollection(container))
            list->Add(node);
        else if (!AddToDefaultProperty(container, node))
            if (N::Collection* children = N::GetChildren(container, true)) children->Add(node);
    }
    if (N::IsA(node, TextElement::StaticType())) SetLogicalParent(node, container);
    PushFrame(node);
    current_ = node;
}

void XmlElementParser::EndElement(const char* name) {
    FlushText();
    if (stack_.size() > 1) {
        if (stack_.back().element) stack_.back().element->Release();
        stack_.pop_back();
        const Frame& f = stack_.back();
        current_ = f.element;
        pendingName_ = f.pendingName;
        pendingOwner_ = f.pendingOwner;
        return;
    }
    // Only the document element's frame is left; it stays so that the root
    // remains available.
    if (current_ != top_) ThrowParseError(wxString::Format(wxGetTranslation("Unbalanced tag '%s'"), name));
    top_ = nullptr;
}

void XmlElementParser::CharacterData(const char* bytes, int length) {
    if (length > 0) text_.append(bytes, static_cast<size_t>(length));
}

void XmlElementParser::FlushText() {
    if (text_.empty()) return;
    UString text(text_.data(), text_.size());
    text_.clear();
    text = text.Trim(UString::TrimLeading);
    if (!text.IsEmpty()) HandleText(text);
}

void XmlElementParser::HandleText(const UString& text) {
    if (!current_) return;  // inside a property element of a single value: nowhere to put text
    UString dp = N::ToText(current_->GetValue("DefaultProperty"));
    if (!dp.IsEmpty()) {
        N::Property* w = current_->GetValue(dp.View());
        if (N::IsA(w, N::Collection::StaticType())) {
            if (N::Collection* list = CollectionToFill(current_, dp.View())) {
                N::Ref<Run> run = N::Adopt(new Run(text));
                list->Add(run);
                return;
            }
        }
    } else if (N::IsA(current_, TextElement::StaticType())) {
        N::Ref<Run> run = N::Adopt(new Run(text));
        if (N::Collection* children = current_->GetChildren(true)) children->Add(run);
        SetLogicalParent(run, current_);
        return;
    }
    SetAttribute(current_, "Content", text);
}
