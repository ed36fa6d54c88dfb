#include "ui/core/Mouse.h"

namespace {
struct MouseState {
    double x = 0;
    double y = 0;
    Mouse::PointMapper mapper = nullptr;
};
MouseState& State() {
    static MouseState state;
    return state;
}
RoutedEvent* DeclareMouseEvent(const char* name) {
    return DeclareRoutedEvent(name, RoutingStrategy::Bubble, &Mouse::StaticType);
}
}  // namespace

N_ELEMENT_TYPE(Mouse, N::Element, [](N::TypeBuilder&) {
    Mouse::MouseDownEvent();
    Mouse::MouseUpEvent();
    Mouse::MouseMoveEvent();
});

RoutedEvent* Mouse::MouseDownEvent() {
    static RoutedEvent* event;
    if (!event) event = DeclareMouseEvent("MouseDown");
    return event;
}
RoutedEvent* Mouse::MouseUpEvent() {
    static RoutedEvent* event;
    if (!event) event = DeclareMouseEvent("MouseUp");
    return event;
}
RoutedEvent* Mouse::MouseMoveEvent() {
    static RoutedEvent* event;
    if (!event) event = DeclareMouseEvent("MouseMove");
    return event;
}

void Mouse::SetPosition(const Point& windowPosition) { SetPosition(windowPosition.X, windowPosition.Y); }
void Mouse::SetPosition(double x, double y) {
    State().x = x;
    State().y = y;
}

N::Ref<Point> Mouse::GetPosition(N::Element* element) {
    double x = State().x, y = State().y;
    if (State().mapper && element) State().mapper(element, &x, &y);
    return N::Adopt(new Point(x, y));
}

void Mouse::SetPointMapper(PointMapper mapper) noexcept { State().mapper = mapper; }
