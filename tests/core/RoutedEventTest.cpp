// Routed events: route building along the parent chain, class handlers in
// class-chain order, invocation order by strategy, nested raising, args.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/core/EventManager.h"
#include "ui/core/Mouse.h"
#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/core/RoutedEventArgs.h"

namespace {

std::vector<std::string> calls;

// Elements with a parent link, as the visual tree gives them.
class Node : public N::Element {
public:
    N_DECLARE_TYPE();
    Node() : Node(StaticType()) {}
    explicit Node(N::PropertyType* type) : N::Element(type) {}
    N::Element* GetParent() const override { return parent; }
    void Record(const char* what, N::Element* source) {
        calls.push_back(std::string(what) + "@" + N::ToText(N::GetValue(this, "Name")).c_str() + " from " +
                        N::ToText(N::GetValue(source, "Name")).c_str());
    }
    void OnPing(N::Element* source, RoutedEventArgs*) { Record("Node.Ping", source); }
    N::Element* parent = nullptr;
};

class TestThumb : public Node {
public:
    N_DECLARE_TYPE();
    TestThumb() : Node(StaticType()) {}
    void OnMouseDown(N::Element* source, RoutedEventArgs*) { Record("Thumb.MouseDown", source); }
    void OnPing(N::Element* source, RoutedEventArgs*);
};

class TestScrollBar : public Node {
public:
    N_DECLARE_TYPE();
    TestScrollBar() : Node(StaticType()) {}
    void OnDrag(N::Element* source, RoutedEventArgs* args) {
        Record("ScrollBar.Drag", source);
        calls.back() += " dx=" + std::string(N::ToText(N::GetValue(args, "HorizontalDelta")).c_str());
    }
    void OnPong(N::Element* source, RoutedEventArgs*) { Record("ScrollBar.Pong", source); }
};

// Events owned by Node, declared the way owning classes do it.
RoutedEvent* Bubbling(const char* name) { return DeclareRoutedEvent(name, RoutingStrategy::Bubble, &Node::StaticType); }
RoutedEvent* TestDrag() {
    static RoutedEvent* e;
    if (!e) e = Bubbling("TestDrag");
    return e;
}
RoutedEvent* TestPing() {
    static RoutedEvent* e;
    if (!e) e = Bubbling("TestPing");
    return e;
}
RoutedEvent* TestPong() {
    static RoutedEvent* e;
    if (!e) e = Bubbling("TestPong");
    return e;
}
RoutedEvent* TestTunnel() {
    static RoutedEvent* e;
    if (!e) e = DeclareRoutedEvent("TestTunnel", RoutingStrategy::Tunnel, &Node::StaticType);
    return e;
}

// The thumb's ping handler raises a pong before the ping route goes on.
void TestThumb::OnPing(N::Element* source, RoutedEventArgs*) {
    Record("Thumb.Ping", source);
    RaiseEvent(this, new RoutedEventArgs(TestPong()));
}

N_ELEMENT_TYPE(Node, N::Element, [](N::TypeBuilder& t) {
    RegisterClassHandler(t.Type(), TestPing(), &Node::OnPing);
    RegisterClassHandler(t.Type(), TestTunnel(), &Node::OnPing);
});
N_ELEMENT_TYPE(TestThumb, Node, [](N::TypeBuilder& t) {
    RegisterClassHandler(t.Type(), Mouse::MouseDownEvent(), &TestThumb::OnMouseDown);
    RegisterClassHandler(t.Type(), TestPing(), &TestThumb::OnPing);
});
N_ELEMENT_TYPE(TestScrollBar, Node, [](N::TypeBuilder& t) {
    RegisterClassHandler(t.Type(), TestDrag(), &TestScrollBar::OnDrag);
    RegisterClassHandler(t.Type(), TestPong(), &TestScrollBar::OnPong);
});

// window > scrollBar > thumb
struct Tree {
    N::Ref<Node> window = N::Adopt(new Node());
    N::Ref<TestScrollBar> scrollBar = N::Adopt(new TestScrollBar());
    N::Ref<TestThumb> thumb = N::Adopt(new TestThumb());
    Tree() {
        N::SetValue(window, "Name", N::String("window"));
        N::SetValue(scrollBar, "Name", N::String("bar"));
        N::SetValue(thumb, "Name", N::String("thumb"));
        scrollBar->parent = window;
        thumb->parent = scrollBar;
        calls.clear();
    }
};

}  // namespace

TEST(RoutedEvents, MouseDownReachesOnlyTheThumb) {
    Tree tree;
    RaiseEvent(tree.thumb, new RoutedEventArgs(Mouse::MouseDownEvent()));
    EXPECT_EQ(calls, std::vector<std::string>{"Thumb.MouseDown@thumb from thumb"});
}

TEST(RoutedEvents, DragBubblesToTheScrollBar) {
    Tree tree;
    auto* args = new RoutedEventArgs(TestDrag(), "HorizontalDelta", N::Double(2.5), "VerticalDelta", N::Double(0));
    RaiseEvent(tree.thumb, args);
    EXPECT_EQ(calls, std::vector<std::string>{"ScrollBar.Drag@bar from thumb dx=2.5"});
}

