// Element property storage: precedence, conversion on declared properties,
// change notification, listeners, searching and copying.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/core/Collection.h"
#include "ui/core/Element.h"
#include "ui/core/MarkupExtensionBase.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/core/Thickness.h"

namespace {

using N::Adopt;
using N::Ref;

// An element class with declarations of several kinds; it records what the
// change machinery does to it.
class TestWidget : public N::Element {
public:
    N_DECLARE_TYPE();
    TestWidget() : TestWidget(StaticType()) {}
    explicit TestWidget(N::PropertyType* type) : N::Element(type) {}

    void OnCountChanged(const N::PropertyChangedArgs& args) {
        log.push_back("handler " + std::string(args.name.c_str()) + " " + N::ToText(args.oldValue).c_str() + "->" +
                      N::ToText(args.newValue).c_str());
    }
    void RaiseLayoutFlags(uint32_t bits) override { layoutBits |= bits; }
    void ReevaluateStyleTriggers(const N::PropertyChangedArgs& args) override {
        log.push_back(std::string("style ") + args.name.c_str());
    }

    std::vector<std::string> log;
    uint32_t layoutBits = 0;
};

N_ELEMENT_TYPE(TestWidget, N::Element, [](N::TypeBuilder& t) {
    t.Property("Count", N::Int(0), N::Metadata(0, &TestWidget::OnCountChanged));
    t.Property("Enabled", N::TrueValue());
    t.Property("Width", N::Double(0), N::FrameworkMetadata(N::AffectsMeasure | N::AffectsRender));
    t.Property("Margin", Adopt(new Thickness()), N::FrameworkMetadata(N::AffectsArrange));
    t.Property("Label", N::String("none"));
    t.Property("Tag", N::UnsetValue());
});

// A derived class whose metaclass supplies values for unset properties, the
// way the style lookup does, and which re-declares a default.
class StyledWidget : public TestWidget {
public:
    N_DECLARE_TYPE();
    StyledWidget() : TestWidget(StaticType()) {}
};

class StyledWidgetTypeImpl final : public N::ElementTypeImplT<StyledWidget> {
public:
    using ElementTypeImplT::ElementTypeImplT;
    N::Property* GetValueHook(N::Element* element, std::string_view name) override {
        if (name == "Label") return styleLabel;
        return ElementTypeImplT::GetValueHook(element, name);
    }
    Ref<N::Property> styleLabel = N::String("from style");
};

N_DEFINE_TYPE(StyledWidget, "StyledWidget", StyledWidgetTypeImpl, TestWidget::StaticType(), [](N::TypeBuilder& t) {
    t.Flags(N::PropertyType::UsesValueHook);
    t.Property("Count", N::Int(7));
});

class Recorder : public N::PropertyListener {
public:
    void OnPropertyChanged(N::Element*, const UString& key, N::Property* newValue) override {
        calls.push_back(std::string(key.c_str()) + "=" + N::ToText(newValue).c_str());
    }
    std::vector<std::string> calls;
};

// Stands for a markup extension: stored as is, read as what it provides.
class FixedExtension : public N::MarkupExtensionBase {
public:
    FixedExtension() : N::MarkupExtensionBase(N::Element::StaticType()) {}
    N::Property* ProvideValue() override { return provided; }
    Ref<N::Property> provided = N::String("42");
};

}  // namespace

TEST(ElementValues, PrecedenceLocalThenStyleThenDefault) {
    Ref<StyledWidget> styled = Adopt(new StyledWidget());
    Ref<TestWidget> plain = Adopt(new TestWidget());
    EXPECT_EQ(N::ToText(N::GetValue(plain, "Label")), "none");  // declared default
    EXPECT_EQ(N::ToText(N::GetValue(styled, "Label")), "from style");
    EXPECT_EQ(N::ToInt(N::GetValue(styled, "Count")), 7);   // re-declared default
    EXPECT_EQ(N::ToInt(N::GetValue(plain, "Count")), 0);
    EXPECT_EQ(N::GetValue(plain, "Tag"), nullptr);          // declared without default
    EXPECT_EQ(N::GetValue(plain, "Undeclared"), nullptr);

    EXPECT_TRUE(N::SetValue(styled, "Label", N::String("local")));
    EXPECT_EQ(N::ToText(N::GetValue(styled, "Label")), "local");
    EXPECT_TRUE(N::SetValue(styled, "Label", N::UnsetValue()));
    EXPECT_EQ(N::ToText(N::GetValue(styled, "Label")), "from style");

    EXPECT_EQ(N::GetValue(nullptr, "Label"), nullptr);
    EXPECT_FALSE(N::SetValue(nullptr, "Label", N::String("x")));
}

