#include "ZA2Durizez/core/BatchController.h"

#include <wx/log.h>

#include "ZA2Durizez/core/EncodeShared.h"
#include "ZA2Durizez/core/InputPath.h"

namespace {
constexpr const char* kLogSource = "ZA2Durizez/ZA2Durizez";
constexpr int kStartLogLine = 311;
}  // namespace

BatchController::BatchController(Hooks hooks) : hooks_(std::move(hooks)) {}

int32_t BatchController::AddFiles(const std::vector<wxString>& paths) {
    gCancelFlag.store(false);
    const auto isActive = [this](const wxString& path) { return list_.IsActive(path); };
    int32_t added = 0;
    if (admission_.AcceptFiles(paths, list_.State() == kBatchRunning, isActive)) {
        added = AddDropToList(paths, isActive, [this](const wxString& path) { list_.Add(path); });
    }
    if (list_.State() == kBatchRunning) {
        batchTotal_ += added;
    } else {
        batchTotal_ = added;
        batchDone_ = 0;
        list_.SetTotalProgress(0);
    }
    if (added >= 1) {
        UpdateView();
        StartResumeProcessing();
    }
    return added;
}

bool BatchController::OutputInUse(const BatchFileItem& item) const {
    // Two inputs of one name ("take.wav", "take.aiff") share one output file:
    // never let two jobs write it at once.
    const wxString output = OutputPathFor(item.Path());
    for (size_t i = 0; i < list_.Count(); ++i) {
        const BatchFileItem* other = list_.Item(i);
        if (other != &item && other->Status() == kJobEncoding && OutputPathFor(other->Path()) == output) {
            return true;
        }
    }
    return false;
}

bool BatchController::StartResumeProcessing() {
    if (gRunningWorkers.load() >= gWorkerLimit.load() || list_.Count() == 0) {
        return false;
    }
    bool started = false;
    for (size_t i = 0; i < list_.Count(); ++i) {
        BatchFileItem& item = *list_.Item(i);
        if (gRunningWorkers.load() >= gWorkerLimit.load() || item.Status() != kJobQueued || OutputInUse(item)) {
            continue;
        }
        list_.SetState(kBatchRunning);
        item.SetStatus(kJobEncoding);
        const AdmissionReason reason = CheckFile(item.Path(), nullptr);
        if (reason != AdmissionReason::kNone) {
            item.SetStatus(kJobFailed);
            if (wxLog::IsLevelEnabled(wxLOG_Error, wxLOG_COMPONENT)) {
                wxLogger(wxLOG_Error, kLogSource, kStartLogLine, "StartResumeProcessing", wxLOG_COMPONENT)
                    .Log("There was an error processing the file \n\n\"%s\"\n\n%s", item.Path(),
                         AdmissionReasonText(reason));
            }
            continue;
        }
        gRunningWorkers.fetch_add(1);
        started = true;
        if (hooks_.startJob) {
            hooks_.startJob(item);
        }
    }
    return started;
}

int32_t BatchController::UpdateTotalProgress() {
    int32_t total = 0;
    if (batchTotal_ != 0) {
        int32_t sum = batchDone_ * 1000;
        for (size_t i = 0; i < list_.Count(); ++i) {
            const BatchFileItem* item = list_.Item(i);
            if (item->Status() == kJobEncoding) {
                sum += item->Progress();
            }
        }
        total = sum / batchTotal_;
    }
    list_.SetTotalProgress(total);
    return total;
}

void BatchController::OnJobCompleted(int32_t status) {
    if (status == kJobDone) {
        ++batchDone_;
    }
    UpdateTotalProgress();
    UpdateView();
    if (list_.AnyActive()) {
        StartResumeProcessing();
    } else {
        list_.SetState(kBatchFinished);
    }
}

void BatchController::Stop() {
    gCancelFlag.store(true);
    for (size_t i = 0; i < list_.Count(); ++i) {
        BatchFileItem* item = list_.Item(i);
        if (item->Status() == kJobQueued) {
            item->SetStatus(kJobCancelled);
        }
    }
    if (list_.Count() != 0) {
        list_.SetState(kBatchIdle);
    }
}

void BatchController::Clear() {
    for (size_t i = 0; i < list_.Count(); ++i) {
        list_.Item(i)->SetStatus(kJobCleared);
    }
}

bool BatchController::Busy() const { return gRunningWorkers.load() > 0 || list_.AnyActive(); }

void BatchController::UpdateView() {
    if (hooks_.updateView) {
        hooks_.updateView();
    }
}
