#pragma once
// TextContainer: the text-editing container a FlowDocument owns. Nothing in
// the program edits text, so the container stays empty; it is registered
// (not creatable from markup) so that the name is known.

#include "ui/core/Element.h"

class TextContainer : public N::Element {
public:
    N_DECLARE_TYPE();  // "TextContainer", no base
    TextContainer();
};
