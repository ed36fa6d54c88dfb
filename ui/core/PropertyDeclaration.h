#pragma once
// One declared property of a type: name, default value and metadata.
// Declarations live until exit and stay reachable from their type.

#include <string_view>

#include "ui/core/PropertyMetadata.h"

namespace N {

class PropertyType;

struct PropertyDeclaration {
    UString name;
    Property* defaultValue = nullptr;     // owned; null when declared with UnsetValue
    PropertyMetadata* metadata = nullptr; // owned, may be null
    PropertyDeclaration* next = nullptr;
};

// Fills storage (a new declaration when null) and appends it to owner's
// list. The default is stored through ShareValue (null for UnsetValue or a
// null pointer); the metadata reference is taken over.
PropertyDeclaration* RegisterProperty(PropertyDeclaration* storage, PropertyType* owner,
                                      std::string_view name, Property* defaultValue,
                                      PropertyMetadata* metadata);

// For type and then each base in turn, the first declaration named name.
PropertyDeclaration* FindPropertyDeclaration(const PropertyType* type, std::string_view name);

}  // namespace N
