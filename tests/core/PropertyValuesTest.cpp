// Reading values as numbers, booleans and text; equality across kinds;
// the copy-or-share rule; numbers in the C locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "ui/core/CNumber.h"
#include "ui/core/Element.h"
#include "ui/core/Enumerations.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

namespace {

using N::Ref;

Ref<N::Property> S(const char* text) { return N::String(text); }

}  // namespace

TEST(PropertyValues, ToIntRules) {
    struct Case {
        Ref<N::Property> value;
        int32_t expected;
    } cases[] = {
        {nullptr, 0},
        {N::Double(2.5), 3},
        {N::Double(-2.5), -3},
        {N::Double(2.49), 2},
        {N::Double(1e12), 2147483647},  // saturates instead of overflowing
        {N::Int(-7), -7},
        {N::Bool(true), 1},
        {S("12abc"), 12},
        {S("  -4"), -4},
        {S("TRUE"), 1},
        {S("Yes"), 1},
        {S("no"), 0},
        {S("99999999999"), 2147483647},
        {N::UInt64(5), 0},  // not a kind ToInt reads
        {N::Ref<N::Property>(N::EnumValue<VerticalAlignment>(VerticalAlignment::Top)), 3},
    };
    for (const Case& c : cases) EXPECT_EQ(N::ToInt(c.value), c.expected) << N::ToText(c.value).c_str();
}

TEST(PropertyValues, ToDoubleAndToBoolRules) {
    EXPECT_EQ(N::ToDouble(S("1,5")), 1.5);
    EXPECT_EQ(N::ToDouble(S(",5")), 0.0);  // a leading comma is not a decimal point
    EXPECT_EQ(N::ToDouble(S("2.5e2px")), 250.0);
    EXPECT_EQ(N::ToDouble(S("inf")), 0.0);  // only decimal numbers are read
    EXPECT_EQ(N::ToDouble(S("0x10")), 0.0);
    EXPECT_EQ(N::ToDouble(N::Int(3)), 3.0);
    EXPECT_EQ(N::ToDouble(N::Bool(true)), 0.0);

    EXPECT_FALSE(N::ToBool(nullptr));
    EXPECT_TRUE(N::ToBool(S("yes")));
    EXPECT_TRUE(N::ToBool(S("2")));
    EXPECT_FALSE(N::ToBool(S("maybe")));
    EXPECT_FALSE(N::ToBool(N::Int(0)));
    EXPECT_TRUE(N::ToBool(N::Double(0.5)));

    EXPECT_EQ(N::ToUInt64(N::Int(-1)), ~uint64_t(0));
    EXPECT_EQ(N::ToUInt64(N::Double(2.5)), 3u);
    EXPECT_EQ(N::ToUInt64(N::Double(-3)), 0u);
}

TEST(PropertyValues, TextForms) {
    EXPECT_EQ(N::ToText(nullptr), "");
    EXPECT_EQ(N::ToText(N::Int(-3)), "-3");
    EXPECT_EQ(N::ToText(N::Bool(false)), "False");
    EXPECT_EQ(N::ToText(N::Double(0.1)), "0.1");
    EXPECT_EQ(N::ToText(N::UInt64(0x123456789abcdef0ull)), "0x123456789abcdef0");
    EXPECT_EQ(N::ToText(N::UnsetValue()), "Null");
    EXPECT_EQ(N::ToText(N::Element::StaticType()), "{x:Type Element}");
    EXPECT_EQ(N::PropertyTypeType()->ToText(nullptr), "{x:Type NULL}");
    N::Ref<N::Element> e = N::Adopt(new N::Element());
    EXPECT_TRUE(N::ToText(e).StartsWith("Element:"));
    N::Property bare;
    EXPECT_EQ(N::ToText(&bare), "");
}

