// Collections: ordering with sort keys, "Count" notification, index rules,
// cloning; the name-to-element map.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/core/Collection.h"
#include "ui/core/ElementMap.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"

namespace {

using N::Adopt;
using N::Ref;

Ref<N::Element> Item(const char* name, Ref<N::Property> order = nullptr) {
    Ref<N::Element> e = Adopt(new N::Element());
    N::SetValue(e, "Name", N::String(name));
    if (order) N::SetValue(e, "Order", order);
    return e;
}

std::string Names(N::Collection* c) {
    std::string names;
    for (N::Property* item : *c) names += N::ToText(N::GetValue(N::AsElement(item), "Name")).c_str();
    return names;
}

struct CountListener : N::PropertyListener {
    int calls = 0;
    void OnPropertyChanged(N::Element*, const UString&, N::Property*) override { ++calls; }
};

UStringArray Keys(std::initializer_list<const char*> names) {
    UStringArray keys;
    for (const char* n : names) keys.Add(n);
    return keys;
}

}  // namespace

TEST(Collection, SortKeysPlaceNewItems) {
    Ref<N::Collection> c = Adopt(new N::Collection());
    c->SetSortKeys(Keys({"Order"}));
    CountListener count;
    c->AddListener("Count", &count);
    c->Add(Item("a", N::Int(1)));
    c->Add(Item("c", N::Int(3)));
    c->Add(Item("e", N::Int(5)));
    EXPECT_EQ(c->Add(Item("d", N::Int(4))), 2);
    EXPECT_EQ(Names(c), "acde");
    EXPECT_EQ(count.calls, 4);
    // Equal keys keep insertion order: the new item goes after them.
    EXPECT_EQ(c->Add(Item("C", N::Int(3))), 2);
    EXPECT_EQ(Names(c), "acCde");
    // A missing key counts as 0 against numbers.
    EXPECT_EQ(c->Add(Item("0")), 0);
}

TEST(Collection, KeyValuesCompareByKind) {
    struct Case {
        Ref<N::Property> first, second;  // added in this order
        const char* expected;
    } cases[] = {
        {N::Int(10), N::Int(9), "ba"},          // numbers: 9 before 10
        {N::String("10"), N::String("9"), "ab"},  // text: "10" before "9"
        {N::String("b"), N::String("a"), "ba"},
        {N::String("\xc3\xa9"), N::String("z"), "ba"},  // code-point order: z (7a) before e-acute (e9)
    };
    for (const auto& c : cases) {
        Ref<N::Collection> col = Adopt(new N::Collection());
        col->SetSortKeys(Keys({"Order"}));
        col->Add(Item("a", c.first));
        col->Add(Item("b", c.second));
        EXPECT_EQ(Names(col), c.expected);
    }
    // Secondary keys decide between equal primary keys.
    Ref<N::Collection> col = Adopt(new N::Collection());
    col->SetSortKeys(Keys({"Order", "Name"}));
    col->Add(Item("y", N::Int(1)));
    col->Add(Item("x", N::Int(1)));
    col->Add(Item("w", N::Int(0)));
    EXPECT_EQ(Names(col), "wxy");

    EXPECT_EQ(N::CompareKeyValues(nullptr, nullptr), 0);
    EXPECT_LT(N::CompareKeyValues(N::Int(-1), nullptr), 0);
    EXPECT_GT(N::CompareKeyValues(N::Int(0), nullptr), 0);
    EXPECT_LT(N::CompareKeyValues(nullptr, N::Int(1)), 0);
}

