#pragma once
// ResourceStack: the resource dictionaries of the elements currently open in
// a markup reader, innermost last, and the XAML conventions that use them:
// markup extensions in attribute texts ({x:Type}, {StaticResource}, {}
// escapes) and implicit styles. Each dictionary remembers the element that
// owns it, so that it leaves the stack exactly when its owner closes.

#include "ui/core/Collection.h"

#include <functional>
#include <vector>

class ResourceStack {
public:
    ResourceStack() = default;
    ~ResourceStack();
    ResourceStack(const ResourceStack&) = delete;
    ResourceStack& operator=(const ResourceStack&) = delete;

    // Appends owner's dictionary (takes a reference).
    void Push(N::Element* owner, N::Property* dictionary);
    bool IsEmpty() const noexcept { return entries_.empty(); }
    int Size() const noexcept { return static_cast<int>(entries_.size()); }

    // The first item whose "x:Key" is key, searching the dictionaries from the
    // outermost to the innermost; null when none has it.
    N::Property* FindStaticResource(const UString& key);

    // Applies an attribute text that begins with "{" to element (text has at
    // least 3 characters). Returns what SetValue returned, or false when
    // nothing was stored.
    bool ApplyMarkupExtension(N::Element* element, std::string_view name, const UString& text);

    // Run when element's end tag is read: a keyless Style whose "TargetType" is
    // exactly element's type becomes its active style (first match wins, only
    // for FrameworkElements); then the dictionaries element owns leave.
    void ApplyImplicitStyles(N::Element* element);

    // Tells whether a resource is one of the elements still open around the
    // one being built. Such a resource is never referred to (by a
    // StaticResource or as an implicit style): the reference would make the
    // resource hold itself through its own content, a cycle that is never
    // released. Readers whose dictionaries are complete before they come into
    // scope need not set it.
    void SetOpenCheck(std::function<bool(const N::Property*)> isOpen) { isOpen_ = std::move(isOpen); }

private:
    bool IsOpen(const N::Property* resource) const { return isOpen_ && isOpen_(resource); }
    std::function<bool(const N::Property*)> isOpen_;
    struct Entry {
        N::Element* owner;        // not owned; compared by identity only
        N::Collection* dictionary;  // owned reference
    };
    std::vector<Entry> entries_;
};

// Stores text under name as a String (SetValue).
bool SetString(N::Element* element, std::string_view name, const UString& text);