TEST(ElementValues, ConversionOnDeclaredProperties) {
    struct Case {
        const char* name;
        const char* text;
        bool stored;
        const char* expected;  // text form of the stored value
    } cases[] = {
        {"Count", "12", true, "12"},       {"Count", "-3", false, "0"},  // a sign is refused
        {"Count", " 8 ", true, "8"},       {"Enabled", "abc", true, "False"},
        {"Enabled", "TRUE", true, "True"}, {"Enabled", "yes", true, "True"},
        {"Width", "2,5", true, "2.5"},     {"Margin", "1,2", true, "1, 2"},
        {"Undeclared", "-3", true, "-3"},  // attached and undeclared names keep the text
    };
    for (const Case& c : cases) {
        Ref<TestWidget> w = Adopt(new TestWidget());
        EXPECT_EQ(N::SetValue(w, c.name, N::String(c.text)), c.stored) << c.name << " " << c.text;
        EXPECT_EQ(w->LocalValueCount(), c.stored ? 1u : 0u);
        EXPECT_EQ(N::ToText(N::GetValue(w, c.name)), c.expected) << c.name << " " << c.text;
    }
    Ref<TestWidget> w = Adopt(new TestWidget());
    N::SetValue(w, "Count", N::String("12"));
    EXPECT_EQ(N::GetValue(w, "Count")->GetType(), N::IntType());
    N::SetValue(w, "Enabled", N::String("TRUE"));
    EXPECT_EQ(N::GetValue(w, "Enabled"), N::TrueValue());
    // An Int on the Double property is converted.
    EXPECT_TRUE(N::SetValue(w, "Width", N::Int(3)));
    EXPECT_EQ(N::GetValue(w, "Width")->GetType(), N::DoubleType());
    // Conversion applies when a name gets its local value; replacing an
    // existing local value stores the new value as given.
    EXPECT_TRUE(N::SetValue(w, "Count", N::String("13")));
    EXPECT_EQ(N::GetValue(w, "Count")->GetType(), N::StringType());
}

TEST(ElementValues, EqualValueReplacesStoredObjectSilently) {
    Ref<TestWidget> w = Adopt(new TestWidget());
    Recorder recorder;
    w->AddListener("*", &recorder);
    Ref<N::Element> first = Adopt(new N::Element());
    EXPECT_TRUE(N::SetValue(w, "Child", first));
    Ref<N::Property> one = N::String("1");
    EXPECT_TRUE(N::SetValue(w, "Label", one));
    Ref<N::Property> oneAgain = N::Int(1);
    EXPECT_FALSE(N::SetValue(w, "Label", oneAgain));  // Equals by text form
    EXPECT_EQ(N::GetValue(w, "Label")->GetType(), N::IntType());  // but the new object is stored
    EXPECT_EQ(recorder.calls.size(), 2u);
}

TEST(ElementValues, ClearingRules) {
    Ref<TestWidget> w = Adopt(new TestWidget());
    Recorder recorder;
    w->AddListener("*", &recorder);
    EXPECT_FALSE(N::SetValue(w, "Label", N::UnsetValue()));  // nothing to clear
    EXPECT_TRUE(N::SetValue(w, "Count", N::Int(0)));
    EXPECT_FALSE(N::SetValue(w, "Count", N::UnsetValue()));  // 0 Equals Unset: removed silently
    EXPECT_EQ(w->LocalValueCount(), 0u);
    EXPECT_TRUE(N::SetValue(w, "Count", N::Int(5)));
    EXPECT_TRUE(N::SetValue(w, "Count", N::UnsetValue()));
    EXPECT_EQ(w->LocalValueCount(), 0u);
    // The clearing notification carries the declared default.
    ASSERT_EQ(recorder.calls.size(), 3u);
    EXPECT_EQ(recorder.calls[2], "*=0");
}

