#pragma once
// Tree-building rules shared by the text and the binary markup readers.

#include "ui/core/Collection.h"

// A new element for a markup name, with one reference: the registered type's
// instance, or a TextElement whose "Tag" is name when no registered element
// type has that name. Names of value types (Color, Thickness, ...) give a
// TextElement as well, since a value has no property map to build on.
N::Element* CreateNode(std::string_view name);

// The collection stored under name on owner that markup may add to: when the
// value is the shared empty default collection, a new "Collection" is stored
// under name first. Null when the value is not a collection.
N::Collection* CollectionToFill(N::Element* owner, std::string_view name);

// The default-property rule: when owner's "DefaultProperty" names a property
// other than "Children", child goes into that property (added when it holds a
// collection, stored otherwise) and the result is true. False when the rule
// does not apply.
bool AddToDefaultProperty(N::Element* owner, N::Property* child);

// Ensures the markup vocabulary's metaclasses are linked into any program
// that reads markup (they are otherwise only reached by name).
void LinkMarkupTypes();
