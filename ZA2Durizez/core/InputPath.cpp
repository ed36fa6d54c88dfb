#include "ZA2Durizez/core/InputPath.h"

namespace {

// Index of the dot that starts the extension of the file name, or npos.
size_t ExtensionDot(const wxString& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == wxString::npos || (slash != wxString::npos && dot < slash)) {
        return wxString::npos;
    }
    return dot;
}

}  // namespace

wxString ExtensionOf(const wxString& path) {
    const size_t dot = ExtensionDot(path);
    return dot == wxString::npos ? wxString() : path.Mid(dot + 1).Lower();
}

InputType InputTypeOf(const wxString& path) {
    const wxString extension = ExtensionOf(path);
    if (extension == "wav") {
        return InputType::kWav;
    }
    if (extension == "aiff" || extension == "aif") {
        return InputType::kAiff;
    }
    return InputType::kUnsupported;
}

wxString OutputPathFor(const wxString& path) {
    const size_t dot = ExtensionDot(path);
    return (dot == wxString::npos ? path : path.Left(dot)) + ".mp2";
}

wxString FolderOf(const wxString& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == wxString::npos) {
        return ".";
    }
    return slash == 0 ? wxString("/") : path.Left(slash);
}
