#pragma once
// Object: the engine's reference-counted base (audio files, cue-point lists).
// Counts are plain integers: an object is shared only within one thread.

#include <cstdint>

#include "ui/core/UString.h"

// Builds the little-endian integer of a four-letter class tag ("AFLE").
constexpr int32_t MakeTag(const char (&letters)[5]) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned char>(letters[0])) |
                                static_cast<uint32_t>(static_cast<unsigned char>(letters[1])) << 8 |
                                static_cast<uint32_t>(static_cast<unsigned char>(letters[2])) << 16 |
                                static_cast<uint32_t>(static_cast<unsigned char>(letters[3])) << 24);
}

class Object {
public:
    // A count above this marks an object being destroyed or a permanent one.
    static constexpr int32_t kPermanentCount = 2147475116;
    static constexpr int32_t kDestroyingCount = 2147475117;
    static constexpr int32_t kDestroyedTag = -1;

    Object(int32_t tag, const UString& name, int32_t value) : tag_(tag), name_(name), value_(value) {}
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() { tag_ = kDestroyedTag; }

    void AddRef() noexcept { ++refs_; }
    // Drops one reference; the last one deletes the object. Absent, destroyed
    // or permanent objects are left alone. Returns the remaining count.
    static int32_t Release(Object* object);

    int32_t RefCount() const noexcept { return refs_; }
    int32_t Tag() const noexcept { return tag_; }
    const UString& Name() const noexcept { return name_; }
    int32_t Value() const noexcept { return value_; }

protected:
    void SetName(const UString& name) { name_ = name; }
    void SetValue(int32_t value) noexcept { value_ = value; }

private:
    int32_t refs_ = 1;
    int32_t tag_;
    UString name_;
    int32_t value_;
};
