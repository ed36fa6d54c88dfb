#pragma once
// Names that markup may use for templates, trigger actions and name scopes.
// They carry no behaviour: the objects exist in the tree and do nothing.
// A ControlTemplate keeps its markup content under "VisualTreeRootNode".

#include "ui/core/Element.h"

class TriggerAction : public N::Element {
public:
    N_DECLARE_TYPE();  // "TriggerAction"
    TriggerAction() : N::Element(StaticType()) {}
    explicit TriggerAction(N::PropertyType* type) : N::Element(type) {}
};

class FrameworkTemplate : public N::Element {
public:
    N_DECLARE_TYPE();  // "FrameworkTemplate"
    FrameworkTemplate() : N::Element(StaticType()) {}
    explicit FrameworkTemplate(N::PropertyType* type) : N::Element(type) {}
};

class ControlTemplate : public FrameworkTemplate {
public:
    N_DECLARE_TYPE();  // "ControlTemplate"
    ControlTemplate() : FrameworkTemplate(StaticType()) {}
    void OnVisualTreeChanged(const N::PropertyChangedArgs&) {}
};

// Registered without a base and without instances.
struct NameScope {
    N_DECLARE_TYPE();  // "NameScope"
};
