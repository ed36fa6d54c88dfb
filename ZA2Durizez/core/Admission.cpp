#include "ZA2Durizez/core/Admission.h"

#include <wx/log.h>

#include "ZA2Durizez/core/DiskSpace.h"
#include "ZA2Durizez/core/FolderExpansion.h"
#include "ZA2Durizez/core/InputPath.h"

namespace {

// Where the messages are recorded in the log, by message.
constexpr const char* kLogSource = "ZA2Durizez/ZA2Durizez";
constexpr const char* kLogFunction = "AcceptFiles";
constexpr int kLineOneFailure = 817;
constexpr int kLineFailures = 822;
constexpr int kLineOneUnsupportedWithOthers = 829;
constexpr int kLineOneUnsupported = 831;
constexpr int kLineUnsupportedWithOthers = 836;
constexpr int kLineUnsupported = 838;

void Log(wxLogLevel level, int line, const wxString& message) {
    if (wxLog::IsLevelEnabled(level, wxLOG_COMPONENT)) {
        wxLogger(level, kLogSource, line, kLogFunction, wxLOG_COMPONENT).Log("%s", message);
    }
}

}  // namespace

wxString Admission::RefusalMessage(int32_t errorCount, const wxString& errorText) {
    if (errorCount == 1) {
        return wxString::Format(
            "There was an error adding the file: \n%s \nNo files will be processed. Please check the above "
            "conditions and try again.",
            errorText);
    }
    return wxString::Format(
        "There was an error adding %d files: \n%s \nNo files will be processed. Please check the above conditions "
        "and try again.",
        errorCount, errorText);
}

wxString Admission::UnsupportedMessage(int32_t unsupportedCount, const wxString& lastPath, bool othersAccepted) {
    const wxString remaining = othersAccepted ? " \n\nRemaining files will now be processed." : "";
    if (unsupportedCount == 1) {
        return wxString::Format(
                   "Could not add the file \"%s\". \n\nThe file is not of a supported type. Supported file types "
                   "are \".wav\" and \".aiff\".",
                   lastPath) +
               remaining;
    }
    return wxString::Format(
               "Could not add %d files. \n\nThe files are not of supported types. Supported file types are "
               "\".wav\" and \".aiff\".",
               unsupportedCount) +
           remaining;
}

bool Admission::AcceptFiles(const std::vector<wxString>& paths, bool batchRunning, const ActiveTest& isActive) {
    if (!paths.empty()) {
        const wxString folder = FolderOf(paths.front());
        const wxString volume = VolumeOf(folder);
        if (!batchRunning || !volumeKnown_ || volume != rememberedVolume_) {
            rememberedVolume_ = volume;
            volumeKnown_ = true;
            uint64_t freeBytes = 0;
            budget_.freeBytes = QueryFreeSpace(folder, freeBytes) ? freeBytes : kUnknownFreeSpace;
        }
        budget_.neededBytes = 0;
    }
    errorCount_ = 0;
    errorText_.clear();
    unsupportedCount_ = 0;
    lastUnsupportedPath_.clear();
    acceptedCount_ = 0;

    Examine(paths, isActive);
    Report();
    return errorCount_ == 0;
}

void Admission::Examine(const std::vector<wxString>& paths, const ActiveTest& isActive) {
    for (const wxString& path : paths) {
        ExaminePath(path, isActive);
    }
}

void Admission::ExaminePath(const wxString& path, const ActiveTest& isActive) {
    if (IsFolder(path)) {
        Examine(FilesBelow(path), isActive);
        return;
    }
    if (InputTypeOf(path) == InputType::kUnsupported) {
        ++unsupportedCount_;
        lastUnsupportedPath_ = path;
        return;
    }
    if (isActive && isActive(path)) {
        return;  // already queued or encoding: ignored silently
    }
    const AdmissionReason reason = CheckFile(path, &budget_);
    if (reason == AdmissionReason::kNone) {
        ++acceptedCount_;
        return;
    }
    ++errorCount_;
    if (errorCount_ <= kListedFailures) {
        errorText_ << "\n\"" << path << "\" - " << AdmissionReasonText(reason) << "\n";
    }
}

void Admission::Report() const {
    if (errorCount_ > 0) {
        Log(wxLOG_Error, errorCount_ == 1 ? kLineOneFailure : kLineFailures, RefusalMessage(errorCount_, errorText_));
        return;
    }
    if (unsupportedCount_ > 0) {
        const bool others = acceptedCount_ > 0;
        const int line = unsupportedCount_ == 1 ? (others ? kLineOneUnsupportedWithOthers : kLineOneUnsupported)
                                                : (others ? kLineUnsupportedWithOthers : kLineUnsupported);
        Log(wxLOG_Warning, line, UnsupportedMessage(unsupportedCount_, lastUnsupportedPath_, others));
    }
}

int32_t AddDropToList(const std::vector<wxString>& paths, const Admission::ActiveTest& isActive,
                      const std::function<void(const wxString& path)>& add) {
    int32_t added = 0;
    for (const wxString& path : paths) {
        if (IsFolder(path)) {
            added += AddDropToList(FilesBelow(path), isActive, add);
        } else if (InputTypeOf(path) != InputType::kUnsupported && !(isActive && isActive(path))) {
            add(path);
            ++added;
        }
    }
    return added;
}
