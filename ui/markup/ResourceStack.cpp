#include "ui/markup/ResourceStack.h"

#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/layout/FrameworkElement.h"
#include "ui/markup/ActiveStyle.h"
#include "ui/markup/MarkupExtension.h"
#include "ui/markup/ResourceDictionary.h"
#include "ui/markup/Style.h"

#include <cstring>

ResourceStack::~ResourceStack() {
    for (Entry& e : entries_) e.dictionary->Release();
}

void ResourceStack::Push(N::Element* owner, N::Property* dictionary) {
    N::Collection* c = N::AsCollection(dictionary);
    if (!c) return;
    c->AddRef();
    entries_.push_back({owner, c});
}

bool SetString(N::Element* element, std::string_view name, const UString& text) {
    N::LocalValue v(text);
    return N::SetValue(element, name, &v);
}

N::Property* ResourceStack::FindStaticResource(const UString& key) {
    for (Entry& e : entries_)
        if (N::Property* r = FindResourceIn(e.dictionary, key)) return r;
    return nullptr;
}

bool ResourceStack::ApplyMarkupExtension(N::Element* element, std::string_view name, const UString& text) {
    // "{}" escapes a literal brace: the rest is the text.
    if (text.Length() >= 2 && text[1] == '}') return SetString(element, name, text.Mid(2));
    UString inner = text.Mid(1, text.Length() - 2);
    UString extension = inner.BeforeFirst(' ');
    UString argument = inner.AfterFirst(' ').BeforeFirst(' ');

    if (extension == "x:Type") {
        N::PropertyType* type = N::FindType(argument.View());
        return type ? N::SetValue(element, name, type) : false;
    }
    if (extension == "StaticResource" && !entries_.empty()) {
        N::Property* resource = FindStaticResource(argument);
        if (resource && !IsOpen(resource)) {
            if (name == "Style") {
                SetActiveStyle(element, N::AsElement(resource));
                N::Ref<N::Property> holder = N::Adopt<N::Property>(new StaticResourceHolder(argument, resource));
                return N::SetValue(element, name, holder);
            }
            if (name == "BasedOn") {
                N::Ref<N::Property> holder = N::Adopt<N::Property>(new StaticResourceHolder(argument, resource));
                return N::SetValue(element, name, holder);
            }
            // Any other property takes the value the resource, read as a
            // style, sets for it.
            N::Property* value = N::IsA(resource, Style::StaticType())
                                     ? FindStyleValue(static_cast<N::Element*>(resource), name)
                                     : nullptr;
            if (!value) return false;
            N::Ref<N::Property> holder = N::Adopt<N::Property>(new StaticResourceHolder(argument, value));
            return N::SetValue(element, name, holder);
        }
    }
    // Other extensions, and resources not found, stay text.
    return SetString(element, name, inner);
}

void ResourceStack::ApplyImplicitStyles(N::Element* element) {
    if (entries_.empty() || !element) return;
    if (N::IsA(element, FrameworkElement::StaticType()) && !GetActiveStyle(element)) {
        bool applied = false;
        for (size_t d = 0; d < entries_.size() && !applied; ++d) {
            N::Collection* dictionary = entries_[d].dictionary;
            if (N::IsA(dictionary, ResourceDictionary::StaticType()))
                static_cast<ResourceDictionary*>(dictionary)->PrepareItems();
            for (int i = 0; i < dictionary->Count(); ++i) {
                N::Element* item = N::AsElement(dictionary->Item(i));
                if (!N::IsA(item, Style::StaticType()) || item->GetValue("x:Key") || IsOpen(item)) continue;
                if (item->GetValue("TargetType") != element->GetType()) continue;
                applied = SetActiveStyle(element, item);
                break;
            }
        }
    }
    // The dictionaries this element owns leave with it.
    while (!entries_.empty() && entries_.back().owner == element) {
        entries_.back().dictionary->Release();
        entries_.pop_back();
    }
}
