#pragma once
// Turns a dropped folder into the files below it.

#include <vector>

#include <wx/string.h>

bool IsFolder(const wxString& path);
// Every file below folder, recursively, hidden files and folders included,
// sorted by path so that a drop is always examined in the same order.
// Symbolic links to folders are not followed (no loops).
std::vector<wxString> FilesBelow(const wxString& folder);
