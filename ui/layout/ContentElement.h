#pragma once
// ContentElement and FrameworkContentElement: the bases of flow content.
// They are not drawn by themselves. A FrameworkContentElement knows its
// logical parent (the enclosing FrameworkContentElement, not owned) and has
// an active style like a FrameworkElement.
//
// This is the minimal form flow content and the markup readers need; the
// visual-tree work extends it.

#include "ui/core/Element.h"
#include "ui/markup/ActiveStyle.h"

class ContentElement : public N::Element {
public:
    N_DECLARE_TYPE();  // "ContentElement"
    ContentElement() : N::Element(StaticType()) {}
    explicit ContentElement(N::PropertyType* type) : N::Element(type) {}
};

class FrameworkContentElement : public ContentElement, public ActiveStyleSlot {
public:
    N_DECLARE_TYPE();  // "FrameworkContentElement", flag UsesValueHook
    FrameworkContentElement() : FrameworkContentElement(StaticType()) {}
    explicit FrameworkContentElement(N::PropertyType* type);
    ~FrameworkContentElement() override;

    FrameworkContentElement* LogicalParent() const noexcept { return logicalParent_; }

    void ReevaluateStyleTriggers(const N::PropertyChangedArgs& args) override { RunTriggersFor(this, args); }

private:
    friend void SetLogicalParent(N::Element* child, N::Element* parent);
    FrameworkContentElement* logicalParent_ = nullptr;
};

// Stores parent as child's logical parent when child is a
// FrameworkContentElement; a parent that is not one is stored as none.
void SetLogicalParent(N::Element* child, N::Element* parent);
// Appends a FrameworkContentElement child to parent's "Children" (created on
// demand) and sets its logical parent.
void AddContentChild(N::Element* parent, N::Element* child);
// Sets the logical parent of every FrameworkContentElement in element's
// "Children", recursively.
void FixParents(N::Element* element);
