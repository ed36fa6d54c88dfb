#include "ui/markup/MarkupTree.h"

#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyValues.h"
#include "ui/document/FlowContent.h"
#include "ui/document/TextContainer.h"
#include "ui/document/TextPointer.h"
#include "ui/layout/FrameworkElement.h"
#include "ui/markup/Binding.h"
#include "ui/markup/MarkupVocabulary.h"
#include "ui/markup/PropertyPath.h"
#include "ui/markup/ResourceDictionary.h"
#include "ui/markup/Style.h"
#include "ui/markup/Trigger.h"

N::Element* CreateNode(std::string_view name) {
    LinkMarkupTypes();
    N::Property* instance = N::CreateInstanceByName(name);
    if (N::Element* element = N::AsElement(instance)) return element;
    if (instance) instance->Release();
    auto* text = new TextElement();
    if (N::ToText(text->GetValue("Tag")).View() != name) {
        N::LocalValue tag(UString(name.data(), name.size()));
        text->SetValue("Tag", &tag);
    }
    return text;
}

N::Collection* CollectionToFill(N::Element* owner, std::string_view name) {
    N::Property* value = N::GetValue(owner, name);
    if (value && value == N::SharedEmptyCollection()) {
        N::Ref<N::Collection> fresh = N::Adopt(new N::Collection());
        if (!N::SetValue(owner, name, fresh)) return nullptr;
        value = N::GetValue(owner, name);
    }
    return N::AsCollection(value);
}

bool AddToDefaultProperty(N::Element* owner, N::Property* child) {
    UString dp = N::ToText(N::GetValue(owner, "DefaultProperty"));
    if (dp.IsEmpty() || dp == "Children") return false;
    if (N::Collection* list = CollectionToFill(owner, dp.View()))
        list->Add(child);
    else
        N::SetValue(owner, dp.View(), child);
    return true;
}

void LinkMarkupTypes() {
    static bool done = false;
    if (done) return;
    done = true;
    // Touching each metaclass pulls its module into the program.
    for (N::PropertyType* t :
         {MarkupExtension::StaticType(), StaticResourceHolder::StaticType(), ResourceDictionary::StaticType(),
          Style::StaticType(), Setter::StaticType(), TriggerBase::StaticType(), Trigger::StaticType(),
          EventTrigger::StaticType(), TriggerAction::StaticType(), FrameworkTemplate::StaticType(),
          ControlTemplate::StaticType(), NameScope::StaticType(), Binding::StaticType(),
          BindingExpression::StaticType(), BindingGroup::StaticType(), PropertyPath::StaticType(),
          FrameworkElement::StaticType(), TextPointer::StaticType(), TextContainer::StaticType()})
        (void)t;
    LinkFlowContentTypes();
}
