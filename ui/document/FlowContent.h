#pragma once
// The flow-content classes: plain content holders for rich text whose
// vocabulary follows HTML. Each class carries a default "Tag" naming its HTML
// counterpart; some declare styling defaults (Bold: "FontWeight" Bold, ...).
// They have no layout or drawing of their own: a text block walks their
// leaves. All derive from TextElement except FlowDocument and TableColumn.
//
//   class              base                     "Tag"   other defaults
//   TextElement        FrameworkContentElement  -
//   Inline             TextElement              -
//   Run                Inline                   -       ("Text" from the constructor)
//   Span               Inline                   span
//   Bold               Span                     b       FontWeight = Bold
//   Italic             Span                     i       FontStyle = Italic
//   Underline          Span                     u       TextDecorations = Int 8
//   Hyperlink          Span                     a       Foreground = brush #FF0000A4
//   LineBreak          Inline                   br
//   InlineUIContainer  Inline                   -
//   Block              TextElement              -
//   Section            Block                    div     DefaultProperty = "Children"
//   Paragraph          Block                    p       DefaultProperty = "Children"
//   List               Block                    ul
//   ListItem           Block                    li
//   Table              Block                    table
//   TableCell          Block                    td      Padding = 3,1,3,1
//   BlockUIContainer   Block                    -
//   TableRow           TextElement              tr
//   TableRowGroup      TextElement              tr
//   TableColumn        FrameworkContentElement  -
//   FlowDocument       FrameworkContentElement  -       owns an empty TextContainer
//
// Section and Paragraph start with an empty "Children" collection of their
// own. Defaults whose value type is not registered in the program are left
// undeclared.

#include "ui/layout/ContentElement.h"

class TextContainer;

#define VB_FLOW_CLASS(Class, Base)                                      \
    class Class : public Base {                                         \
    public:                                                             \
        N_DECLARE_TYPE();                                               \
        Class() : Class(StaticType()) {}                                \
        explicit Class(N::PropertyType* type) : Base(type) {}           \
    }

class TextElement : public FrameworkContentElement {
public:
    N_DECLARE_TYPE();  // "TextElement"
    TextElement() : TextElement(StaticType()) {}
    explicit TextElement(N::PropertyType* type);
};

VB_FLOW_CLASS(Inline, TextElement);

class Run : public Inline {
public:
    N_DECLARE_TYPE();  // "Run"
    Run() : Inline(StaticType()) {}
    explicit Run(const UString& text);
    explicit Run(N::PropertyType* type) : Inline(type) {}
};

VB_FLOW_CLASS(Span, Inline);
VB_FLOW_CLASS(Bold, Span);
VB_FLOW_CLASS(Italic, Span);
VB_FLOW_CLASS(Underline, Span);
VB_FLOW_CLASS(Hyperlink, Span);
VB_FLOW_CLASS(LineBreak, Inline);
VB_FLOW_CLASS(InlineUIContainer, Inline);
VB_FLOW_CLASS(Block, TextElement);

class Section : public Block {
public:
    N_DECLARE_TYPE();  // "Section"
    Section() : Section(StaticType()) {}
    explicit Section(N::PropertyType* type);
};

class Paragraph : public Block {
public:
    N_DECLARE_TYPE();  // "Paragraph"
    Paragraph() : Paragraph(StaticType()) {}
    explicit Paragraph(N::PropertyType* type);
};

VB_FLOW_CLASS(List, Block);
VB_FLOW_CLASS(ListItem, Block);
VB_FLOW_CLASS(Table, Block);
VB_FLOW_CLASS(TableCell, Block);
VB_FLOW_CLASS(BlockUIContainer, Block);
VB_FLOW_CLASS(TableRow, TextElement);
VB_FLOW_CLASS(TableRowGroup, TextElement);
VB_FLOW_CLASS(TableColumn, FrameworkContentElement);

class FlowDocument : public FrameworkContentElement {
public:
    N_DECLARE_TYPE();  // "FlowDocument"
    FlowDocument();
    ~FlowDocument() override;
    TextContainer* Container() const noexcept { return container_; }

private:
    TextContainer* container_;  // owned, empty
};

#undef VB_FLOW_CLASS

// Makes sure the flow-content metaclasses are linked into any program that
// reads markup (they are otherwise only reached by name).
void LinkFlowContentTypes();