TEST(Collection, IndexRules) {
    Ref<N::Collection> c = Adopt(new N::Collection());
    CountListener count;
    c->AddListener("*", &count);
    Ref<N::Element> a = Item("a"), b = Item("b"), x = Item("x");
    c->Add(a);
    c->Add(b);
    c->Add(Item("c"));
    count.calls = 0;
    EXPECT_EQ(c->Insert(x, 99), 3);  // out of range appends
    EXPECT_EQ(c->Insert(nullptr, 0), 0);  // refused
    EXPECT_EQ(c->Count(), 4);
    EXPECT_EQ(c->Insert(Item("f"), 0), 0);
    EXPECT_EQ(Names(c), "fabcx");
    EXPECT_EQ(count.calls, 2);

    Ref<N::Element> stranger = Item("s");
    EXPECT_EQ(c->Remove(stranger), -1);
    EXPECT_EQ(c->Remove(nullptr, 17), -1);
    EXPECT_EQ(count.calls, 2);  // nothing removed, nothing raised
    EXPECT_EQ(c->Remove(b), 2);
    EXPECT_EQ(c->Remove(nullptr, 0), 0);
    EXPECT_EQ(Names(c), "acx");
    c->RemoveLast();
    EXPECT_EQ(Names(c), "ac");
    EXPECT_EQ(count.calls, 5);

    EXPECT_EQ(c->IndexOf(a), 0);
    EXPECT_FALSE(c->Contains(b));
    EXPECT_EQ(c->CompareOrder(a, c->Item(1)), -1);
    EXPECT_EQ(c->CompareOrder(c->Item(1), a), 1);
    EXPECT_EQ(c->CompareOrder(b, x), 0);
    EXPECT_EQ(c->Add(nullptr), 2);  // a null item is allowed
    EXPECT_EQ(c->Item(2), nullptr);
    EXPECT_EQ(b->RefCount(), 1);  // the removed item was released

    Ref<N::Collection> empty = Adopt(new N::Collection());
    empty->RemoveLast();
    EXPECT_EQ(empty->Count(), 0);
}

TEST(Collection, CloneShallowAndDeep) {
    Ref<N::Collection> source = Adopt(new N::Collection());
    N::SetValue(source, "Tag", N::String("list"));
    source->Add(Item("a"));
    source->Add(N::Int(5));  // items need not be elements
    Ref<N::Collection> shallow = Adopt(N::CloneCollection(source, false));
    Ref<N::Collection> deep = Adopt(N::CloneCollection(source, true));
    for (N::Collection* copy : {shallow.Get(), deep.Get()}) {
        ASSERT_EQ(copy->Count(), 2);
        EXPECT_EQ(N::ToText(N::GetValue(copy, "Tag")), "list");
        EXPECT_EQ(N::ToInt(copy->Item(1)), 5);
    }
    EXPECT_EQ(shallow->Item(0), source->Item(0));
    EXPECT_NE(deep->Item(0), source->Item(0));
    EXPECT_EQ(Names(deep), "a");
    EXPECT_EQ(source->Item(0)->RefCount(), 2);  // source and the shallow copy
}

TEST(Collection, FindByPropertyInItems) {
    Ref<N::Collection> outer = Adopt(new N::Collection());
    Ref<N::Collection> inner = Adopt(new N::Collection());
    inner->Add(Item("deep"));
    outer->Add(Item("top"));
    outer->Add(inner);
    Ref<N::Property> deep = N::String("deep");
    EXPECT_EQ(N::FindByProperty(outer.Get(), "Name", deep, false), nullptr);
    EXPECT_NE(N::FindByProperty(outer.Get(), "Name", deep, true), nullptr);
    EXPECT_EQ(N::SharedEmptyCollection()->Count(), 0);
    EXPECT_EQ(N::SharedEmptyCollection(), N::SharedEmptyCollection());
}

TEST(ElementMap, SlotsAndOwnership) {
    Ref<N::Element> kept = Item("kept");
    {
        N::ElementMap owning(true);
        N::Element*& slot = owning.Slot("a");
        EXPECT_EQ(slot, nullptr);
        kept->AddRef();
        slot = kept;
        EXPECT_EQ(owning.Find("a"), kept.Get());
        EXPECT_EQ(owning.Find("b"), nullptr);
        EXPECT_EQ(&owning.Slot("a"), &slot);
    }
    EXPECT_EQ(kept->RefCount(), 1);  // released with the owning map
    N::ElementMap borrowing(false);
    borrowing.Slot("k") = kept;
    EXPECT_EQ(kept->RefCount(), 1);
}
