// Value types: text in, fields out, text back.
#include <gtest/gtest.h>

#include <cmath>

#include "ui/core/BorderStyle.h"
#include "ui/core/Color.h"
#include "ui/core/CornerRadius.h"
#include "ui/core/Enumerations.h"
#include "ui/core/GridLength.h"
#include "ui/core/Point.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/core/QualifiedDouble.h"
#include "ui/core/Rect.h"
#include "ui/core/Size.h"
#include "ui/core/Thickness.h"
#include "ui/core/Time.h"
#include "ui/core/Uri.h"

namespace {

// Convert of the type on a String value; null when it is refused. The
// String's reference is consumed only on success, as Convert promises.
template <class T>
N::Ref<T> FromText(const char* text) {
    N::Property* source = N::String(text).Detach();
    N::Property* converted = T::StaticType()->Convert(source);
    if (!converted) {
        EXPECT_EQ(source->RefCount(), 1);
        source->Release();
        return nullptr;
    }
    return N::Adopt(static_cast<T*>(converted));
}

}  // namespace

TEST(QualifiedDouble, TextTable) {
    struct Case {
        const char* text;
        double value, raw;
        int32_t unit;
        const char* back;
    } cases[] = {
        {"1in", 96, 1, 13, "1in"},     {"50%", 0.5, 50, 1, "50%"}, {"2*", 2, 2, 24, "2*"},
        {"*", 1, 1, 24, "1*"},         {"12abc", 12, 12, -1, "12"}, {"Auto", 0, 0, -1, "0"},
        {"2.5PT", 2.5 * 4 / 3, 2.5, 14, "2.5pt"}, {"10", 10, 10, 0, "10"}, {"1,5em", 24, 1.5, 2, "1.5em"},
        {"3kHz", 3000, 3, 23, "3kHz"},
    };
    for (const auto& c : cases) {
        auto q = FromText<QualifiedDouble>(c.text);
        ASSERT_TRUE(q) << c.text;
        EXPECT_DOUBLE_EQ(q->Value(), c.value) << c.text;
        EXPECT_DOUBLE_EQ(N::ToDouble(q), c.value) << c.text;  // a Double to every reader
        EXPECT_EQ(q->Raw(), c.raw) << c.text;
        EXPECT_EQ(q->Unit(), c.unit) << c.text;
        EXPECT_EQ(N::ToText(q), c.back) << c.text;
    }
    EXPECT_FALSE(FromText<QualifiedDouble>(""));
    EXPECT_EQ(UnsetLength()->Unit(), -1);
    EXPECT_EQ(UnsetLength()->Value(), -0.01);
    EXPECT_EQ(AutoLength()->Value(), 0.0);
}

TEST(Point, TextTable) {
    struct Case {
        const char* text;
        bool ok;
        double x, y;
    } cases[] = {
        {"3 4", true, 3, 4},  {"3,4", true, 3, 4},   {"1.5, -2", true, 1.5, -2}, {"5;6", true, 5, 6},
        {"1 2 3", true, 1, 3},
        {"7,", false, 0, 0},  // nothing after the ",", and no other separator
        {"8", false, 0, 0},   {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        auto p = FromText<Point>(c.text);
        ASSERT_EQ(bool(p), c.ok) << c.text;
        if (!p) continue;
        EXPECT_EQ(p->X, c.x) << c.text;
        EXPECT_EQ(p->Y, c.y) << c.text;
    }
    EXPECT_EQ(N::ToText(N::Adopt(new Point(1.5, -2))), "1.5, -2");
}

TEST(SizeAndRect, TextTable) {
    auto s = FromText<Size>("3,4");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Width, 3);
    EXPECT_EQ(s->Height, 4);
    EXPECT_EQ(N::ToText(s), "3, 4");
    EXPECT_FALSE(FromText<Size>("3 4"));
    N::Ref<Size> same = N::Adopt(new Size(3, 4));
    EXPECT_TRUE(N::Equals(s, same));  // value equality, not identity

    EXPECT_FALSE(FromText<HRect>("1,2,3,4"));  // only a Double converts
    N::Ref<N::Property> r = N::Adopt(HRect::StaticType()->Convert(N::Double(2).Detach()));
    ASSERT_TRUE(r);
    EXPECT_EQ(N::ToText(r), "2, 2, 2, 2");
    HRect rect(0, 0, 10, 10);
    EXPECT_TRUE(rect.Contains(10, 10));
    EXPECT_FALSE(rect.Contains(10.01, 5));
    EXPECT_TRUE(rect.IntersectsWith(10, 10, 5, 5));  // touching corners
    EXPECT_FALSE(rect.IntersectsWith(11, 0, 5, 5));
}

