#pragma once
// MarkupExtension: a value that stands for another value. The element model
// returns ProvideValue() when such a value is read as a property (see
// N::MarkupExtensionBase). StaticResourceHolder is the one the markup readers
// create; Binding (Binding.h) is another.

#include "ui/core/MarkupExtensionBase.h"

class MarkupExtension : public N::MarkupExtensionBase {
public:
    N_DECLARE_TYPE();  // "MarkupExtension", abstract
    explicit MarkupExtension(N::PropertyType* type) noexcept : N::MarkupExtensionBase(type) {}
};

// A resource found by key while markup was read: stands for the resource and
// writes itself back as {StaticResource key}.
class StaticResourceHolder : public MarkupExtension {
public:
    N_DECLARE_TYPE();  // "StaticResourceHolder", flags CloneByValue | TextOnly
    StaticResourceHolder(const UString& key, N::Property* resource);
    ~StaticResourceHolder() override;

    N::Property* ProvideValue() override { return resource_; }
    const UString& Key() const noexcept { return key_; }

private:
    UString key_;
    N::Property* resource_;  // owned reference, may be null
};
