#pragma once
// QualifiedDouble (type "QualifiedDouble", base "Double"): a number with a
// unit. The Double payload holds the value in device units, so every Double
// reader sees the converted number; Raw() is the number as written.

#include "ui/core/Property.h"
#include "ui/core/TypeRegistration.h"
#include "ui/core/UnitTable.h"

// Marks lengths and offsets that are Auto or not set; compared exactly.
constexpr double AutoValue = -65432.1;

class QualifiedDouble : public N::Property {
public:
    N_DECLARE_TYPE();
    QualifiedDouble() : QualifiedDouble(N::kUnitNone, 0.0) {}
    QualifiedDouble(int32_t unit, double raw);

    double Value() const noexcept { return DoublePayload(); }  // device units
    double Raw() const noexcept { return raw_; }
    int32_t Unit() const noexcept { return unit_; }
    void Assign(int32_t unit, double raw) noexcept;
    // Sets the device value directly (raw = value, unit 0).
    void SetValue(double value) noexcept { Assign(N::kUnitNone, value); }

private:
    double raw_ = 0;
    int32_t unit_ = 0;
};

// Shared objects: AutoLength (unit 0, value 0), the default of "Width" and
// "Height", and UnsetLength (unit -1, raw and value -0.01); both are
// compared by identity.
QualifiedDouble* AutoLength();
QualifiedDouble* UnsetLength();
