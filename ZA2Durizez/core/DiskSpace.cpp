#include "ZA2Durizez/core/DiskSpace.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <mutex>

#include "ZA2Durizez/core/InputPath.h"

namespace {

std::mutex gQueryMutex;
FreeSpaceQuery gQuery;

bool SystemFreeSpace(const wxString& folder, uint64_t& freeBytes) {
    struct statvfs info {};
    if (statvfs(PathBytes(folder).data(), &info) != 0) {
        return false;
    }
    freeBytes = static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
    return true;
}

}  // namespace

bool QueryFreeSpace(const wxString& folder, uint64_t& freeBytes) {
    FreeSpaceQuery query;
    {
        std::lock_guard<std::mutex> lock(gQueryMutex);
        query = gQuery;
    }
    return query ? query(folder, freeBytes) : SystemFreeSpace(folder, freeBytes);
}

void SetFreeSpaceQuery(FreeSpaceQuery query) {
    std::lock_guard<std::mutex> lock(gQueryMutex);
    gQuery = std::move(query);
}

wxString VolumeOf(const wxString& folder) {
    struct stat info {};
    if (stat(PathBytes(folder).data(), &info) != 0) {
        return wxString();
    }
    return wxString::Format("%llu", static_cast<unsigned long long>(info.st_dev));
}
