#pragma once
// RoutedEventArgs (type "RoutedEventArgs"): the event being raised and the
// event data as ordinary properties of the args element. Raising consumes
// the args' creation reference.

#include "ui/core/RoutedEvent.h"

class RoutedEventArgs : public N::Element {
public:
    N_DECLARE_TYPE();
    RoutedEventArgs() : RoutedEventArgs(nullptr) {}
    // Stores up to two (name, value) pairs; the second is skipped when its
    // name is empty.
    explicit RoutedEventArgs(RoutedEvent* event, std::string_view name1 = {}, N::Property* value1 = nullptr,
                             std::string_view name2 = {}, N::Property* value2 = nullptr);

    RoutedEvent* Event() const noexcept { return event_; }  // borrowed

protected:
    RoutedEventArgs(N::PropertyType* type, RoutedEvent* event, std::string_view name1, N::Property* value1,
                    std::string_view name2, N::Property* value2);

private:
    RoutedEvent* event_;
};

// The thumb's drag events; the events themselves are registered by the
// thumb's class and found here by name.
class DragStartedEventArgs : public RoutedEventArgs {
public:
    DragStartedEventArgs(double horizontalOffset, double verticalOffset);
};

class DragDeltaEventArgs : public RoutedEventArgs {
public:
    DragDeltaEventArgs(double horizontalDelta, double verticalDelta);
};

class DragCompletedEventArgs : public RoutedEventArgs {
public:
    DragCompletedEventArgs(double horizontalOffset, double verticalOffset);
};
