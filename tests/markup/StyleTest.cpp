// Styles: lazy preparation, precedence, triggers, BasedOn, first style wins.

#include "MarkupTestTypes.h"

#include <gtest/gtest.h>

#include "ui/core/Collection.h"
#include "ui/core/PropertyValues.h"
#include "ui/markup/ActiveStyle.h"
#include "ui/markup/ResourceDictionary.h"
#include "ui/markup/Style.h"
#include "ui/markup/Trigger.h"

namespace {

// A decorator whose resources hold the styles given, and a button child.
ParsedXaml WithStyles(const std::string& styles, const std::string& button = "<TestButton/>") {
    return ParseXaml("<TestDecorator><TestDecorator.Resources>" + styles + "</TestDecorator.Resources>" + button +
                     "</TestDecorator>");
}

ResourceDictionary* Resources(N::Element* e) { return static_cast<ResourceDictionary*>(e->GetValue("Resources")); }
N::Element* Button(N::Element* e) { return N::AsElement(e->GetValue("Child")); }

TEST(Style, SetterValuesAreConvertedOnFirstSearchOnly) {
    ParsedXaml p = ParseXaml(
        "<ResourceDictionary>"
        "<Style x:Key='s' TargetType='{x:Type TestButton}'><Setter Property='Width' Value='100'/></Style>"
        "</ResourceDictionary>");
    ASSERT_TRUE(p.ok) << p.error;
    auto* d = static_cast<ResourceDictionary*>(p.root.Get());
    auto* setter = static_cast<Setter*>(N::AsElement(d->Item(0))->GetChildren(false)->Item(0));
    EXPECT_EQ(d->PreparedCount(), 0);
    EXPECT_EQ(setter->CachedValue()->GetType(), N::StringType());
    ASSERT_NE(FindResource(d, "s"), nullptr);
    EXPECT_EQ(d->PreparedCount(), 1);
    EXPECT_EQ(setter->CachedValue()->GetType(), N::DoubleType());
    EXPECT_EQ(N::ToDouble(setter->CachedValue()), 100.0);
    EXPECT_EQ(FindResource(d, "S"), nullptr);  // keys compare byte for byte
}

TEST(Style, LocalValueOutranksSetterUntilCleared) {
    ParsedXaml p = WithStyles(
        "<Style TargetType='{x:Type TestButton}'><Setter Property='Width' Value='5'/></Style>",
        "<TestButton Width='9'/>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Element* b = Button(p.root);
    EXPECT_EQ(N::ToDouble(b->GetValue("Width")), 9.0);
    b->SetValue("Width", N::UnsetValue());
    EXPECT_EQ(N::ToDouble(b->GetValue("Width")), 5.0);
}

TEST(Style, TriggerAppliesSettersAndClearsOnlyItsOwnValues) {
    ParsedXaml p = WithStyles(
        "<Style TargetType='{x:Type TestButton}'>"
        "  <Setter Property='Background' Value='grey'/>"
        "  <Style.Triggers>"
        "    <Trigger Property='IsMouseOver' Value='True'>"
        "      <Setter Property='Background' Value='blue'/><Setter Property='Width' Value='3'/>"
        "    </Trigger>"
        "  </Style.Triggers>"
        "</Style>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Element* b = Button(p.root);
    EXPECT_EQ(Text(b->GetValue("Background")), "grey");
    EXPECT_TRUE(b->SetValue("IsMouseOver", N::TrueValue()));
    EXPECT_EQ(Text(b->GetValue("Background")), "blue");
    EXPECT_EQ(N::ToDouble(b->GetValue("Width")), 3.0);
    N::LocalValue mine(42.0);
    b->SetValue("Width", &mine);  // set by other code while the trigger holds
    EXPECT_TRUE(b->SetValue("IsMouseOver", N::FalseValue()));
    EXPECT_EQ(Text(b->GetValue("Background")), "grey");
    EXPECT_EQ(N::ToDouble(b->GetValue("Width")), 42.0);
}

TEST(Style, BasedOnChainDerivedSettersWinAndBothTriggerSetsRun) {
    ParsedXaml p = WithStyles(
        "<Style x:Key='base' TargetType='{x:Type TestButton}'>"
        "  <Setter Property='Width' Value='1'/><Setter Property='Background' Value='base'/>"
        "  <Style.Triggers><Trigger Property='IsEnabled' Value='False'><Setter Property='Tint' Value='b'/></Trigger>"
        "  </Style.Triggers>"
        "</Style>",
        "<TestButton><TestButton.Resources>"
        "<Style x:Key='derived' TargetType='{x:Type TestButton}' BasedOn='{StaticResource base}'>"
        "  <Setter Property='Width' Value='2'/>"
        "  <Style.Triggers><Trigger Property='IsEnabled' Value='False'><Setter Property='Glow' Value='d'/></Trigger>"
        "  </Style.Triggers>"
        "</Style></TestButton.Resources></TestButton>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Element* holder = Button(p.root);
    N::Element* derived = N::AsElement(Resources(holder)->Item(0));
    N::Ref<TestButton> b = N::Adopt(new TestButton());
    ASSERT_TRUE(SetActiveStyle(b, derived));
    EXPECT_EQ(N::ToDouble(b->GetValue("Width")), 2.0);
    EXPECT_EQ(Text(b->GetValue("Background")), "base");
    b->SetValue("IsEnabled", N::FalseValue());
    EXPECT_EQ(Text(b->GetValue("Tint")), "b");
    EXPECT_EQ(Text(b->GetValue("Glow")), "d");
}

TEST(Style, FirstActiveStyleStays) {
    ParsedXaml p = WithStyles(
        "<Style x:Key='a' TargetType='{x:Type TestButton}'><Setter Property='Width' Value='1'/></Style>"
        "<Style x:Key='b' TargetType='{x:Type TestButton}'><Setter Property='Width' Value='2'/></Style>",
        "<TestButton Style='{StaticResource a}'/>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Element* b = Button(p.root);
    N::Element* second = N::AsElement(Resources(p.root)->Item(1));
    EXPECT_FALSE(SetActiveStyle(b, second));
    EXPECT_EQ(N::ToDouble(b->GetValue("Width")), 1.0);
}

TEST(Style, TriggersThatKeepSettingEachOtherStop) {
    // A sets B, B sets A to a new value, and round again: without a bound this
    // recursion would exhaust the stack as soon as the first trigger fires.
    ParsedXaml p = WithStyles(
        "<Style TargetType='{x:Type TestButton}'><Style.Triggers>"
        "<Trigger Property='A' Value='1'><Setter Property='B' Value='1'/></Trigger>"
        "<Trigger Property='B' Value='1'><Setter Property='A' Value='2'/></Trigger>"
        "<Trigger Property='A' Value='2'><Setter Property='B' Value='2'/></Trigger>"
        "<Trigger Property='B' Value='2'><Setter Property='A' Value='1'/></Trigger>"
        "</Style.Triggers></Style>");
    ASSERT_TRUE(p.ok) << p.error;
    N::Element* b = Button(p.root);
    ASSERT_NE(GetActiveStyle(b), nullptr);
    N::LocalValue one("1");
    EXPECT_TRUE(b->SetValue("A", &one));  // returns instead of overflowing the stack
}

TEST(Style, ExitTriggerReportsWhetherItClearedAnything) {
    N::Ref<Trigger> trigger = N::Adopt(new Trigger());
    N::Ref<Setter> setter = N::Adopt(new Setter());
    N::LocalValue name("Background"), value("red");
    setter->SetValue("Property", &name);
    setter->SetValue("Value", &value);
    trigger->GetChildren(true)->Add(setter);
    N::Ref<TestButton> b = N::Adopt(new TestButton());
    EnterTrigger(trigger, b);
    EXPECT_EQ(Text(b->GetValue("Background")), "red");
    EXPECT_TRUE(ExitTrigger(trigger, b));
    EXPECT_FALSE(ExitTrigger(trigger, b));
    EXPECT_EQ(Text(b->GetValue("Background")), "none");
}

}  // namespace
