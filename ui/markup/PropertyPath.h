#pragma once
// PropertyPath: a String value split at its first "." into the text before
// it (the String payload) and the text after it. Vocabulary: nothing in the
// program creates or reads property paths.

#include "ui/core/PrimitiveTypes.h"
#include "ui/core/TypeRegistration.h"

class PropertyPath : public N::Property {
public:
    N_DECLARE_TYPE();  // "PropertyPath", base "String", flag TextOnly
    explicit PropertyPath(const UString& text);

    const UString& First() const noexcept { return StringPayload(); }
    const UString& Rest() const noexcept { return rest_; }

private:
    UString rest_;
};
