#include "ui/markup/OpenResource.h"

#include <wx/app.h>
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
    // The resources folder is known once the application object exists;
    // tools and tests without one look in the working directory only.
    if (wxApp::GetTraitsIfExists()) {
        wxString folder = wxStandardPaths::Get().GetResourcesDir();
        if (auto s = OpenIfExists(folder + "/" + name)) return s;
    }
    return OpenIfExists(name);
}