TEST(ElementValues, NotificationOrderAndLayoutSeams) {
    Ref<TestWidget> w = Adopt(new TestWidget());
    Recorder byName, any, both;
    w->AddListener("Count", &byName);
    w->AddListener("*", &any);
    w->AddListener("Count", &both);
    w->AddListener("Count", &both);  // registered once only
    EXPECT_TRUE(N::SetValue(w, "Count", N::Int(3)));
    EXPECT_EQ(w->log, std::vector<std::string>{"handler Count ->3"});  // no old local value
    EXPECT_EQ(byName.calls, std::vector<std::string>{"Count=3"});
    EXPECT_EQ(any.calls, std::vector<std::string>{"*=3"});
    EXPECT_EQ(both.calls.size(), 1u);

    w->log.clear();
    EXPECT_TRUE(N::SetValue(w, "Width", N::Double(10)));
    EXPECT_EQ(w->layoutBits, uint32_t(N::LayoutMeasureInvalid | N::LayoutRenderInvalid));
    EXPECT_EQ(w->log, std::vector<std::string>{"style Width"});
    EXPECT_TRUE(N::SetValue(w, "Margin", N::String("4")));
    EXPECT_EQ(w->layoutBits, uint32_t(N::LayoutMeasureInvalid | N::LayoutRenderInvalid | N::LayoutArrangeInvalid));

    // Plain metadata and undeclared names raise nothing.
    w->layoutBits = 0;
    N::SetValue(w, "Count", N::Int(4));
    N::SetValue(w, "Other", N::Int(4));
    EXPECT_EQ(w->layoutBits, 0u);

    // Notification without storing anything.
    w->NotifyPropertyChanged("Flags", N::Int(9), nullptr);
    EXPECT_EQ(any.calls.back(), "*=9");
}

TEST(ElementValues, ListenerMayDropTheElement) {
    struct Dropper : N::PropertyListener {
        N::Element* owned = nullptr;
        void OnPropertyChanged(N::Element*, const UString&, N::Property*) override {
            if (owned) owned->Release();
            owned = nullptr;
        }
    } dropper;
    auto* w = new TestWidget();
    dropper.owned = w;
    w->AddListener("Label", &dropper);
    EXPECT_TRUE(N::SetValue(w, "Label", N::String("bye")));  // no use after free
}

TEST(ElementValues, ReferenceCountsFollowStorage) {
    Ref<N::Element> child = Adopt(new N::Element());
    {
        Ref<TestWidget> w = Adopt(new TestWidget());
        N::SetValue(w, "Child", child);
        EXPECT_EQ(child->RefCount(), 2);
        N::SetValue(w, "Child", N::UnsetValue());
        EXPECT_EQ(child->RefCount(), 1);
        N::SetValue(w, "Child", child);
        EXPECT_EQ(child->RefCount(), 2);
    }
    EXPECT_EQ(child->RefCount(), 1);  // released with its owner
    // Stack primitives are copied, never referenced.
    Ref<TestWidget> w = Adopt(new TestWidget());
    {
        N::LocalValue text("temporary");
        N::SetValue(w, "Label", &text);
    }
    EXPECT_EQ(N::ToText(N::GetValue(w, "Label")), "temporary");
}

TEST(ElementValues, MarkupExtensionIsStoredAndProvided) {
    Ref<TestWidget> w = Adopt(new TestWidget());
    Recorder recorder;
    w->AddListener("Count", &recorder);
    Ref<FixedExtension> extension = Adopt(new FixedExtension());
    EXPECT_TRUE(N::SetValue(w, "Count", extension));  // not converted to Int
    EXPECT_EQ(N::GetLocalValue(w, N::Element::StaticType(), "Count"), extension.Get());
    EXPECT_EQ(N::ToText(N::GetValue(w, "Count")), "42");
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"Count=42"});
}

