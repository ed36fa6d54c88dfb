#pragma once
// EventManager (type "EventManager"): the one registry of routed events by
// name, created on the first registration and kept until exit.

#include <vector>

#include "ui/core/ElementMap.h"

class RoutedEvent;

class EventManager : public N::Element {
public:
    N_DECLARE_TYPE();
    EventManager();

    // The process-wide instance (created on first use).
    static EventManager* Instance();

    // Records event under name (owned), replacing an earlier event of that
    // name. The earlier event is kept alive: classes hold their events in
    // statics and compare them by identity.
    void Register(const UString& name, RoutedEvent* event);
    RoutedEvent* Find(std::string_view name) const;

private:
    N::ElementMap* events_;  // owns its events; never freed, like the instance
    std::vector<RoutedEvent*>* replaced_;  // events replaced by name, kept until exit
};
