#include "ui/core/EventManager.h"

#include "ui/core/RoutedEvent.h"

N_ELEMENT_TYPE(EventManager, N::Element);

EventManager::EventManager()
    : N::Element(StaticType()), events_(new N::ElementMap(true)), replaced_(new std::vector<RoutedEvent*>()) {}

EventManager* EventManager::Instance() {
    // Never freed: the registered events live until exit.
    static EventManager* const instance = [] {
        auto* manager = new EventManager();
        manager->MarkImmortal();
        return manager;
    }();
    return instance;
}

void EventManager::Register(const UString& name, RoutedEvent* event) {
    N::Element*& slot = events_->Slot(name);
    if (slot == event) return;
    if (slot) replaced_->push_back(static_cast<RoutedEvent*>(slot));
    slot = event;
}

RoutedEvent* EventManager::Find(std::string_view name) const {
    return static_cast<RoutedEvent*>(events_->Find(name));
}
