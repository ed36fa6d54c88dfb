#pragma once
// TextPointer: a position inside a tree of flow content. The leaves of the
// element's subtree (depth first, document order; an element with a
// "Children" collection is a container, every other element a leaf) lie end
// to end: a Run takes as many positions as its "Text" has characters, every
// other leaf one. Offset 0 is before the first leaf. Pointers are immutable;
// moving makes a new pointer.

#include "ui/core/Element.h"

class TextContainer;

enum LogicalDirection : int32_t { Backward = -1, Forward = 1 };

class TextPointer : public N::Property {
public:
    N_DECLARE_TYPE();  // "TextPointer", not creatable from markup
    ~TextPointer() override;

    // New pointer with one reference; the element gains a reference.
    static TextPointer* Create(TextContainer* container, N::Element* element, int32_t offset,
                               int32_t direction);

    TextContainer* Container() const noexcept { return container_; }
    N::Element* GetElement() const noexcept { return element_; }
    int32_t Offset() const noexcept { return offset_; }
    int32_t Direction() const noexcept { return direction_; }

private:
    TextPointer(TextContainer* container, N::Element* element, int32_t offset, int32_t direction);
    TextContainer* container_;  // not owned
    N::Element* element_;       // owned reference, may be null
    int32_t offset_;
    int32_t direction_;
};

// The pointer itself (referenced) when delta is 0 and the direction is the
// same; otherwise a new pointer at offset + delta. One reference.
TextPointer* GetPositionAtOffset(TextPointer* pointer, int32_t delta, int32_t direction);

// The leaf at *offset of the pointer's element (a Paragraph, ListItem or
// Span; others give null) and, in *offset, the position inside that leaf. A
// position on a boundary belongs to the following leaf looking Forward and to
// the preceding one looking Backward. With skipNonText, leaves other than
// Runs are passed over. Past the end: the last leaf, offset unchanged.
N::Element* GetElementAtOffset(TextPointer* pointer, int32_t* offset, int32_t direction, bool skipNonText);
