#pragma once
// CuePoints: the markers of an audio file, each a name and a time in
// milliseconds, in file order. Reference counted like every engine object;
// created on first use by the reader that finds markers and released with
// the audio file.

#include <cstdint>
#include <vector>

#include "Source/Engine/Base/Object.h"

class CuePoints : public Object {
public:
    struct Entry {
        UString name;
        uint64_t timeMs;
    };

    CuePoints() : Object(MakeTag("CUEP"), UString(), 0) {}

    void Add(const UString& name, uint64_t timeMs) { entries_.push_back({name, timeMs}); }
    size_t Count() const noexcept { return entries_.size(); }
    const Entry& At(size_t i) const { return entries_[i]; }
    const std::vector<Entry>& Entries() const noexcept { return entries_; }

private:
    std::vector<Entry> entries_;
};
