#pragma once
// EventManager (type "EventManager"): the one registry of routed events by
// name, created on the first registration and kept until exit.

#include "ui/core/ElementMap.h"

class RoutedEvent;

class EventManager : public N::Element {
public:
    N_DECLARE_TYPE();
    EventManager();

    // The process-wide instance (created on first use).
    static EventManager* Instance();

    // Records event under name (owned), releasing an earlier one.
    void Register(const UString& name, RoutedEvent* event);
    RoutedEvent* Find(std::string_view name) const;

private:
    N::ElementMap* events_;  // owns its events; never freed, like the instance
};
