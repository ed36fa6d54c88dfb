#pragma once
// DumpElement: a diagnostic text of an element tree written back as indented
// markup, two spaces per level. Values with a text form become attributes;
// "Child", the items of "Children" and of a collection, and "Content" holding
// an element are nested; other element-valued properties become property
// elements (Tag.Name) placed before the other nested content. Properties are
// written in name order so that two trees with the same content give the
// same text whatever order their properties were set in.

#include "ui/core/Property.h"

// isText (optional) reports whether value was written as a plain text form.
// tagOverride replaces the element's tag; inlineMode writes Runs as their
// text and "Text" on a line of its own.
UString DumpElement(N::Property* value, int depth = 0, const UString& tagOverride = UString(),
                    bool inlineMode = false, bool* isText = nullptr);
