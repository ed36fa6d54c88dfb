#include "ui/core/PropertyDeclaration.h"

#include "ui/core/PrimitiveTypes.h"
#include "ui/core/PropertyType.h"
#include "ui/core/PropertyValues.h"

namespace N {

PropertyDeclaration* RegisterProperty(PropertyDeclaration* storage, PropertyType* owner, std::string_view name,
                                      Property* defaultValue, PropertyMetadata* metadata) {
    if (!owner) {
        if (metadata) metadata->Release();
        return nullptr;
    }
    PropertyDeclaration* declaration = storage ? storage : new PropertyDeclaration();
    declaration->name = UString(name.data(), name.size());
    bool unset = !defaultValue || defaultValue->GetType() == NullType();
    declaration->defaultValue = unset ? nullptr : ShareValue(defaultValue);
    declaration->metadata = metadata;
    owner->AppendDeclaration(declaration);
    return declaration;
}

PropertyDeclaration* FindPropertyDeclaration(const PropertyType* type, std::string_view name) {
    for (; type; type = type->Base())
        for (PropertyDeclaration* d = type->FirstDeclaration(); d; d = d->next)
            if (d->name.View() == name) return d;
    return nullptr;
}

}  // namespace N