TEST(RoutedEvents, ClassChainMostDerivedFirstThenOutwards) {
    Tree tree;
    N::Ref<EventRoute> route = N::Adopt(BuildRoute(TestPing(), tree.thumb));
    ASSERT_EQ(route->Count(), 4);  // thumb: TestThumb, Node; bar: Node; window: Node
    EXPECT_EQ(route->ItemAt(0)->GetElement(), tree.thumb.Get());
    EXPECT_EQ(route->ItemAt(1)->GetElement(), tree.thumb.Get());
    EXPECT_EQ(route->ItemAt(3)->GetElement(), tree.window.Get());
    N::Ref<EventRoute> empty = N::Adopt(BuildRoute(TestPing(), nullptr));
    EXPECT_EQ(empty->Count(), 0);
}

TEST(RoutedEvents, NestedRaiseRunsItsWholeRouteFirst) {
    Tree tree;
    RaiseEvent(tree.thumb, new RoutedEventArgs(TestPing()));
    std::vector<std::string> expected = {
        "Thumb.Ping@thumb from thumb",  "ScrollBar.Pong@bar from thumb", "Node.Ping@thumb from thumb",
        "Node.Ping@bar from thumb",     "Node.Ping@window from thumb",
    };
    EXPECT_EQ(calls, expected);
}

TEST(RoutedEvents, TunnelGoesFromTheRootToTheSource) {
    Tree tree;
    RaiseEvent(tree.thumb, new RoutedEventArgs(TestTunnel()));
    std::vector<std::string> expected = {"Node.Ping@window from thumb", "Node.Ping@bar from thumb",
                                         "Node.Ping@thumb from thumb"};
    EXPECT_EQ(calls, expected);
}

TEST(RoutedEvents, RaisingConsumesTheArgs) {
    Tree tree;
    N::Ref<RoutedEventArgs> args = N::Adopt(new RoutedEventArgs(TestDrag(), "HorizontalDelta", N::Double(1)));
    args->AddRef();  // the reference RaiseEvent consumes
    RaiseEvent(tree.window, args);  // no handler on the route: nothing happens
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(args->RefCount(), 1);
}

TEST(RoutedEvents, RegistryAndReplacement) {
    EXPECT_EQ(FindRoutedEvent("MouseDown"), Mouse::MouseDownEvent());
    EXPECT_EQ(Mouse::MouseMoveEvent()->OwnerType(), Mouse::StaticType());
    EXPECT_EQ(N::ToText(Mouse::MouseUpEvent()->Strategy()), "Bubble");
    EXPECT_EQ(FindRoutedEvent("NoSuchEvent"), nullptr);
    N::Ref<N::Property> plain = N::Adopt(N::CreateInstanceByName("RoutedEvent"));
    EXPECT_EQ(N::ToText(static_cast<RoutedEvent*>(plain.Get())->Strategy()), "Direct");

    // A second registration under a name replaces the first in the
    // registry, while the first stays valid for those holding it.
    auto bubble = N::EnumValue<RoutingStrategy>(RoutingStrategy::Bubble);
    RoutedEvent* first = RegisterRoutedEvent("TestReplaced", bubble, Node::StaticType());
    RoutedEvent* second = RegisterRoutedEvent("TestReplaced", bubble, Node::StaticType());
    EXPECT_EQ(DeclareRoutedEvent("TestReplaced", RoutingStrategy::Direct, nullptr), second);
    EXPECT_EQ(FindRoutedEvent("TestReplaced"), second);
    EXPECT_EQ(N::ToText(first->Strategy()), "Bubble");
    // A later handler for the same (event, type) replaces the earlier one.
    RegisterClassHandler(TestScrollBar::StaticType(), second, &TestScrollBar::OnPong);
    RegisterClassHandler(TestScrollBar::StaticType(), second, &TestScrollBar::OnDrag);
    EXPECT_EQ(FindClassHandler(second, TestScrollBar::StaticType()),
              static_cast<EventHandlerFunction>(&TestScrollBar::OnDrag));
}

TEST(RoutedEvents, ArgsProperties) {
    RoutedEventArgs one(TestDrag(), "A", N::Int(1), "", N::Int(2));
    EXPECT_EQ(one.LocalValueCount(), 1u);
    EXPECT_EQ(one.Event(), TestDrag());
    DragDeltaEventArgs delta(3, -4);
    EXPECT_EQ(N::ToDouble(N::GetValue(&delta, "HorizontalDelta")), 3);
    EXPECT_EQ(N::GetValue(&delta, "VerticalDelta")->GetType(), N::DoubleType());
    DragStartedEventArgs started(1, 2);
    EXPECT_EQ(N::ToDouble(N::GetValue(&started, "VerticalOffset")), 2);
    DragCompletedEventArgs completed(5, 6);
    EXPECT_EQ(N::ToDouble(N::GetValue(&completed, "HorizontalOffset")), 5);
}

TEST(RoutedEvents, MousePositionThroughTheMapper) {
    Tree tree;
    Mouse::SetPosition(Point(10, 20));
    EXPECT_EQ(N::ToText(Mouse::GetPosition(tree.thumb)), "10, 20");
    Mouse::SetPointMapper([](N::Element*, double* x, double* y) {
        *x -= 5;
        *y -= 5;
    });
    EXPECT_EQ(N::ToText(Mouse::GetPosition(tree.thumb)), "5, 15");
    Mouse::SetPointMapper(nullptr);
}
