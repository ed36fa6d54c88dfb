#pragma once
// Names derived from an input path: its type and the path of its output.
// Only the file name counts: a dot in a folder name is not an extension.

#include <wx/string.h>

enum class InputType {
    kUnsupported,  // anything but the three extensions below
    kWav,          // "wav" in any letter case
    kAiff,         // "aiff" or "aif" in any letter case
};

// The text after the last "." of the file name, lower-cased; empty without one.
wxString ExtensionOf(const wxString& path);
InputType InputTypeOf(const wxString& path);
// The path with its extension replaced by "mp2" (".mp2" appended when the
// file name has no extension), so the output always sits beside the input.
wxString OutputPathFor(const wxString& path);
// The folder holding the file ("." for a bare file name).
wxString FolderOf(const wxString& path);
// The path as bytes for POSIX calls.
inline wxScopedCharBuffer PathBytes(const wxString& path) { return path.utf8_str(); }
