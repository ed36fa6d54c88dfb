// The type registry, metaclass flags and the registration block.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/core/Collection.h"
#include "ui/core/Element.h"
#include "ui/core/Enumerations.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

TEST(Registry, CoreNamesAndTheirBases) {
    struct Case {
        const char* name;
        const char* base;  // "" for a root
    } cases[] = {
        {"Element", "x:Type"},      {"Collection", "Element"},  {"Freezable", "Element"},
        {"Enum", "Int"},            {"FontWeight", "Enum"},     {"VerticalAlignment", "Enum"},
        {"UpdateSourceTrigger", "Enum"}, {"QualifiedDouble", "Double"}, {"Time", "Int"},
        {"Uri", "String"},          {"Point", ""},              {"Size", ""},
        {"Rect", ""},               {"Thickness", ""},          {"BorderStyle", ""},
        {"CornerRadius", ""},       {"GridLength", ""},         {"Color", ""},
        {"RoutedEvent", "Element"}, {"EventManager", "Element"}, {"RoutedEventArgs", "Element"},
        {"Mouse", "Element"},
    };
    for (const Case& c : cases) {
        N::PropertyType* type = N::FindType(c.name);
        ASSERT_NE(type, nullptr) << c.name;
        EXPECT_EQ(type->Name(), c.name);
        EXPECT_EQ(type->Base() ? type->Base()->Name() : UString(), c.base) << c.name;
    }
    // The primitive kinds are reached through their accessors only.
    for (const char* primitive : {"String", "Int", "Double", "Boolean", "UInt64", "Null", "x:Type"})
        EXPECT_EQ(N::FindType(primitive), nullptr) << primitive;
    // Names are unique.
    std::set<std::string> names;
    for (N::PropertyType* type : N::PropertyType::List())
        EXPECT_TRUE(names.insert(type->Name().c_str()).second) << type->Name().c_str();
}

TEST(Registry, CreateInstanceByName) {
    N::Ref<N::Property> collection = N::Adopt(N::CreateInstanceByName("Collection"));
    ASSERT_TRUE(collection);
    EXPECT_NE(N::AsCollection(collection), nullptr);
    N::Ref<N::Property> point = N::Adopt(N::CreateInstanceByName("Point"));
    ASSERT_TRUE(point);
    EXPECT_EQ(N::ToText(point), "0, 0");
    EXPECT_EQ(N::CreateInstanceByName("NoSuchType"), nullptr);
    EXPECT_EQ(N::CreateInstanceByName("Enum"), nullptr);  // no instances of its own
}

TEST(Registry, FlagsAndAncestry) {
    N::PropertyType* element = N::Element::StaticType();
    EXPECT_TRUE(N::IsA(element, N::PropertyTypeType()));  // every element type is an x:Type
    EXPECT_TRUE(N::IsA(N::FindType("Collection"), element));
    EXPECT_FALSE(N::IsA(static_cast<N::PropertyType*>(nullptr), element));
    EXPECT_EQ(N::PropertyTypeType()->Flags(), 12u);
    EXPECT_EQ(N::IntType()->Flags(), 2u);
    // A registered type drops ValueKind and TextOnly from its base's flags.
    EXPECT_EQ(element->Flags() & (N::PropertyType::ValueKind | N::PropertyType::TextOnly), 0u);
    EXPECT_TRUE(element->HasFlag(N::PropertyType::CloneByValue));
    EXPECT_TRUE(N::FindType("FontStyle")->HasFlag(N::PropertyType::ValueKind));
    EXPECT_FALSE(N::FindType("Time")->HasFlag(N::PropertyType::ValueKind));
}

TEST(Registry, ResolveFlagsMergesTheBaseChain) {
    // A type built before its base got its flags copies nothing; resolving
    // brings the base's flags in once.
    static N::AbstractTypeImpl base("TestResolveBase", nullptr);
    static N::AbstractTypeImpl derived("TestResolveDerived", &base);
    base.AddFlags(N::PropertyType::UsesValueHook);
    EXPECT_EQ(derived.Flags(), 0u);
    EXPECT_EQ(derived.ResolveFlags(), uint32_t(N::PropertyType::UsesValueHook | N::PropertyType::FlagsResolved));
    EXPECT_EQ(derived.Flags(), derived.ResolveFlags());
    static N::AbstractTypeImpl root("TestResolveRoot", nullptr);
    EXPECT_EQ(root.ResolveFlags(), uint32_t(N::PropertyType::FlagsResolved));
}

TEST(Registry, DeclarationsAreFoundAlongTheBaseChain) {
    static N::AbstractTypeImpl base("TestDeclBase", nullptr);
    static N::AbstractTypeImpl derived("TestDeclDerived", &base);
    static bool once = [] {
        N::TypeBuilder(&base).Property("A", N::Int(1)).Property("B", N::Int(2));
        N::TypeBuilder(&derived).Property("B", N::Int(20));
        return true;
    }();
    (void)once;
    EXPECT_EQ(N::ToInt(N::FindPropertyDeclaration(&derived, "A")->defaultValue), 1);
    EXPECT_EQ(N::ToInt(N::FindPropertyDeclaration(&derived, "B")->defaultValue), 20);
    EXPECT_EQ(N::ToInt(N::FindPropertyDeclaration(&base, "B")->defaultValue), 2);
    EXPECT_EQ(N::FindPropertyDeclaration(&derived, "C"), nullptr);
    // Declaration order is kept.
    EXPECT_EQ(base.FirstDeclaration()->name, "A");
    EXPECT_EQ(base.FirstDeclaration()->next->name, "B");
}
