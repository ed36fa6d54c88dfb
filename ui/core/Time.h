#pragma once
// Time (type "Time", base "Int"): a duration in milliseconds in the Int
// payload. Markup writes [[hours:]minutes:]seconds[.fraction].

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"

class Time : public N::Property {
public:
    N_DECLARE_TYPE();
    explicit Time(int32_t milliseconds = 0) : N::Property(StaticType(), static_cast<uint32_t>(milliseconds)) {}
    int32_t Milliseconds() const noexcept { return IntPayload(); }
};

// Milliseconds of a time text, as Convert reads it.
int32_t ParseTimeText(std::string_view text);
