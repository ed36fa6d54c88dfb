#include <gtest/gtest.h>

#include "ui/core/Collection.h"
#include "ui/core/Element.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

TEST(Element, Smoke) {
    N::Ref<N::Element> e = N::Adopt(new N::Element());
    EXPECT_TRUE(N::SetValue(e, "Width", N::Int(5)));
    EXPECT_EQ(N::ToInt(N::GetValue(e, "Width")), 5);
    EXPECT_NE(N::FindType("Element"), nullptr);
}
