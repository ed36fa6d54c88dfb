#pragma once
// Admission of one drop: every candidate is checked before any is queued.
// Any failure refuses the whole drop with one error listing the first eight
// failures; files of other types are skipped with a warning. The messages go
// to the toolkit's log (the GUI shows them in message boxes, the command-line
// encoder prints them on stderr).

#include <cstdint>
#include <functional>
#include <vector>

#include <wx/string.h>

#include "ZA2Durizez/core/AdmissionCheck.h"

class Admission {
public:
    // Failures listed in the error message; the count covers them all.
    static constexpr int32_t kListedFailures = 8;
    // True when an item with this path is already Queued or Encoding.
    using ActiveTest = std::function<bool(const wxString& path)>;

    // Examines the drop; false when it is refused. batchRunning: a batch is
    // encoding, so the free space is queried again only for another volume.
    bool AcceptFiles(const std::vector<wxString>& paths, bool batchRunning, const ActiveTest& isActive);

    int32_t ErrorCount() const noexcept { return errorCount_; }
    const wxString& ErrorText() const noexcept { return errorText_; }
    int32_t UnsupportedCount() const noexcept { return unsupportedCount_; }
    const wxString& LastUnsupportedPath() const noexcept { return lastUnsupportedPath_; }
    int32_t AcceptedCount() const noexcept { return acceptedCount_; }
    uint64_t FreeSpace() const noexcept { return budget_.freeBytes; }
    uint64_t SpaceNeeded() const noexcept { return budget_.neededBytes; }

    // The messages, as logged.
    static wxString RefusalMessage(int32_t errorCount, const wxString& errorText);
    static wxString UnsupportedMessage(int32_t unsupportedCount, const wxString& lastPath, bool othersAccepted);

private:
    void Examine(const std::vector<wxString>& paths, const ActiveTest& isActive);
    void ExaminePath(const wxString& path, const ActiveTest& isActive);
    void Report() const;

    int32_t errorCount_ = 0;
    wxString errorText_;
    int32_t unsupportedCount_ = 0;
    wxString lastUnsupportedPath_;
    int32_t acceptedCount_ = 0;
    SpaceBudget budget_;
    wxString rememberedVolume_;
    bool volumeKnown_ = false;
};

// Calls add for every file a drop would queue: folders expanded, files of
// other types and paths already Queued or Encoding skipped (isActive sees
// the files added before). Returns how many were added.
int32_t AddDropToList(const std::vector<wxString>& paths, const Admission::ActiveTest& isActive,
                      const std::function<void(const wxString& path)>& add);
