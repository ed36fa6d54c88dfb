#pragma once
// Mouse (type "Mouse"): owner of the mouse events and holder of the last
// pointer position in window coordinates, which the view host sets before
// it raises each mouse event.

#include "ui/core/Point.h"
#include "ui/core/RoutedEvent.h"

class Mouse : public N::Element {
public:
    N_DECLARE_TYPE();
    Mouse() : N::Element(StaticType()) {}

    static RoutedEvent* MouseDownEvent();
    static RoutedEvent* MouseUpEvent();
    static RoutedEvent* MouseMoveEvent();

    // Stores a copy of the window position.
    static void SetPosition(const Point& windowPosition);
    static void SetPosition(double x, double y);
    // The last position in element's coordinates (through the mapper the
    // visual tree installs; window coordinates until then).
    static N::Ref<Point> GetPosition(N::Element* element);

    // Maps window coordinates into an element's own (UIElement's
    // PointFromWindow); installed by the layout code.
    using PointMapper = void (*)(N::Element* element, double* x, double* y);
    static void SetPointMapper(PointMapper mapper) noexcept;
};
