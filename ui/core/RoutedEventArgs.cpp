#include "ui/core/RoutedEventArgs.h"

#include "ui/core/PrimitiveTypes.h"

N_ELEMENT_TYPE(RoutedEventArgs, N::Element);

RoutedEventArgs::RoutedEventArgs(RoutedEvent* event, std::string_view name1, N::Property* value1,
                                 std::string_view name2, N::Property* value2)
    : RoutedEventArgs(StaticType(), event, name1, value1, name2, value2) {}

RoutedEventArgs::RoutedEventArgs(N::PropertyType* type, RoutedEvent* event, std::string_view name1,
                                 N::Property* value1, std::string_view name2, N::Property* value2)
    : N::Element(type), event_(event) {
    if (!name1.empty() && value1) N::SetValue(this, name1, value1);
    if (!name2.empty() && value2) N::SetValue(this, name2, value2);
}

DragStartedEventArgs::DragStartedEventArgs(double horizontalOffset, double verticalOffset)
    : RoutedEventArgs(FindRoutedEvent("DragStarted"), "HorizontalOffset", N::Double(horizontalOffset),
                      "VerticalOffset", N::Double(verticalOffset)) {}

DragDeltaEventArgs::DragDeltaEventArgs(double horizontalDelta, double verticalDelta)
    : RoutedEventArgs(FindRoutedEvent("DragDelta"), "HorizontalDelta", N::Double(horizontalDelta),
                      "VerticalDelta", N::Double(verticalDelta)) {}

DragCompletedEventArgs::DragCompletedEventArgs(double horizontalOffset, double verticalOffset)
    : RoutedEventArgs(FindRoutedEvent("DragCompleted"), "HorizontalOffset", N::Double(horizontalOffset),
                      "VerticalOffset", N::Double(verticalOffset)) {}
