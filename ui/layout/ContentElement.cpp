#include "ui/layout/ContentElement.h"

#include "ui/core/Collection.h"

N_ELEMENT_TYPE(ContentElement, N::Element);

namespace {
class FrameworkContentElementTypeImpl final : public StyledTypeImpl {
public:
    using StyledTypeImpl::StyledTypeImpl;
    N::Property* CreateInstance() override { return new FrameworkContentElement(); }
};
}  // namespace

N_DEFINE_TYPE(FrameworkContentElement, "FrameworkContentElement", FrameworkContentElementTypeImpl,
              ContentElement::StaticType(),
              [](N::TypeBuilder& t) { t.Flags(N::PropertyType::UsesValueHook); });

FrameworkContentElement::FrameworkContentElement(N::PropertyType* type) : ContentElement(type) {
    // Metaclasses may be built before their bases; bring the base chain's
    // flags (the value hook in particular) into this type now.
    if (type) type->ResolveFlags();
}

FrameworkContentElement::~FrameworkContentElement() {
    // Children that outlive this element must not point back to it.
    N::Collection* children = GetChildren(false);
    if (!children) return;
    for (int i = 0; i < children->Count(); ++i) {
        N::Element* child = N::AsElement(children->Item(i));
        if (N::IsA(child, StaticType())) {
            auto* c = static_cast<FrameworkContentElement*>(child);
            if (c->logicalParent_ == this) c->logicalParent_ = nullptr;
        }
    }
}

void SetLogicalParent(N::Element* child, N::Element* parent) {
    if (!N::IsA(child, FrameworkContentElement::StaticType())) return;
    auto* c = static_cast<FrameworkContentElement*>(child);
    c->logicalParent_ = N::IsA(parent, FrameworkContentElement::StaticType())
                            ? static_cast<FrameworkContentElement*>(parent)
                            : nullptr;
}

void AddContentChild(N::Element* parent, N::Element* child) {
    if (!parent || !N::IsA(child, FrameworkContentElement::StaticType())) return;
    N::Collection* children = N::GetChildren(parent, true);
    if (!children) return;
    children->Add(child);
    SetLogicalParent(child, parent);
}

void FixParents(N::Element* element) {
    // Iterative walk: content trees from files may be deep.
    std::vector<N::Element*> pending{element};
    while (!pending.empty()) {
        N::Element* e = pending.back();
        pending.pop_back();
        N::Collection* children = N::GetChildren(e, false);
        if (!children) continue;
        for (int i = 0; i < children->Count(); ++i) {
            N::Element* child = N::AsElement(children->Item(i));
            if (!N::IsA(child, FrameworkContentElement::StaticType())) continue;
            SetLogicalParent(child, e);
            pending.push_back(child);
        }
    }
}
