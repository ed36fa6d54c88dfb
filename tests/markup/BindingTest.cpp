// Pull-only bindings and property paths.

#include "MarkupTestTypes.h"

#include <gtest/gtest.h>

#include "ui/core/PropertyValues.h"
#include "ui/markup/Binding.h"
#include "ui/markup/PropertyPath.h"

namespace {

TEST(Binding, TargetReadsTheSourceAtEveryReadAndFallsBack) {
    N::Ref<TestButton> source = N::Adopt(new TestButton());
    N::Ref<TestButton> target = N::Adopt(new TestButton());
    N::Ref<Binding> binding = N::Adopt(new Binding("VerticalOffset", source));
    target->SetValue("Value", binding);
    EXPECT_EQ(target->GetValue("Value"), nullptr);  // no source value, no fallback
    N::LocalValue fallback("none yet");
    binding->SetValue("FallbackValue", &fallback);
    EXPECT_EQ(Text(target->GetValue("Value")), "none yet");
    N::LocalValue offset(12.5);
    source->SetValue("VerticalOffset", &offset);
    EXPECT_EQ(N::ToDouble(target->GetValue("Value")), 12.5);  // no notification needed
    EXPECT_EQ(Text(binding), "{Binding VerticalOffset}");
    EXPECT_EQ(Text(N::Ref<Binding>(N::Adopt(new Binding("", nullptr)))), "{Binding}");
}

TEST(Binding, WriteThroughKeepsTheBindingAndSetValueReplacesIt) {
    N::Ref<TestButton> source = N::Adopt(new TestButton());
    N::Ref<TestButton> target = N::Adopt(new TestButton());
    N::Ref<Binding> binding = N::Adopt(new Binding("Width", source));
    target->SetValue("Value", binding);
    N::LocalValue v(30.0);
    EXPECT_TRUE(WriteThroughBinding(target, "Value", &v));
    EXPECT_EQ(N::ToDouble(source->GetValue("Width")), 30.0);
    EXPECT_EQ(N::GetLocalValue(target, Binding::StaticType(), "Value"), binding.Get());
    N::LocalValue w(5.0);
    target->SetValue("Value", &w);
    EXPECT_EQ(N::GetLocalValue(target, Binding::StaticType(), "Value"), nullptr);
    EXPECT_EQ(N::ToDouble(source->GetValue("Width")), 30.0);
    EXPECT_TRUE(WriteThroughBinding(target, "Other", &w));  // no binding: set directly
    EXPECT_EQ(N::ToDouble(target->GetValue("Other")), 5.0);
}

TEST(PropertyPath, SplitsAtTheFirstDotAndConvertsOnlyStrings) {
    N::PropertyType* type = PropertyPath::StaticType();
    N::Ref<N::Property> path = N::Adopt(type->Convert(N::String("Content.Width.Value").Detach()));
    ASSERT_TRUE(path);
    EXPECT_EQ(Text(path), "Content.Width.Value");
    EXPECT_EQ(std::string(static_cast<PropertyPath*>(path.Get())->First().View()), "Content");
    N::Property* same = type->Convert(path.Get());
    EXPECT_EQ(same, path.Get());
    N::Ref<N::Property> number = N::Int(3);
    EXPECT_EQ(type->Convert(number), nullptr);
    EXPECT_EQ(Text(N::Ref<N::Property>(N::Adopt<N::Property>(new PropertyPath("Plain")))), "Plain");
}

}  // namespace

namespace {

TEST(Binding, DeclaresModeWithTheDefaultMode) {
    N::Ref<Binding> b = N::Adopt(new Binding("X", nullptr));
    EXPECT_EQ(Text(b->GetValue("Mode")), "Default");
}

}  // namespace
