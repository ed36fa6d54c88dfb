#include "ZA2Durizez/core/FolderExpansion.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "ZA2Durizez/core/InputPath.h"

bool IsFolder(const wxString& path) {
    struct stat info {};
    return stat(PathBytes(path).data(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<wxString> FilesBelow(const wxString& folder) {
    namespace fs = std::filesystem;
    std::vector<wxString> files;
    std::error_code error;
    fs::recursive_directory_iterator it(fs::path(PathBytes(folder).data()),
                                        fs::directory_options::skip_permission_denied, error);
    for (const fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_directory(typeError)) {
            files.push_back(wxString::FromUTF8(it->path().string()));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}
