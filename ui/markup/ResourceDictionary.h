#pragma once
// ResourceDictionary: a collection of resources keyed by the text of their
// "x:Key" property. Items are prepared lazily: the first search after items
// were added runs PrepareStyle on each new item (converting style setter
// values to the types of the properties they set).

#include "ui/core/Collection.h"

class ResourceDictionary : public N::Collection {
public:
    N_DECLARE_TYPE();  // "ResourceDictionary", base "Collection"
    ResourceDictionary() : ResourceDictionary(StaticType()) {}
    explicit ResourceDictionary(N::PropertyType* type) : N::Collection(type) {}

    // Runs PrepareStyle on the items not prepared yet.
    void PrepareItems();
    int PreparedCount() const noexcept { return preparedCount_; }

    // The shared empty dictionary: the default of "Resources". It must never
    // receive items; owners that have resources of their own store a new one.
    static ResourceDictionary* SharedEmpty();

private:
    int preparedCount_ = 0;  // leading items already prepared
};

// Prepares the dictionary's new items, then returns the first item whose
// "x:Key" text equals key byte for byte (borrowed), or null.
N::Property* FindResource(ResourceDictionary* dictionary, const UString& key);
// The same for any collection: a ResourceDictionary is prepared first, other
// collections are searched as they are.
N::Property* FindResourceIn(N::Collection* dictionary, const UString& key);
