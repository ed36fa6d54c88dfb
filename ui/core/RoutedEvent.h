#pragma once
// Routed events: an event descriptor (RoutedEvent), the registry of events
// by name (EventManager), class handlers per (event, type), and the route of
// one raised event. An event travels from its source element along the
// parent chain (Element::GetParent, filled in by the visual tree); every
// class handler of every element's class chain on the way runs, most
// derived class first. There are no per-instance handlers and no "handled"
// flag.
//
// A class that owns events gives each an accessor built on DeclareRoutedEvent
// (safe while the owner's metaclass is still being constructed):
//     RoutedEvent* Thumb::DragDeltaEvent() {
//         static RoutedEvent* event;
//         if (!event) event = DeclareRoutedEvent("DragDelta", RoutingStrategy::Bubble, &Thumb::StaticType);
//         return event;
//     }
// A class registers its handlers in its N_ELEMENT_TYPE block:
//     RegisterClassHandler(t.Type(), Mouse::MouseDownEvent(), &Thumb::OnMouseDown);
// with   void Thumb::OnMouseDown(N::Element* source, RoutedEventArgs* args);

#include "ui/core/Collection.h"
#include "ui/core/ElementMap.h"
#include "ui/core/Enumerations.h"

class RoutedEventArgs;

class RoutedEvent : public N::Element {
public:
    N_DECLARE_TYPE();
    RoutedEvent();  // Direct, no owner
    RoutedEvent(N::Enum* strategy, N::PropertyType* owner);

    // Borrowed RoutingStrategy value.
    N::Enum* Strategy() const noexcept { return strategy_; }
    N::PropertyType* OwnerType() const noexcept { return owner_; }

private:
    N::Enum* strategy_;
    N::PropertyType* owner_;
};

// A class handler: a member function of the handling class, called on the
// element of the route with the event's source and args.
using EventHandlerFunction = void (N::Element::*)(N::Element* source, RoutedEventArgs* args);

// Creates the event, records it under name (replacing an earlier one) and
// returns it (borrowed; the registry keeps it until exit).
RoutedEvent* RegisterRoutedEvent(const UString& name, N::Enum* strategy, N::PropertyType* owner);
// The registered event of that name, or null.
RoutedEvent* FindRoutedEvent(std::string_view name);
// The event registered under name, registering it first when there is none.
// The owner's metaclass is reached through its accessor, which may itself
// declare the same event while it runs; the one registration wins.
RoutedEvent* DeclareRoutedEvent(const char* name, int32_t strategy, N::PropertyType* (*owner)());

// Stores the handler for (event, type), replacing an earlier one.
void RegisterClassHandler(N::PropertyType* type, RoutedEvent* event, EventHandlerFunction handler);
template <class C>
void RegisterClassHandler(N::PropertyType* type, RoutedEvent* event, void (C::*handler)(N::Element*, RoutedEventArgs*)) {
    RegisterClassHandler(type, event, static_cast<EventHandlerFunction>(handler));
}
// The handler for (event, type), or null.
EventHandlerFunction FindClassHandler(RoutedEvent* event, const N::PropertyType* type);

// One stop of a route (a value without type): an element and a handler.
class RouteItem : public N::Property {
public:
    RouteItem(N::Element* element, EventHandlerFunction handler) noexcept : element_(element), handler_(handler) {}
    N::Element* GetElement() const noexcept { return element_; }  // borrowed
    EventHandlerFunction Handler() const noexcept { return handler_; }

private:
    N::Element* element_;
    EventHandlerFunction handler_;
};

// The ordered route of one raised event.
class EventRoute : public N::TCollection<RouteItem> {
public:
    explicit EventRoute(RoutedEvent* event) noexcept : event_(event) {}
    RoutedEvent* Event() const noexcept { return event_; }

private:
    RoutedEvent* event_;
};

// The route for event from element outwards; one reference. A null element
// gives an empty route.
EventRoute* BuildRoute(RoutedEvent* event, N::Element* element);
// Bubble: route order (source first); any other strategy: reverse order.
void InvokeRoute(EventRoute* route, N::Element* source, RoutedEventArgs* args);
// BuildRoute, InvokeRoute, then releases the args' reference (consumed).
void RaiseEvent(N::Element* source, RoutedEventArgs* args);
