// layoutc's writer: for each document, the binary form read with the binary
// reader dumps exactly as the text read with the XAML reader.

#include "MarkupTestTypes.h"

#include <gtest/gtest.h>

#include "tools/layoutc/LayoutCompiler.h"

namespace {

const char* const kDocuments[] = {
    "<TestButton/>",
    "<TestButton Width='12.5' Content='Hi' x:Name='b' xmlns:x='urn:x'/>",
    "<Foo Bar='1'><Baz/>text</Foo>",
    "<Section><Paragraph>Hello <Bold>bold</Bold> and <Italic>it</Italic><LineBreak/>end</Paragraph></Section>",
    "<Paragraph>{looks like an extension}</Paragraph>",
    "<Paragraph>{x</Paragraph>",
    "<TestButton Content='{}{literal}' Other='{Binding Width}' T='{x:Type TestFancyButton}'/>",
    "<TestButton>  {StaticResource nothing}</TestButton>",
    "<TestDecorator><TestButton x:Name='a'/><TestButton x:Name='b'/></TestDecorator>",
    "<TestDecorator><TestDecorator.Child><TestButton x:Name='a'/><TestButton x:Name='b'/></TestDecorator.Child>"
    "<TestDecorator.Child/></TestDecorator>",
    "<TestButton><TestButton.Items><Run Text='1'/><Run Text='2'/></TestButton.Items><Span/></TestButton>",
    "<TestDecorator>"
    "  <TestDecorator.Resources>"
    "    <Style x:Key='s' TargetType='{x:Type TestButton}'><Setter Property='Width' Value='7'/>"
    "      <Style.Triggers><Trigger Property='IsMouseOver' Value='True'><Setter Property='Width' Value='8'/>"
    "      </Trigger></Style.Triggers></Style>"
    "    <Style TargetType='{x:Type TestButton}'><Setter Property='Background' Value='red'/></Style>"
    "  </TestDecorator.Resources>"
    "  <TestButton Style='{StaticResource s}' Height='{StaticResource s}' Width='{StaticResource s}'/>"
    "</TestDecorator>",
    "<ControlTemplate><TestButton/></ControlTemplate>",
    "<Table><TableRowGroup><TableRow><TableCell>a &amp; b</TableCell></TableRow></TableRowGroup></Table>",
    "<FlowDocument><Section><List><ListItem><Paragraph>x</Paragraph></ListItem></List></Section></FlowDocument>",
    "<Hyperlink NavigateUri='http://example.invalid/'>link</Hyperlink>",
    "<TestButton A='&#10;multi&#9;line&quot;'/>",
};

TEST(RoundTrip, BinaryFormReadsAsTheText) {
    for (const char* xaml : kDocuments) {
        std::string binary, error;
        ASSERT_TRUE(CompileLayout(xaml, "doc.xaml", &binary, &error)) << xaml << "\n" << error;
        ParsedXaml text = ParseXaml(xaml);
        ASSERT_TRUE(text.ok) << text.error;
        N::Ref<N::Element> fromBinary = ReadBinary(binary);
        EXPECT_EQ(Dump(fromBinary), Dump(text.root)) << xaml;
        std::string dump;
        ASSERT_TRUE(DumpMarkup(binary, "doc", &dump, &error));
        EXPECT_EQ(dump, Dump(text.root));
    }
}

TEST(RoundTrip, DocumentsTheBinaryFormCannotExpressAreRefused) {
    // A Resources property element on an element that does not declare
    // Resources makes a plain collection the text reader does not put in
    // scope; the binary reader would.
    std::string binary, error;
    EXPECT_FALSE(CompileLayout("<Foo><Foo.Resources><Style x:Key='k'/></Foo.Resources>"
                               "<TestButton Style='{StaticResource k}'/></Foo>",
                               "odd.xaml", &binary, &error));
    EXPECT_NE(error.find("odd.xaml: the binary form would read differently"), std::string::npos) << error;
    EXPECT_FALSE(CompileLayout("<a><b></a>", "bad.xaml", &binary, &error));
    EXPECT_EQ(error, " mismatched tag\n\"bad.xaml\", Line 1[8]");
    EXPECT_FALSE(CompileLayout("<" + std::string(300, 'n') + "/>", "long.xaml", &binary, &error));
    EXPECT_NE(error.find("longer than 255 bytes"), std::string::npos);
}

}  // namespace
