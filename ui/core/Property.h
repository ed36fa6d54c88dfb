#pragma once
// N::Property: the value box at the root of every UI value and object.
// A box holds its metaclass, a hand-kept reference count (1 after
// construction) and two 64-bit payload words. The primitive kinds keep their
// value in the first word: Int in the low 32 bits, Boolean as 0/1, Double as
// its bits, UInt64 as is, String as a UString handle. Derived classes add
// their own fields after the payload.
//
// Counting rules: every function that stores a value takes its own
// reference; a function that returns a looked-up value returns it borrowed.
// Release deletes the object when the count is 1, otherwise decrements.
// Objects marked immortal (shared values, metaclasses) and caller-owned
// temporaries (stack objects) are never deleted by Release.

#include <cstdint>
#include <cstring>

#include "ui/core/Ref.h"
#include "ui/core/UString.h"

namespace N {

class PropertyType;

class Property {
public:
    explicit Property(PropertyType* type = nullptr) noexcept : type_(type) {}
    Property(PropertyType* type, uint64_t word0) noexcept : type_(type) { payload_[0] = word0; }
    Property(PropertyType* type, const UString& text) noexcept;  // a String-payload value
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;
    virtual ~Property();

    void AddRef() noexcept { ++refs_; }
    void Release() noexcept {
        if (refs_ == 1 && !(box_ & (Temporary | Immortal)))
            delete this;
        else
            --refs_;
    }
    int32_t RefCount() const noexcept { return refs_; }

    PropertyType* GetType() const noexcept { return type_; }

    // Payload readers for the primitive kinds (no check of the type).
    uint64_t Word(int i) const noexcept { return payload_[i]; }
    int32_t IntPayload() const noexcept { return static_cast<int32_t>(static_cast<uint32_t>(payload_[0])); }
    double DoublePayload() const noexcept {
        double d;
        std::memcpy(&d, &payload_[0], sizeof d);
        return d;
    }
    // The String payload; the empty string for a box that holds none.
    const UString& StringPayload() const noexcept;
    bool HasStringPayload() const noexcept { return (box_ & OwnsString) != 0; }

    // Box markings.
    enum BoxFlag : uint32_t {
        OwnsString = 1,      // payload word 0 is a UString handle
        Temporary = 2,       // caller-owned (stack) object: ShareValue copies it
        Immortal = 4,        // lives until exit, never deleted by Release
        ValueProviderBox = 8 // a markup extension (see MarkupExtensionBase.h)
    };
    bool IsTemporary() const noexcept { return (box_ & Temporary) != 0; }
    bool IsImmortal() const noexcept { return (box_ & Immortal) != 0; }
    bool IsValueProvider() const noexcept { return (box_ & ValueProviderBox) != 0; }
    void MarkTemporary() noexcept { box_ |= Temporary; }
    void MarkImmortal() noexcept { box_ |= Immortal; }

    // Copies type and payload into a new plain box (a String copy shares the
    // string buffer). Used by ShareValue for value kinds.
    Property* CopyBox() const;

protected:
    void SetWord(int i, uint64_t w) noexcept { payload_[i] = w; }
    void SetIntPayload(int32_t v) noexcept { payload_[0] = static_cast<uint32_t>(v); }
    void SetDoublePayload(double d) noexcept { std::memcpy(&payload_[0], &d, sizeof d); }
    void SetStringPayload(const UString& s);
    void SetType(PropertyType* type) noexcept { type_ = type; }
    void AddBoxFlags(uint32_t f) noexcept { box_ |= f; }

private:
    PropertyType* type_ = nullptr;
    int32_t refs_ = 1;
    uint32_t box_ = 0;
    union {
        uint64_t payload_[2] = {0, 0};
        UString text_;  // the payload's first word when OwnsString is set
    };
};

static_assert(sizeof(UString) == sizeof(uint64_t), "a UString handle fits one payload word");

// Shared values, created on first use and alive until exit.
Property* UnsetValue();  // type "Null"; clears a local value, or "no default"
Property* TrueValue();   // Boolean 1
Property* FalseValue();  // Boolean 0

}  // namespace N
