// The binary markup reader on hand-made bytes: magic, values, children,
// markup extensions, truncation and nesting.

#include "MarkupTestTypes.h"

#include <gtest/gtest.h>

#include "tools/layoutc/LayoutCompiler.h"
#include "ui/core/Collection.h"
#include "ui/core/PropertyValues.h"
#include "ui/markup/ActiveStyle.h"
#include "ui/markup/BamlReader.h"

namespace {

// Bytes of a file: magic, tag byte, then body.
std::string File(const std::string& body) { return std::string("1lmb\x01", 5) + body; }
std::string Short(const std::string& s) { return std::string(1, static_cast<char>(s.size())) + s; }
// Literals start as std::string: GCC 12 misreports "literal" + std::string as an overlapping copy.
std::string Attr(const std::string& name, const std::string& value) { return std::string("\x04") + Short(name) + value; }
std::string Str(const std::string& s) { return std::string("\x98") + Short(s); }
const std::string End(1, '\0');

TEST(BinaryReader, WrongMagicOrNoStreamGivesNoRoot) {
    EXPECT_FALSE(ReadBinary("2lmb\x01\x04Span"));
    EXPECT_FALSE(ReadBinary("1lm"));
    EXPECT_FALSE(ReadBinary(""));
    BamlReader none(nullptr);
    EXPECT_EQ(none.Root(), nullptr);
}

TEST(BinaryReader, EmptyNameIsACollectionOfItsChildren) {
    N::Ref<N::Element> root = ReadBinary(File(Short("") + "\x40" + Short("Span") + End + "\x40" + Short("Run") + End +
                                              "\x40" + Short("Bold") + End + End));
    ASSERT_TRUE(root);
    ASSERT_EQ(root->GetType(), N::Collection::StaticType());
    EXPECT_EQ(N::AsCollection(root)->Count(), 3);
}

TEST(BinaryReader, ValueTags) {
    struct Case {
        std::string value;
        const char* type;  // type name of the stored value, or "" for none
        const char* text;
    } cases[] = {
        {"\x80", "Int", "0"},
        {"\x82", "Int", "1"},
        {"\x84", "Boolean", "False"},
        {"\x86", "Boolean", "True"},
        {std::string("\x88\x80", 2), "Int", "-128"},
        {std::string("\x8A\xFF\xFF", 3), "Int", "-1"},
        {std::string("\x8C\x00\x00\x01\x00", 5), "Int", "65536"},
        {std::string("\x98\x00", 2), "String", ""},
        {std::string("\x9A\x02\x00hi", 5), "String", "hi"},
        {std::string("\x9C\x03\x00\x00\x00" "abc", 8), "String", "abc"},
        {"\x99", "", ""},  // unknown tag: skipped, nothing consumed
    };
    for (const Case& c : cases) {
        N::Ref<N::Element> root = ReadBinary(File(Short("TestButton") + Attr("V", c.value) + End));
        ASSERT_TRUE(root);
        N::Property* v = root->GetValue("V");
        if (!*c.type) {
            EXPECT_EQ(v, nullptr);
            continue;
        }
        ASSERT_NE(v, nullptr) << c.text;
        EXPECT_EQ(std::string(v->GetType()->Name().View()), c.type);
        EXPECT_EQ(Text(v), c.text);
    }
}

TEST(BinaryReader, StringsWithBracesAreMarkupExtensions) {
    std::string dictionary = std::string("\x40") + Short("ResourceDictionary") + "\x40" + Short("Style") +
                             Attr("x:Key", Str("Key")) + Attr("TargetType", Str("{x:Type TestButton}")) + End + End;
    N::Ref<N::Element> root = ReadBinary(File(Short("TestDecorator") + Attr("Resources", dictionary) + "\x40" +
                                              Short("TestButton") + Attr("Style", Str("{StaticResource Key}")) +
                                              Attr("Label", Str("{}{x}")) + End + End));
    ASSERT_TRUE(root);
    N::Element* button = N::AsElement(root->GetValue("Child"));
    ASSERT_NE(button, nullptr);
    EXPECT_NE(GetActiveStyle(button), nullptr);
    EXPECT_EQ(Text(button->GetValue("Label")), "{x}");
}

TEST(BinaryReader, DefaultPropertyChildReplacesTheLast) {
    N::Ref<N::Element> root =
        ReadBinary(File(Short("TestDecorator") + "\x40" + Short("TestButton") + Attr("x:Name", Str("a")) + End +
                        "\x40" + Short("TestButton") + Attr("x:Name", Str("b")) + End + End));
    ASSERT_TRUE(root);
    EXPECT_EQ(Text(N::AsElement(root->GetValue("Child"))->GetValue("x:Name")), "b");
}

TEST(BinaryReader, CutAfterAttributeNameEndsTheElement) {
    N::Ref<N::Element> root = ReadBinary(File(Short("TestButton") + "\x04" + Short("Width")));
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetType(), TestButton::StaticType());
    EXPECT_EQ(root->GetLocalValue(nullptr, "Width"), nullptr);
}

TEST(BinaryReader, DeclaredStringLengthBeyondTheEndIsCutThere) {
    N::Ref<N::Element> root = ReadBinary(File(Short("TestButton") + Attr("T", std::string("\x9C\xFF\xFF\xFF\x7F", 5) + "abc")));
    ASSERT_TRUE(root);
    EXPECT_EQ(Text(root->GetValue("T")), "abc");
}

TEST(BinaryReader, DeepNestingIsCutOffNotRecursedWithoutBound) {
    std::string body;
    for (int i = 0; i < 100000; ++i) body += Short("Span") + "\x40";
    N::Ref<N::Element> root = ReadBinary(File(body));
    ASSERT_TRUE(root);
    int depth = 0;
    for (N::Element* e = root; e; ++depth) {
        N::Collection* c = e->GetChildren(false);
        e = c && c->Count() ? N::AsElement(c->Item(0)) : nullptr;
    }
    EXPECT_EQ(depth, 256);
    // Nested element values count as nesting as well.
    std::string values;
    for (int i = 0; i < 100000; ++i) values += Short("Span") + "\x04" + Short("V") + "\x40";
    EXPECT_TRUE(ReadBinary(File(values)));
}

TEST(BinaryReader, EveryTruncationOfAValidFileReadsSafely) {
    std::string binary, error;
    ASSERT_TRUE(CompileLayout(
        "<TestDecorator><TestDecorator.Resources><Style x:Key='k' TargetType='{x:Type TestButton}'>"
        "<Setter Property='Width' Value='3'/></Style></TestDecorator.Resources>"
        "<TestButton Style='{StaticResource k}' Content='Go'/></TestDecorator>",
        "t.xaml", &binary, &error))
        << error;
    for (size_t n = 0; n <= binary.size(); ++n) {
        N::Ref<N::Element> root = ReadBinary(binary.substr(0, n));
        // Past the magic the rest reads as zero bytes: an empty collection at least.
        EXPECT_EQ(static_cast<bool>(root), n >= 4) << n;
    }
}

}  // namespace