TEST(Thickness, TextTable) {
    struct Case {
        const char* text;
        double l, t, r, b;
        const char* back;
    } cases[] = {
        {"1", 1, 1, 1, 1, "1"},
        {"1,2", 1, 2, 1, 2, "1, 2"},
        {"1,2,3", 1, 2, 3, 2, "1, 2, 3, 2"},
        {"1, 2, 3, 4, 5", 1, 2, 3, 4, "1, 2, 3, 4"},
        {"1,,3", 1, 1, 1, 1, "1"},  // an empty piece ends the list
        {"Auto", AutoValue, AutoValue, AutoValue, AutoValue, "-65432.1"},
        {"2,1", 2, 1, 2, 1, "2, 1"},
    };
    for (const auto& c : cases) {
        auto th = FromText<Thickness>(c.text);
        ASSERT_TRUE(th) << c.text;
        EXPECT_EQ(th->Left.Value(), c.l) << c.text;
        EXPECT_EQ(th->Top.Value(), c.t) << c.text;
        EXPECT_EQ(th->Right.Value(), c.r) << c.text;
        EXPECT_EQ(th->Bottom.Value(), c.b) << c.text;
        EXPECT_EQ(N::ToText(th), c.back) << c.text;
    }
    N::Ref<N::Property> fromLength = N::Adopt(Thickness::StaticType()->Convert(FromText<QualifiedDouble>("1in").Detach()));
    EXPECT_EQ(N::ToText(fromLength), "96");
    // A side stored elsewhere is copied, never referenced.
    Thickness margin(1, 2, 3, 4);
    N::Ref<N::Property> side = N::Adopt(N::ShareValue(&margin.Top));
    EXPECT_NE(side.Get(), &margin.Top);
    EXPECT_EQ(N::ToDouble(side), 2);
}

TEST(BorderStyleCornerRadius, TextForms) {
    EXPECT_EQ(N::ToText(N::Adopt(new BorderStyle())), "3");
    EXPECT_EQ(N::ToText(N::Adopt(new BorderStyle(1, 2, 1, 2))), "1, 2");
    EXPECT_EQ(N::ToText(N::Adopt(new BorderStyle(1, 2, 3, 2))), "1, 2, 3, 2");
    EXPECT_FALSE(FromText<BorderStyle>("1"));  // only an Int converts
    N::Ref<N::Property> b = N::Adopt(BorderStyle::StaticType()->Convert(N::Int(2).Detach()));
    EXPECT_EQ(N::ToText(b), "2");

    auto c = FromText<CornerRadius>("1,2,3,4");  // reads 1.2 after the comma rule
    ASSERT_TRUE(c);
    EXPECT_EQ(N::ToText(c), "1.2");
    EXPECT_EQ(N::ToText(N::Adopt(new CornerRadius(1, 2, 3, 4))), "1, 2, 3, 4");
    EXPECT_EQ(ZeroCornerRadius()->TopLeft, 0);
}

