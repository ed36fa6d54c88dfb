#pragma once
// Interface of objects told about property changes of an element they were
// registered on with AddListener(key, listener). key is the key of the
// registration: a property name or "*".

#include "ui/core/Property.h"

namespace N {

class Element;

class PropertyListener {
public:
    virtual void OnPropertyChanged(Element* element, const UString& key, Property* newValue) = 0;

protected:
    ~PropertyListener() = default;
};

}  // namespace N
