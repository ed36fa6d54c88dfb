#include "ui/core/Property.h"

#include <new>

#include "ui/core/PrimitiveTypes.h"

namespace N {

namespace {
const UString& EmptyString() {
    static const UString empty;
    return empty;
}
}  // namespace

Property::Property(PropertyType* type, const UString& text) noexcept : type_(type) {
    new (&text_) UString(text);
    box_ |= OwnsString;
}

Property::~Property() {
    if (box_ & OwnsString) text_.~UString();
}

const UString& Property::StringPayload() const noexcept {
    if (!(box_ & OwnsString)) return EmptyString();
    return text_;
}

void Property::SetStringPayload(const UString& s) {
    if (box_ & OwnsString) {
        text_ = s;
    } else {
        new (&text_) UString(s);
        box_ |= OwnsString;
    }
}

Property* Property::CopyBox() const {
    if (box_ & OwnsString) return new Property(type_, StringPayload());
    auto* copy = new Property(type_, payload_[0]);
    copy->payload_[1] = payload_[1];
    return copy;
}

namespace {
Property* MakeShared(PropertyType* type, uint64_t word) {
    auto* p = new Property(type, word);
    p->MarkImmortal();
    return p;
}
}  // namespace

// Shared values are heap objects that are never freed: they stay reachable
// through these statics, and nothing can run into a destroyed one at exit.
Property* UnsetValue() {
    static Property* const value = MakeShared(NullType(), 0);
    return value;
}
Property* TrueValue() {
    static Property* const value = MakeShared(BoolType(), 1);
    return value;
}
Property* FalseValue() {
    static Property* const value = MakeShared(BoolType(), 0);
    return value;
}

}  // namespace N