TEST(PropertyValues, EqualsAcrossKinds) {
    struct Case {
        Ref<N::Property> a, b;
        bool expected;
    } cases[] = {
        {N::Int(1), S("1"), true},        // value kinds by text form
        {S("1"), N::Int(1), true},        // Int rule on b's kind
        {N::Int(1), N::Double(1.0), true},
        {N::Double(1.0), N::Int(1), true},
        {S("1.0"), N::Int(1), true},      // ToInt("1.0") is 1
        {N::Int(1), S("1.0"), false},     // texts differ
        {nullptr, N::Bool(false), true},
        {nullptr, N::Int(0), false},
        {N::Int(0), N::Bool(false), true},
        {S("abc"), N::Bool(false), true},
        {Ref<N::Property>(N::UnsetValue()), N::Int(0), true},  // numbers decide by b
        {N::Int(0), Ref<N::Property>(N::UnsetValue()), false},  // exactly one is Null
        {S("Null"), Ref<N::Property>(N::UnsetValue()), false},
        {N::Adopt<N::Property>(new N::Element()), N::Adopt<N::Property>(new N::Element()), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(N::Equals(c.a, c.b), c.expected) << N::ToText(c.a).c_str() << " vs " << N::ToText(c.b).c_str();
}

TEST(PropertyValues, ShareValueCopiesValueKindsAndTemporaries) {
    Ref<N::Property> i = N::Int(4);
    Ref<N::Property> copy = N::Adopt(N::ShareValue(i));
    EXPECT_NE(copy.Get(), i.Get());
    EXPECT_EQ(N::ToInt(copy), 4);

    Ref<N::Property> s = N::String("shared");
    Ref<N::Property> scopy = N::Adopt(N::ShareValue(s));
    EXPECT_TRUE(scopy->StringPayload().SharesBufferWith(s->StringPayload()));

    // Booleans and enumerations are shared objects.
    N::LocalValue local(true);
    Ref<N::Property> b = N::Adopt(N::ShareValue(&local));
    EXPECT_EQ(b.Get(), N::TrueValue());
    N::Enum* top = N::EnumValue<VerticalAlignment>(VerticalAlignment::Top);
    Ref<N::Property> shared = N::Adopt(N::ShareValue(top));
    EXPECT_EQ(shared.Get(), top);

    // An element is shared; a stack element is copied.
    Ref<N::Element> e = N::Adopt(new N::Element());
    Ref<N::Property> same = N::Adopt(N::ShareValue(e));
    EXPECT_EQ(same.Get(), e.Get());
    N::Element stackElement;
    stackElement.MarkTemporary();
    N::SetValue(&stackElement, "Tag", S("t"));
    Ref<N::Property> cloned = N::Adopt(N::ShareValue(&stackElement));
    EXPECT_NE(cloned.Get(), &stackElement);
    EXPECT_EQ(N::ToText(N::GetValue(N::AsElement(cloned), "Tag")), "t");
}

TEST(CNumber, ReaderTable) {
    struct Case {
        const char* text;
        double expected;
        size_t consumed;
    } cases[] = {
        {"12", 12, 2},      {"  -1.5e1x", -15, 8}, {".5", 0.5, 2}, {"5.", 5, 2}, {"1e", 1, 1},
        {"+", 0, 0},        {"", 0, 0},            {"e5", 0, 0},  {"nan", 0, 0}, {"1e+2", 100, 4},
    };
    for (const Case& c : cases) {
        size_t consumed = 99;
        EXPECT_EQ(N::ParseDouble(c.text, &consumed), c.expected) << c.text;
        EXPECT_EQ(consumed, c.consumed) << c.text;
    }
    EXPECT_EQ(N::ReadNumber("3,25"), 3.25);
    EXPECT_EQ(N::ParseInt("-2147483649"), INT32_MIN);
}

// Numbers are read and written with a decimal point even when the user's
// locale uses a comma, and the process locale is left alone.
TEST(CNumber, IndependentOfProcessLocale) {
    // A locale with only a numeric category: decimal comma.
    std::string dir = ::testing::TempDir() + "vb_locale";
    std::string source = dir + "/comma.src";
    if (std::system(("mkdir -p " + dir).c_str()) != 0) GTEST_SKIP() << "no temporary folder";
    if (FILE* f = std::fopen(source.c_str(), "w")) {
        std::fputs("LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n", f);
        std::fclose(f);
    }
    std::string command = "localedef -c -i " + source + " -f UTF-8 " + dir + "/xx_XX.UTF-8 >/dev/null 2>&1";
    (void)std::system(command.c_str());  // warns about the missing categories
    setenv("LOCPATH", dir.c_str(), 1);
    if (!std::setlocale(LC_NUMERIC, "xx_XX.UTF-8")) {
        unsetenv("LOCPATH");
        GTEST_SKIP() << "cannot build a comma-decimal locale here";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%g", 1.5);
    EXPECT_STREQ(probe, "1,5");  // the locale is really in force

    EXPECT_EQ(N::ToText(N::Double(1.5)), "1.5");
    EXPECT_EQ(N::ToDouble(S("2.25")), 2.25);
    EXPECT_EQ(N::FormatC("%.2f", 0.5), "0.50");
    std::snprintf(probe, sizeof probe, "%g", 1.5);
    EXPECT_STREQ(probe, "1,5");  // still in force afterwards

    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
}
