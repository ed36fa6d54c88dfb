#pragma once
// Free space and volume of a folder. Tests replace the query through
// SetFreeSpaceQuery instead of filling a disk.

#include <cstdint>
#include <functional>

#include <wx/string.h>

// Free bytes available to this user on the volume of folder; false on failure.
using FreeSpaceQuery = std::function<bool(const wxString& folder, uint64_t& freeBytes)>;

bool QueryFreeSpace(const wxString& folder, uint64_t& freeBytes);
// Replaces the query process-wide; an empty function restores the real one.
void SetFreeSpaceQuery(FreeSpaceQuery query);

// A text naming the volume that holds folder (empty when it cannot be found).
wxString VolumeOf(const wxString& folder);
