#include "ui/document/FlowContent.h"

#include "ui/core/Collection.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/document/TextContainer.h"

namespace {

// The text a class's "Tag" defaults to.
N::Ref<N::Property> Tag(const char* html) { return N::String(html); }

// Declares name on owner with a default built from text by the registered
// value type typeName. The value types belong to other modules and may be
// registered after these metaclasses, so this runs on first construction;
// when the type does not exist the name stays undeclared.
void DeclareTypedDefault(N::PropertyType* owner, const char* name, const char* typeName, const char* text) {
    N::PropertyType* type = N::FindType(typeName);
    if (!type) return;
    N::Ref<N::Property> converted = N::Adopt(type->Convert(N::String(text).Detach()));
    if (converted) N::RegisterProperty(nullptr, owner, name, converted, nullptr);
}

void DeclareValueTypeDefaults() {
    static bool done = false;
    if (done) return;
    done = true;
    DeclareTypedDefault(Bold::StaticType(), "FontWeight", "FontWeight", "Bold");
    DeclareTypedDefault(Italic::StaticType(), "FontStyle", "FontStyle", "Italic");
    DeclareTypedDefault(Hyperlink::StaticType(), "Foreground", "SolidColorBrush", "#FF0000A4");
    DeclareTypedDefault(TableCell::StaticType(), "Padding", "Thickness", "3,1,3,1");
}

}  // namespace

N_ELEMENT_TYPE(TextElement, FrameworkContentElement);
N_ELEMENT_TYPE(Inline, TextElement, [](N::TypeBuilder& t) {
    t.Property("TextDecorations", N::UnsetValue());
});
N_ELEMENT_TYPE(Run, Inline, [](N::TypeBuilder& t) { t.Property("Text", N::UnsetValue()); });
N_ELEMENT_TYPE(Span, Inline, [](N::TypeBuilder& t) { t.Property("Tag", Tag("span")); });
N_ELEMENT_TYPE(Bold, Span, [](N::TypeBuilder& t) { t.Property("Tag", Tag("b")); });
N_ELEMENT_TYPE(Italic, Span, [](N::TypeBuilder& t) { t.Property("Tag", Tag("i")); });
N_ELEMENT_TYPE(Underline, Span, [](N::TypeBuilder& t) {
    t.Property("Tag", Tag("u"));
    t.Property("TextDecorations", N::Int(8));  // underline
});
// "href" is registered; the link target is "NavigateUri".
N_ELEMENT_TYPE(Hyperlink, Span, [](N::TypeBuilder& t) {
    t.Property("Tag", Tag("a"));
    t.Property("NavigateUri", N::UnsetValue());
    t.Property("href", N::UnsetValue());
});
N_ELEMENT_TYPE(LineBreak, Inline, [](N::TypeBuilder& t) { t.Property("Tag", Tag("br")); });
N_ELEMENT_TYPE(InlineUIContainer, Inline);
N_ELEMENT_TYPE(Block, TextElement);
N_ELEMENT_TYPE(Section, Block, [](N::TypeBuilder& t) {
    t.Property("Tag", Tag("div"));
    t.Property("DefaultProperty", N::String("Children"));
});
N_ELEMENT_TYPE(Paragraph, Block, [](N::TypeBuilder& t) {
    t.Property("Tag", Tag("p"));
    t.Property("DefaultProperty", N::String("Children"));
});
// Spelled out: inside a metaclass, the bare name List means PropertyType::List.
class ListTypeImpl final : public N::ElementTypeImplT<::List> {
public:
    using N::ElementTypeImplT<::List>::ElementTypeImplT;
};
N_DEFINE_TYPE(List, "List", ListTypeImpl, Block::StaticType(), [](N::TypeBuilder& t) { t.Property("Tag", Tag("ul")); });
N_ELEMENT_TYPE(ListItem, Block, [](N::TypeBuilder& t) { t.Property("Tag", Tag("li")); });
N_ELEMENT_TYPE(Table, Block, [](N::TypeBuilder& t) { t.Property("Tag", Tag("table")); });
// Table structure names are registered and have no reader.
N_ELEMENT_TYPE(TableCell, Block, [](N::TypeBuilder& t) {
    t.Property("Tag", Tag("td"));
    t.Property("colspan", N::UnsetValue());
    t.Property("rowspan", N::UnsetValue());
    t.Property("headers", N::UnsetValue());
});
N_ELEMENT_TYPE(BlockUIContainer, Block);
N_ELEMENT_TYPE(TableRow, TextElement, [](N::TypeBuilder& t) { t.Property("Tag", Tag("tr")); });
N_ELEMENT_TYPE(TableRowGroup, TextElement, [](N::TypeBuilder& t) { t.Property("Tag", Tag("tr")); });
N_ELEMENT_TYPE(TableColumn, FrameworkContentElement);
N_ELEMENT_TYPE(FlowDocument, FrameworkContentElement);

TextElement::TextElement(N::PropertyType* type) : FrameworkContentElement(type) { DeclareValueTypeDefaults(); }

Run::Run(const UString& text) : Inline(StaticType()) {
    N::LocalValue v(text);
    SetValue("Text", &v);
}

Section::Section(N::PropertyType* type) : Block(type) {
    N::Ref<N::Collection> children = N::Adopt(new N::Collection());
    SetValue("Children", children);
}

Paragraph::Paragraph(N::PropertyType* type) : Block(type) {
    N::Ref<N::Collection> children = N::Adopt(new N::Collection());
    SetValue("Children", children);
}

FlowDocument::FlowDocument() : FrameworkContentElement(StaticType()), container_(new TextContainer()) {}

FlowDocument::~FlowDocument() { container_->Release(); }

void LinkFlowContentTypes() { DeclareValueTypeDefaults(); }