TEST(Time, TextTable) {
    struct Case {
        const char* text;
        int32_t ms;
        const char* back;
    } cases[] = {
        {"1:30", 90000, "0:01:30"},         {"0:00:01.5", 1500, "0:00:01.500"}, {"2", 2000, "0:00:02"},
        {"1:02:03", 3723000, "1:02:03"},    {"0:0:1.25", 1250, "0:00:01.250"},  {"0:0:1.125", 1125, "0:00:01.125"},
        {"0:0:1.1255", 1126, "0:00:01.126"}, {"0:0:0.1234567", 0, "0:00:00"},   {"99999:0:0", 2147483647, nullptr},
    };
    for (const auto& c : cases) {
        auto t = FromText<Time>(c.text);
        ASSERT_TRUE(t) << c.text;
        EXPECT_EQ(t->Milliseconds(), c.ms) << c.text;
        if (c.back) {
            EXPECT_EQ(N::ToText(t), c.back) << c.text;
        }
    }
    N::Ref<N::Property> fromInt = N::Adopt(Time::StaticType()->Convert(N::Int(250).Detach()));
    EXPECT_EQ(N::ToText(fromInt), "0:00:00.250");
}

TEST(Uri, KeepsTextAndLeavesOtherKinds) {
    auto u = FromText<Uri>("images/a b.png");
    ASSERT_TRUE(u);
    EXPECT_EQ(u->GetType(), Uri::StaticType());
    EXPECT_EQ(N::ToText(u), "images/a b.png");
    N::Ref<N::Property> number = N::Int(3);
    EXPECT_EQ(Uri::StaticType()->Convert(number), number.Get());
}

TEST(GridLength, TextTable) {
    struct Case {
        const char* text;
        double value;
        GridLength::Kind kind;
        const char* back;
    } cases[] = {
        {"0", 1, GridLength::Pixels, "1"}, {"2*", 2, GridLength::Star, "2*"}, {"*", 1, GridLength::Star, "*"},
        {"Auto", 1, GridLength::Auto, "Auto"}, {" 40 ", 40, GridLength::Pixels, "40"}, {"1.5*", 1.5, GridLength::Star, "1.5*"},
    };
    for (const auto& c : cases) {
        auto g = FromText<GridLength>(c.text);
        ASSERT_TRUE(g) << c.text;
        EXPECT_EQ(g->Value, c.value) << c.text;
        EXPECT_EQ(g->LengthKind, c.kind) << c.text;
        EXPECT_EQ(N::ToText(g), c.back) << c.text;
    }
    EXPECT_EQ(FromText<GridLength>("*").Get(), OneStarGridLength());
    EXPECT_EQ(FromText<GridLength>("Auto").Get(), AutoGridLength());
    EXPECT_FALSE(FromText<GridLength>("  "));
    EXPECT_EQ(N::ToText(N::Adopt(new GridLength(25, GridLength::Percent))), "25%");
}

TEST(Color, TextTable) {
    struct Case {
        const char* text;
        uint32_t argb;
        const char* back;
    } cases[] = {
        {"#0f0", 0xff00ff00, "#0f0"},
        {"#80FF0000", 0x80ff0000, "#ff000080"},
        {"#8f00", 0x88ff0000, "#ff000088"},
        {"#123456", 0xff123456, "#123456"},
        {"#112233", 0xff112233, "#123"},
        {"rgb(10, 20, 30)", 0xff0a141e, "#0a141e"},
        {"rgb(100%,50%,0%)", 0xffff7f00, "#ff7f00"},
        {"rgb(300,256,-1)", 0xffffffff, "#fff"},
        {"rgba(0,0,255,0.5)", 0x7f0000ff, "#0000ff7f"},
        {"hsl(120, 100%, 50%)", 0xff00ff00, "#0f0"},
        {"hsl(0, 0%, 0%)", 0xff000000, "#000"},
        {"hsla(240, 100%, 50%, 0.5)", 0x800000ff, "#0000ff80"},
    };
    for (const auto& c : cases) {
        auto color = FromText<Color>(c.text);
        ASSERT_TRUE(color) << c.text;
        EXPECT_EQ(color->Argb(), c.argb) << c.text;
        EXPECT_EQ(N::ToText(color), c.back) << c.text;
    }
    for (const char* refused : {"rgb(1,2,3)", "#12", "#12345", "#gg0", "rgb(1,2 )xx", "rgba(1,2,3)xxxx", "Bluish", ""})
        EXPECT_FALSE(FromText<Color>(refused)) << refused;
    EXPECT_FALSE(Color::StaticType()->Convert(N::UnsetValue()));
}

