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
RoutedEvent* RegisterMouseEvent(const char* name) {
    return RegisterRoutedEvent(name, N::EnumValue<RoutingStrategy>(RoutingStrategy::Bubble), Mouse::StaticType());
}
}  // namespace

N_ELEMENT_TYPE(Mouse, N::Element, [](N::TypeBuilder&) {
    Mouse::MouseDownEvent();
    Mouse::MouseUpEvent();
    Mouse::MouseMoveEvent();
});

RoutedEvent* Mouse::MouseDownEvent() {
    static RoutedEvent* const event = RegisterMouseEvent("MouseDown");
    return event;
}
RoutedEvent* Mouse::MouseUpEvent() {
    static RoutedEvent* const event = RegisterMouseEvent("MouseUp");
    return event;
}
RoutedEvent* Mouse::MouseMoveEvent() {
    static RoutedEvent* const event = RegisterMouseEvent("MouseMove");
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
