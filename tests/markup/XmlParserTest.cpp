// The expat layer: error texts with file name, line and column; what the
// reader accepts and ignores; text joined across expat's pieces.

#include "MarkupTestTypes.h"

#include <gtest/gtest.h>

#include "ui/core/Collection.h"
#include "ui/document/FlowContent.h"

#include <cstdio>
#include <fstream>

namespace {

TEST(XmlParser, MalformedTextReportsExpatMessageFileLineAndColumn) {
    XamlParser parser;
    parser.SetFileName("Layout.xaml");
    const char text[] = "<Section>\n  <Paragraph>\n</Section>";
    EXPECT_FALSE(parser.ParseText(text, sizeof text - 1));
    EXPECT_EQ(std::string(parser.ErrorMessage().utf8_str()), " mismatched tag\n\"Layout.xaml\", Line 3[2]");
    EXPECT_EQ(parser.ErrorLine(), 3);
    EXPECT_EQ(parser.ErrorColumn(), 2);
    // What was built before the error stays.
    ASSERT_NE(parser.Root(), nullptr);
    EXPECT_EQ(parser.Root()->GetType(), Section::StaticType());
}

TEST(XmlParser, MissingFileIsReportedWithoutLocation) {
    XamlParser parser;
    EXPECT_FALSE(parser.ParseFile("/nonexistent/EulaLayout.xaml"));
    EXPECT_EQ(std::string(parser.ErrorMessage().utf8_str()), "Unable to open file\n\"/nonexistent/EulaLayout.xaml\"");
    EXPECT_EQ(parser.Root(), nullptr);
}

TEST(XmlParser, BadInputsFailCleanly) {
    const char* cases[] = {
        "",                                   // no element
        "<a>",                                // unclosed
        "<a></a><b/>",                        // junk after the document element
        "<a x='1' x='2'/>",                   // duplicate attribute
        "<?xml version='1.0' encoding='X-UNKNOWN'?><a/>",  // unknown encoding is refused
        "<a>&undefined;</a>",                 // undefined entity
        "\xff\xfe<\x00",                      // broken UTF-16
    };
    for (const char* text : cases) {
        ParsedXaml p = ParseXaml(text);
        EXPECT_FALSE(p.ok) << text;
        EXPECT_FALSE(p.error.empty()) << text;
        EXPECT_NE(p.error.find("Line"), std::string::npos) << p.error;
    }
}

TEST(XmlParser, DoctypeCommentsAndProcessingInstructionsAreIgnored) {
    ParsedXaml p = ParseXaml(
        "<?xml version='1.0'?><!DOCTYPE Section SYSTEM 'http://example.invalid/x.dtd' [<!ENTITY e 'ee'>]>"
        "<!-- note --><Section><?pi data?><![CDATA[a<b]]>&e;</Section>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Collection* children = p.root->GetChildren(false);
    ASSERT_NE(children, nullptr);
    ASSERT_EQ(children->Count(), 1);
    EXPECT_EQ(Text(N::AsElement(children->Item(0))->GetValue("Text")), "a<bee");
}

TEST(XmlParser, DeepNestingStopsWithAnErrorInsteadOfGrowingWithoutBound) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "<Span>";
    ParsedXaml p = ParseXaml(text);
    EXPECT_FALSE(p.ok);
    EXPECT_NE(p.error.find("nested deeper than 256"), std::string::npos) << p.error;
    ASSERT_TRUE(p.root);  // the levels built so far stay, and release without recursion trouble
}

TEST(XmlParser, TextSplitAcrossReadChunksIsOneRun) {
    // A long text crosses the 2048-byte chunk boundary and line ends, where
    // expat delivers it in pieces; it must still become one Run.
    std::string words;
    for (int i = 0; i < 400; ++i) words += "word\n";
    std::string path = ::testing::TempDir() + "chunked.xaml";
    {
        std::ofstream out(path);
        out << "<Paragraph>  " << words << "</Paragraph>";
    }
    XamlParser parser;
    ASSERT_TRUE(parser.ParseFile(wxString::FromUTF8(path)));
    N::Collection* children = parser.Root()->GetChildren(false);
    ASSERT_EQ(children->Count(), 1);
    EXPECT_EQ(Text(N::AsElement(children->Item(0))->GetValue("Text")), words);
    std::remove(path.c_str());
}

}  // namespace

#include "ui/markup/OpenResource.h"

namespace {

TEST(OpenResource, FallsBackToTheWorkingDirectoryAndGivesNoneForMissingFiles) {
    EXPECT_EQ(OpenResource("no-such-layout-file"), nullptr);
    const char* name = "open-resource-probe.xaml";
    {
        std::ofstream out(name);
        out << "<Section/>";
    }
    std::unique_ptr<wxInputStream> stream = OpenResource(name);
    ASSERT_NE(stream, nullptr);
    XamlParser parser;
    EXPECT_TRUE(parser.ParseStream(*stream));
    EXPECT_EQ(parser.Root()->GetType(), Section::StaticType());
    std::remove(name);
}

}  // namespace
