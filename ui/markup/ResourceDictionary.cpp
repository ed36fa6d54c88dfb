#include "ui/markup/ResourceDictionary.h"

#include "ui/core/PropertyValues.h"
#include "ui/markup/Style.h"

// "Source" is registered; nothing reads it.
N_ELEMENT_TYPE(ResourceDictionary, N::Collection, [](N::TypeBuilder& t) {
    t.Property("Source", N::UnsetValue());
});

ResourceDictionary* ResourceDictionary::SharedEmpty() {
    static ResourceDictionary* shared = [] {
        auto* d = new ResourceDictionary();
        d->MarkImmortal();
        return d;
    }();
    return shared;
}

void ResourceDictionary::PrepareItems() {
    int count = Count();
    for (int i = preparedCount_; i < count; ++i) PrepareStyle(Item(i));
    preparedCount_ = count;
}

N::Property* FindResourceIn(N::Collection* dictionary, const UString& key) {
    if (!dictionary) return nullptr;
    if (N::IsA(dictionary, ResourceDictionary::StaticType()))
        static_cast<ResourceDictionary*>(dictionary)->PrepareItems();
    for (int i = 0; i < dictionary->Count(); ++i) {
        N::Element* item = N::AsElement(dictionary->Item(i));
        if (item && N::ToText(item->GetValue("x:Key")) == key) return item;
    }
    return nullptr;
}

N::Property* FindResource(ResourceDictionary* dictionary, const UString& key) {
    return FindResourceIn(dictionary, key);
}
