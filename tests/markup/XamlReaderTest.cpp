// Building trees from XAML text: property elements, content rules, text,
// markup extensions, unknown names and implicit styles.

#include "MarkupTestTypes.h"

#include <gtest/gtest.h>

#include "ui/core/Collection.h"
#include "ui/core/PropertyValues.h"
#include "ui/document/FlowContent.h"
#include "ui/markup/ActiveStyle.h"
#include "ui/markup/MarkupExtension.h"
#include "ui/markup/ResourceDictionary.h"

namespace {

N::Element* ChildAt(N::Element* e, int i) { return N::AsElement(e->GetChildren(false)->Item(i)); }

TEST(XamlReader, PropertyElementOfSingleValueTakesTheLastChild) {
    // "Child" holds a value already, so the property element sets it; a
    // second child replaces the first.
    ParsedXaml p = ParseXaml(
        "<TestDecorator><TestButton x:Name='first'/>"
        "<TestDecorator.Child><TestButton x:Name='a'/><TestButton x:Name='b'/></TestDecorator.Child>"
        "</TestDecorator>");
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(Text(N::AsElement(p.root->GetValue("Child"))->GetValue("x:Name")), "b");
    EXPECT_EQ(p.root->GetChildren(false), nullptr);
}

TEST(XamlReader, PropertyElementWithoutValueCollectsChildren) {
    ParsedXaml p = ParseXaml("<TestButton><TestButton.Items><Run/><Span/></TestButton.Items></TestButton>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Property* items = p.root->GetValue("Items");
    ASSERT_EQ(items->GetType(), N::Collection::StaticType());
    EXPECT_EQ(N::AsCollection(items)->Count(), 2);
}

TEST(XamlReader, PropertyElementOfCollectionReplacesItWithOneOfTheSameType) {
    ParsedXaml p = ParseXaml(
        "<TestButton><TestButton.Resources><Style x:Key='k'/></TestButton.Resources></TestButton>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Property* resources = p.root->GetValue("Resources");
    EXPECT_NE(resources, ResourceDictionary::SharedEmpty());
    EXPECT_EQ(resources->GetType(), ResourceDictionary::StaticType());
    EXPECT_EQ(N::AsCollection(resources)->Count(), 1);
    EXPECT_EQ(ResourceDictionary::SharedEmpty()->Count(), 0);
}

TEST(XamlReader, TextBecomesRunsOrContent) {
    struct Case {
        const char* xaml;
        const char* dump;
    } cases[] = {
        // DefaultProperty naming a collection: a Run in it.
        {"<Paragraph>\n   Hello  </Paragraph>", "<p>\n  <Run Text=\"Hello  \" />\n</p>\n"},
        // A TextElement without DefaultProperty: a child Run.
        {"<Bold> x</Bold>", "<b>\n  <Run Text=\"x\" />\n</b>\n"},
        // Anywhere else: Content; only leading blanks go.
        {"<TestButton>\n\t Click me </TestButton>", "<TestButton Content=\"Click me \" />\n"},
        // Text split by tags is handled piece by piece.
        {"<Span>a<Bold>b</Bold>c</Span>",
         "<span>\n  <Run Text=\"a\" />\n  <b>\n    <Run Text=\"b\" />\n  </b>\n  <Run Text=\"c\" />\n</span>\n"},
        // Blank text is ignored.
        {"<TestButton>   \n  </TestButton>", "<TestButton />\n"},
    };
    for (const Case& c : cases) {
        ParsedXaml p = ParseXaml(c.xaml);
        ASSERT_TRUE(p.ok) << c.xaml << p.error;
        EXPECT_EQ(Dump(p.root), c.dump) << c.xaml;
    }
}

TEST(XamlReader, MarkupExtensionsInAttributes) {
    ParsedXaml p = ParseXaml(
        "<TestButton A='{}{abc}' Kind='{x:Type TestButton}' C='{StaticResource Missing}' D='{Binding Width}'"
        " E='{x:Type NoSuchType}' F='{}'/>");
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(Text(p.root->GetValue("A")), "{abc}");
    EXPECT_EQ(p.root->GetValue("Kind"), TestButton::StaticType());
    EXPECT_EQ(Text(p.root->GetValue("C")), "StaticResource Missing");
    EXPECT_EQ(Text(p.root->GetValue("D")), "Binding Width");  // bindings are not made from markup
    EXPECT_EQ(p.root->GetValue("E"), nullptr);
    EXPECT_EQ(Text(p.root->GetValue("F")), "{}");  // too short to be an extension
}

TEST(XamlReader, UnknownAndValueTypeNamesBecomeTaggedTextElements) {
    ParsedXaml p = ParseXaml("<Foo Size='3'><Enum/></Foo>");
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.root->GetType(), TextElement::StaticType());
    EXPECT_EQ(Text(p.root->GetValue("Tag")), "Foo");
    EXPECT_EQ(Text(p.root->GetValue("Size")), "3");
    EXPECT_EQ(Text(ChildAt(p.root, 0)->GetValue("Tag")), "Enum");
}

TEST(XamlReader, StaticResourceResolvesAgainstOpenDictionaries) {
    ParsedXaml p = ParseXaml(
        "<TestDecorator>"
        "  <TestDecorator.Resources>"
        "    <Style x:Key='Big' TargetType='{x:Type TestButton}'><Setter Property='Width' Value='40'/></Style>"
        "    <Style x:Key='Small' TargetType='{x:Type TestButton}'><Setter Property='Width' Value='10'/></Style>"
        "  </TestDecorator.Resources>"
        "  <TestButton Style='{StaticResource Big}' Height='{StaticResource Big}' Width='{StaticResource Small}'/>"
        "</TestDecorator>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Element* button = N::AsElement(p.root->GetValue("Child"));
    ASSERT_NE(button, nullptr);
    N::Collection* resources = N::AsCollection(p.root->GetValue("Resources"));
    EXPECT_EQ(GetActiveStyle(button), resources->Item(0));
    EXPECT_EQ(Text(N::GetLocalValue(button, StaticResourceHolder::StaticType(), "Style")), "{StaticResource Big}");
    // Other properties take the value the style sets for them.
    EXPECT_EQ(N::ToDouble(button->GetValue("Width")), 10.0);
    EXPECT_EQ(button->GetValue("Height"), nullptr);  // Big sets no Height: nothing stored
}

TEST(XamlReader, ImplicitStyleAppliesToTheExactTypeInsideItsOwnerOnly) {
    ParsedXaml p = ParseXaml(
        "<TestDecorator>"
        "    <TestButton x:Name='owner'>"
        "      <TestButton.Resources>"
        "        <Style TargetType='{x:Type TestButton}'><Setter Property='Width' Value='7'/></Style>"
        "        <Style TargetType='{x:Type TestButton}'><Setter Property='Width' Value='8'/></Style>"
        "      </TestButton.Resources>"
        "      <TestButton x:Name='plain'/>"
        "      <TestFancyButton x:Name='fancy'/>"
        "    </TestButton>"
        "</TestDecorator>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Element* owner = N::AsElement(p.root->GetValue("Child"));
    ASSERT_TRUE(owner && owner->GetChildren(false) && owner->GetChildren(false)->Count() == 2);
    N::Element* plain = ChildAt(owner, 0);
    N::Element* fancy = ChildAt(owner, 1);
    EXPECT_EQ(N::ToDouble(plain->GetValue("Width")), 7.0);  // first match wins
    EXPECT_EQ(GetActiveStyle(fancy), nullptr);              // derived types are passed over
    EXPECT_NE(GetActiveStyle(owner), nullptr);              // the owner closes inside its own scope
}

TEST(XamlReader, ResourcesOfASiblingAreOutOfScope) {
    ParsedXaml p = ParseXaml(
        "<Section>"
        "  <TestButton><TestButton.Resources><Style x:Key='k' TargetType='{x:Type TestButton}'/>"
        "  </TestButton.Resources></TestButton>"
        "  <TestButton Style='{StaticResource k}'/>"
        "</Section>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Element* second = ChildAt(p.root, 1);
    EXPECT_EQ(GetActiveStyle(second), nullptr);
    EXPECT_EQ(Text(second->GetValue("Style")), "StaticResource k");
}

}  // namespace

namespace {

TEST(XamlReader, ResourcesNeverReferToTheirOwnEnclosingElements) {
    // The inner style sits inside "base": a BasedOn reference, an explicit
    // Style or an implicit one would make base hold itself. They stay text
    // (or unapplied) so that the tree is released completely.
    ParsedXaml p = ParseXaml(
        "<TestDecorator><TestDecorator.Resources>"
        "<Style x:Key='base' TargetType='{x:Type TestButton}'><Style.Resources>"
        "  <Style x:Key='s' BasedOn='{StaticResource base}'/>"
        "</Style.Resources><TestButton Style='{StaticResource base}'/><TestButton x:Name='implicit'/></Style>"
        "<Style TargetType='{x:Type TestButton}'><TestButton/></Style>"
        "</TestDecorator.Resources></TestDecorator>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Collection* dictionary = N::AsCollection(p.root->GetValue("Resources"));
    N::Element* base = N::AsElement(dictionary->Item(0));
    N::Element* inner = N::AsElement(N::AsCollection(base->GetValue("Resources"))->Item(0));
    EXPECT_EQ(Text(inner->GetValue("BasedOn")), "StaticResource base");
    EXPECT_EQ(GetActiveStyle(N::AsElement(base->GetChildren(false)->Item(1))), nullptr);
    EXPECT_EQ(GetActiveStyle(N::AsElement(base->GetChildren(false)->Item(2))), nullptr);
    // Leak checking (ASan/LSan runs) confirms that nothing is left behind.
}

}  // namespace
