// Flow content classes and text positions.

#include "MarkupTestTypes.h"

#include <gtest/gtest.h>

#include "ui/core/Collection.h"
#include "ui/core/PropertyValues.h"
#include "ui/document/FlowContent.h"
#include "ui/document/TextContainer.h"
#include "ui/document/TextPointer.h"

namespace {

TEST(FlowContent, TagsAndDefaults) {
    struct Case {
        const char* name;
        const char* tag;
    } cases[] = {{"Span", "span"},  {"Bold", "b"},     {"Italic", "i"},         {"Underline", "u"},
                 {"Hyperlink", "a"}, {"LineBreak", "br"}, {"Section", "div"},  {"Paragraph", "p"},
                 {"List", "ul"},    {"ListItem", "li"}, {"Table", "table"},      {"TableCell", "td"},
                 {"TableRow", "tr"}, {"TableRowGroup", "tr"}, {"Run", ""},      {"TableColumn", ""},
                 {"FlowDocument", ""}, {"InlineUIContainer", ""}, {"BlockUIContainer", ""}};
    for (const Case& c : cases) {
        N::Ref<N::Property> e = N::Adopt(N::CreateInstanceByName(c.name));
        ASSERT_TRUE(e) << c.name;
        EXPECT_EQ(Text(N::AsElement(e)->GetValue("Tag")), c.tag) << c.name;
    }
    N::Ref<Underline> u = N::Adopt(new Underline());
    EXPECT_EQ(N::ToInt(u->GetValue("TextDecorations")), 8);
    N::Ref<Bold> b = N::Adopt(new Bold());
    EXPECT_EQ(N::ToInt(b->GetValue("FontWeight")), 700);
    N::Ref<Italic> i = N::Adopt(new Italic());
    EXPECT_EQ(Text(i->GetValue("FontStyle")), "Italic");
    N::Ref<TableCell> cell = N::Adopt(new TableCell());
    N::Property* padding = cell->GetValue("Padding");
    ASSERT_NE(padding, nullptr);
    EXPECT_EQ(std::string(padding->GetType()->Name().View()), "Thickness");
    N::Ref<Span> plain = N::Adopt(new Span());
    EXPECT_EQ(plain->GetValue("FontWeight"), nullptr);
    EXPECT_TRUE(N::IsA(TableColumn::StaticType(), FrameworkContentElement::StaticType()));
    EXPECT_FALSE(N::IsA(TableColumn::StaticType(), TextElement::StaticType()));
    EXPECT_TRUE(N::IsA(Bold::StaticType(), Span::StaticType()));
}

TEST(FlowContent, ParagraphAndSectionStartWithChildrenListDoesNot) {
    N::Ref<Paragraph> p = N::Adopt(new Paragraph());
    N::Ref<Section> s = N::Adopt(new Section());
    N::Ref<List> l = N::Adopt(new List());
    ASSERT_NE(p->GetChildren(false), nullptr);
    EXPECT_EQ(p->GetChildren(false)->Count(), 0);
    ASSERT_NE(s->GetChildren(false), nullptr);
    EXPECT_EQ(l->GetChildren(false), nullptr);
    N::Ref<FlowDocument> d = N::Adopt(new FlowDocument());
    ASSERT_NE(d->Container(), nullptr);
}

TEST(FlowContent, ContentParentsFromMarkupAndClearedOnDestruction) {
    ParsedXaml p = ParseXaml("<Section><Paragraph>text<Bold>b</Bold></Paragraph></Section>");
    ASSERT_TRUE(p.ok) << p.error;
    auto* para = static_cast<Paragraph*>(N::AsElement(p.root->GetChildren(false)->Item(0)));
    auto* bold = static_cast<Bold*>(N::AsElement(para->GetChildren(false)->Item(1)));
    EXPECT_EQ(para->LogicalParent(), p.root.Get());
    EXPECT_EQ(bold->LogicalParent(), para);
    N::Ref<Bold> keep(bold);
    p.root = nullptr;  // the whole tree goes except the bold element
    EXPECT_EQ(keep->LogicalParent(), nullptr);
}

struct PositionCase {
    int offset;
    int direction;
    const char* leafText;  // "" for the line break
    int inner;
};

TEST(TextPointer, ElementAtOffset) {
    ParsedXaml p = ParseXaml("<Paragraph><Run Text='ab'/><Run Text='cd'/><LineBreak/><Run Text='é!'/></Paragraph>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Ref<TextPointer> start = N::Adopt(TextPointer::Create(nullptr, p.root, 0, Forward));
    PositionCase cases[] = {
        {1, Forward, "ab", 1}, {2, Forward, "cd", 0}, {2, Backward, "ab", 2}, {4, Forward, "", 0},
        {4, Backward, "cd", 2}, {5, Forward, "é!", 0}, {6, Forward, "é!", 1}, {99, Forward, "é!", 99},
    };
    for (const PositionCase& c : cases) {
        int32_t offset = c.offset;
        N::Element* leaf = GetElementAtOffset(start, &offset, c.direction, false);
        ASSERT_NE(leaf, nullptr) << c.offset;
        EXPECT_EQ(Text(leaf->GetValue("Text")), c.leafText) << c.offset << " " << c.direction;
        EXPECT_EQ(offset, c.inner) << c.offset << " " << c.direction;
    }
    // Skipping non-text leaves passes over the line break.
    int32_t offset = 4;
    EXPECT_EQ(Text(GetElementAtOffset(start, &offset, Forward, true)->GetValue("Text")), "é!");
}

TEST(TextPointer, OnlyParagraphsListItemsAndSpansHaveLeaves) {
    N::Ref<Section> s = N::Adopt(new Section());
    N::Ref<TextPointer> p = N::Adopt(TextPointer::Create(nullptr, s, 0, Forward));
    int32_t offset = 0;
    EXPECT_EQ(GetElementAtOffset(p, &offset, Forward, false), nullptr);
    N::Ref<Paragraph> empty = N::Adopt(new Paragraph());
    N::Ref<TextPointer> q = N::Adopt(TextPointer::Create(nullptr, empty, 0, Forward));
    EXPECT_EQ(GetElementAtOffset(q, &offset, Forward, false), nullptr);
    N::Ref<TextPointer> same = N::Adopt(GetPositionAtOffset(q, 0, Forward));
    EXPECT_EQ(same.Get(), q.Get());
    N::Ref<TextPointer> moved = N::Adopt(GetPositionAtOffset(q, 3, Backward));
    EXPECT_EQ(moved->Offset(), 3);
    EXPECT_EQ(moved->GetElement(), empty.Get());
}

}  // namespace