TEST(ElementValues, LocalValueAndIteration) {
    Ref<TestWidget> w = Adopt(new TestWidget());
    N::SetValue(w, "Label", N::String("a"));
    N::SetValue(w, "Count", N::Int(2));
    EXPECT_NE(N::GetLocalValue(w, N::StringType(), "Label"), nullptr);
    EXPECT_EQ(N::GetLocalValue(w, N::IntType(), "Label"), nullptr);
    EXPECT_EQ(N::GetLocalValue(w, N::IntType(), "Enabled"), nullptr);  // only a default
    std::unique_ptr<N::Element::PropertyIterator> it(w->GetProperties());
    int seen = 0;
    UString name;
    for (N::Property* v = it->First(&name); v; v = it->Next(&name)) {
        EXPECT_EQ(it->Current(), v);
        ++seen;
    }
    EXPECT_EQ(seen, 2);
    Ref<N::Element> empty = Adopt(new N::Element());
    std::unique_ptr<N::Element::PropertyIterator> none(empty->GetProperties());
    EXPECT_EQ(none->First(&name), nullptr);
}

namespace {
// root
//   Children: [a (x:Name "a"), b]
//   Content: c (x:Name "c", Children: [d (x:Name "d")])
Ref<N::Element> NamedTree() {
    auto named = [](const char* name) {
        Ref<N::Element> e = Adopt(new N::Element());
        if (name) N::SetValue(e, "x:Name", N::String(name));
        return e;
    };
    Ref<N::Element> root = named(nullptr);
    N::Collection* children = N::GetChildren(root, true);
    children->Add(named("a"));
    children->Add(named(nullptr));
    Ref<N::Element> c = named("c");
    N::GetChildren(c, true)->Add(named("d"));
    N::SetValue(root, "Content", c);
    return root;
}
}  // namespace

TEST(ElementSearch, FindByPropertyShallowAndDeep) {
    Ref<N::Element> root = NamedTree();
    Ref<N::Property> a = N::String("a"), c = N::String("c"), d = N::String("d");
    EXPECT_NE(N::FindByProperty(root, "x:Name", a, false), nullptr);
    EXPECT_EQ(N::FindByProperty(root, "x:Name", c, false), nullptr);  // not a child
    EXPECT_NE(N::FindByProperty(root, "x:Name", c, true), nullptr);
    N::Element* found = N::FindByProperty(root, "x:Name", d, true);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(N::ToText(N::GetValue(found, "x:Name")), "d");
    EXPECT_EQ(N::FindByProperty(root, "x:Name", N::String("zz"), true), nullptr);
    EXPECT_EQ(N::FindByProperty(static_cast<N::Element*>(nullptr), "x:Name", a, true), nullptr);
}

TEST(ElementCopy, CloneElementIsDeep) {
    Ref<N::Element> root = NamedTree();
    N::SetValue(root, "Width", N::Int(3));
    Ref<N::Element> copy = Adopt(N::CloneElement(root));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetType(), root->GetType());
    EXPECT_EQ(N::ToInt(N::GetValue(copy, "Width")), 3);
    N::Collection* original = N::GetChildren(root, false);
    N::Collection* cloned = N::GetChildren(copy, false);
    ASSERT_NE(cloned, nullptr);
    EXPECT_NE(cloned, original);
    ASSERT_EQ(cloned->Count(), 2);
    EXPECT_NE(cloned->Item(0), original->Item(0));
    EXPECT_NE(N::GetValue(copy, "Content"), N::GetValue(root, "Content"));
    EXPECT_NE(N::FindByProperty(copy, "x:Name", N::String("d"), true), nullptr);

    Ref<N::Element> shallow = Adopt(N::CloneElementShallow(root));
    EXPECT_EQ(N::GetChildren(shallow, false), original);  // same collection shared
}

TEST(ElementCopy, AbstractAndTypelessSources) {
    class Abstract : public N::Element {
    public:
        explicit Abstract(N::PropertyType* t) : N::Element(t) {}
    };
    static N::AbstractTypeImpl abstractType("TestAbstractElement", N::Element::StaticType());
    Abstract source(&abstractType);
    EXPECT_EQ(N::CloneElement(&source), nullptr);

    N::Element typeless(nullptr);
    N::SetValue(&typeless, "Tag", N::String("t"));
    Ref<N::Element> copy = Adopt(N::CloneElement(&typeless));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetType(), N::Element::StaticType());
    EXPECT_EQ(N::ToText(N::GetValue(copy, "Tag")), "t");
}
