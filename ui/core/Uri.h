#pragma once
// Uri (type "Uri", base "String"): a location text exactly as written.
// Resolving it belongs to the image and resource code.

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"

class Uri : public N::Property {
public:
    N_DECLARE_TYPE();
    explicit Uri(const UString& text) : N::Property(StaticType(), text) {}
    const UString& Text() const noexcept { return StringPayload(); }
};
