#pragma once
// OpenResource: opens a file shipped with the program. The name is looked
// up in the application's resources folder first, then relative to the
// working directory. Returns an owned stream, or null when neither exists.

#include <memory>
#include <wx/stream.h>
#include <wx/string.h>

std::unique_ptr<wxInputStream> OpenResource(const wxString& name);