TEST(Color, NamedColours) {
    Color* red = FindNamedColor("Red");
    ASSERT_NE(red, nullptr);
    for (const char* spelling : {"red", "RED", "Red"}) EXPECT_EQ(FromText<Color>(spelling).Get(), red) << spelling;
    EXPECT_EQ(N::ToText(red), "Red");
    EXPECT_EQ(red->Argb(), 0xffff0000u);
    EXPECT_EQ(FindNamedColor("transparent")->Argb(), 0x00ffffffu);
    EXPECT_EQ(FindNamedColor("grey"), nullptr);  // only the "gray" spellings
    EXPECT_EQ(N::ToText(FindNamedColor("lightgoldenrodyellow")), "LightGoldenrodYellow");
    // A colour equal in value to a named one is not that object.
    EXPECT_EQ(N::ToText(N::Adopt(new Color(0xffff0000u))), "#f00");
    int opaque = 0;
    for (int i = 0; i < kNamedColorCount; ++i) opaque += NamedColorAt(i)->A() == 255;
    EXPECT_EQ(opaque, kNamedColorCount - 1);
}

TEST(Enumerations, ConvertTable) {
    struct Case {
        N::PropertyType* type;
        const char* text;
        bool ok;
        int32_t value;
        const char* back;
    } cases[] = {
        {FontWeight::StaticType(), "400", true, 400, "Normal"},
        {FontWeight::StaticType(), "450", true, 450, "450"},
        {FontWeight::StaticType(), "bold", false, 0, nullptr},
        {FontWeight::StaticType(), "Bold", true, 700, "Bold"},
        {FontWeight::StaticType(), "Regular", true, 400, "Regular"},  // the named object itself
        {VerticalAlignment::StaticType(), "0", true, 0, "Bottom"},
        {VerticalAlignment::StaticType(), " Top ", true, 3, "Top"},
        {VerticalAlignment::StaticType(), "7", true, 7, "7"},
        {Visibility::StaticType(), "Hidden", true, 1, "Hidden"},
    };
    for (const auto& c : cases) {
        N::Property* source = N::String(c.text).Detach();
        N::Ref<N::Property> v = N::Adopt(c.type->Convert(source));
        if (!v) source->Release();
        ASSERT_EQ(bool(v), c.ok) << c.text;
        if (!v) continue;
        EXPECT_EQ(N::ToInt(v), c.value) << c.text;
        EXPECT_EQ(N::ToText(v), c.back) << c.text;
        EXPECT_TRUE(N::IsA(v, N::IntType()));
    }
    // Dense enumerations give the predefined object by index.
    N::Ref<N::Property> fromInt = N::Adopt(VerticalAlignment::StaticType()->Convert(N::Int(3).Detach()));
    EXPECT_EQ(fromInt.Get(), N::EnumValue<VerticalAlignment>(VerticalAlignment::Top));
    // An enumeration value of any enumeration is returned unchanged.
    N::Enum* bold = N::EnumValue<FontWeight>(FontWeight::Bold);
    EXPECT_EQ(Visibility::StaticType()->Convert(bold), bold);
    // Values of different enumerations compare by text form.
    EXPECT_TRUE(N::Equals(N::EnumValue<HorizontalAlignment>(HorizontalAlignment::Center),
                          N::EnumValue<VerticalAlignment>(VerticalAlignment::Center)));
}
