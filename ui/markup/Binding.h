#pragma once
// Binding: a markup extension that shows one element's property (the source
// and a property name, the path) as another element's property. Reading is
// pull-only: every read of the bound property reads the source anew; there is
// no change propagation. "FallbackValue" is used when the source has no
// value. BindingExpression and BindingGroup are vocabulary without behaviour.

#include "ui/markup/MarkupExtension.h"

class Binding : public MarkupExtension {
public:
    N_DECLARE_TYPE();  // "Binding", base "MarkupExtension", flag TextOnly
    // source is borrowed: it must outlive the binding.
    Binding(const UString& path, N::Element* source);

    N::Property* ProvideValue() override;
    const UString& Path() const noexcept { return path_; }
    N::Element* Source() const noexcept { return source_; }

private:
    UString path_;
    N::Element* source_;
};

class BindingExpression : public N::Element {
public:
    N_DECLARE_TYPE();
    BindingExpression() : N::Element(StaticType()) {}
};

class BindingGroup : public N::Element {
public:
    N_DECLARE_TYPE();
    BindingGroup() : N::Element(StaticType()) {}
};

// Sets name on element, except that a property whose local value is a
// Binding keeps it and the value goes to the binding's source instead.
bool WriteThroughBinding(N::Element* element, std::string_view name, N::Property* value);
