#include "ui/core/RoutedEvent.h"

#include <unordered_map>

#include "ui/core/EventManager.h"
#include "ui/core/PropertyValues.h"
#include "ui/core/RoutedEventArgs.h"

N_ELEMENT_TYPE(RoutedEvent, N::Element);

RoutedEvent::RoutedEvent()
    : N::Element(StaticType()), strategy_(N::EnumValue<RoutingStrategy>(RoutingStrategy::Direct)), owner_(nullptr) {}

RoutedEvent::RoutedEvent(N::Enum* strategy, N::PropertyType* owner)
    : N::Element(StaticType()), strategy_(strategy), owner_(owner) {}

RoutedEvent* RegisterRoutedEvent(const UString& name, N::Enum* strategy, N::PropertyType* owner) {
    auto* event = new RoutedEvent(strategy, owner);
    EventManager::Instance()->Register(name, event);
    return event;
}

RoutedEvent* FindRoutedEvent(std::string_view name) { return EventManager::Instance()->Find(name); }

RoutedEvent* DeclareRoutedEvent(const char* name, int32_t strategy, N::PropertyType* (*owner)()) {
    if (RoutedEvent* event = FindRoutedEvent(name)) return event;
    N::PropertyType* ownerType = owner ? owner() : nullptr;
    if (RoutedEvent* event = FindRoutedEvent(name)) return event;  // declared while the owner was built
    return RegisterRoutedEvent(name, N::EnumValue<RoutingStrategy>(strategy), ownerType);
}

namespace {

using EventHandlerMap = std::unordered_map<const N::PropertyType*, EventHandlerFunction>;
using ClassHandlerStore = std::unordered_map<const RoutedEvent*, EventHandlerMap>;

// Created on first use and never freed: handlers stay until exit.
ClassHandlerStore& Store() {
    static ClassHandlerStore* const store = new ClassHandlerStore();
    return *store;
}

}  // namespace

void RegisterClassHandler(N::PropertyType* type, RoutedEvent* event, EventHandlerFunction handler) {
    if (!type || !event || !handler) return;
    Store()[event][type] = handler;
}

EventHandlerFunction FindClassHandler(RoutedEvent* event, const N::PropertyType* type) {
    ClassHandlerStore& store = Store();
    auto handlers = store.find(event);
    if (handlers == store.end()) return nullptr;
    auto it = handlers->second.find(type);
    return it == handlers->second.end() ? nullptr : it->second;
}

EventRoute* BuildRoute(RoutedEvent* event, N::Element* element) {
    auto* route = new EventRoute(event);
    ClassHandlerStore& store = Store();
    auto handlers = store.find(event);
    if (handlers == store.end()) return route;
    for (N::Element* e = element; e; e = e->GetParent()) {
        for (const N::PropertyType* type = e->GetType(); type; type = type->Base()) {
            auto it = handlers->second.find(type);
            if (it == handlers->second.end()) continue;
            N::Ref<RouteItem> item = N::Adopt(new RouteItem(e, it->second));
            route->Add(item);
        }
    }
    return route;
}

void InvokeRoute(EventRoute* route, N::Element* source, RoutedEventArgs* args) {
    if (!route) return;
    RoutedEvent* event = route->Event();
    bool bubble = event && event->Strategy() &&
                  N::Equals(event->Strategy(), N::EnumValue<RoutingStrategy>(RoutingStrategy::Bubble));
    int32_t count = route->Count();
    for (int32_t i = 0; i < count; ++i) {
        RouteItem* item = route->ItemAt(bubble ? i : count - 1 - i);
        (item->GetElement()->*item->Handler())(source, args);
    }
}

void RaiseEvent(N::Element* source, RoutedEventArgs* args) {
    if (!args) return;
    // Handlers may drop the last outside reference to an element of the
    // route; the route's elements are borrowed, so keep the source alive.
    N::Ref<N::Element> keepSource(source);
    N::Ref<EventRoute> route = N::Adopt(BuildRoute(args->Event(), source));
    InvokeRoute(route, source, args);
    args->Release();
}
