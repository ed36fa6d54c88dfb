#include "ui/markup/OpenResource.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/wfstream.h>

namespace {
std::unique_ptr<wxInputStream> OpenIfExists(const wxString& path) {
    if (path.empty() || !wxFileName::FileExists(path)) return nullptr;
    auto stream = std::make_unique<wxFFileInputStream>(path, "rb");
    if (!stream->IsOk()) return nullptr;
    return stream;
}
}  // namespace

std::unique_ptr<wxInputStream> OpenResource(const wxString& name) {
    wxString folder = wxStandardPaths::Get().GetResourcesDir();
    if (auto s = OpenIfExists(folder + "/" + name)) return s;
    return OpenIfExists(name);
}
