#pragma once
// The batch logic of the main window without any GUI: add files (admission,
// then queueing), the scheduler, job completions, Stop and Clear, and the
// total progress. Runs on one thread (the application's main thread, or the
// command-line encoder's main thread). Starting a job's thread and showing
// the model are left to the caller through hooks.

#include <cstdint>
#include <functional>
#include <vector>

#include <wx/string.h>

#include "ZA2Durizez/core/Admission.h"
#include "ZA2Durizez/core/BatchFileList.h"

class BatchController {
public:
    struct Hooks {
        // Starts the item's encode job on a thread of its own. The item is
        // already Encoding and gRunningWorkers already counts the job; the job
        // ends with EncodeJob::OnExit, whose completion must come back to
        // OnJobCompleted on this thread.
        std::function<void(BatchFileItem& item)> startJob;
        // Mirrors the model in the view (optional).
        std::function<void()> updateView;
    };

    explicit BatchController(Hooks hooks);

    // A drop or a selection of files: clears the cancel flag, admits the
    // drop, queues its files and starts jobs. Returns the items appended.
    int32_t AddFiles(const std::vector<wxString>& paths);
    // Starts jobs while fewer than the worker limit run, rechecking each file
    // first; true when a job started.
    bool StartResumeProcessing();
    // A job ended with the given final status.
    void OnJobCompleted(int32_t status);
    // Cancels: running jobs stop at their next block, queued items become
    // Cancelled and the batch becomes idle.
    void Stop();
    // Every item becomes Cleared.
    void Clear();
    // Recomputes and returns the total progress in thousandths.
    int32_t UpdateTotalProgress();

    BatchFileList& List() noexcept { return list_; }
    const Admission& LastAdmission() const noexcept { return admission_; }
    int32_t BatchTotal() const noexcept { return batchTotal_; }
    int32_t BatchDone() const noexcept { return batchDone_; }
    // True while a job runs or a queued item waits.
    bool Busy() const;

private:
    bool OutputInUse(const BatchFileItem& item) const;
    void UpdateView();

    Hooks hooks_;
    BatchFileList list_;
    Admission admission_;
    int32_t batchTotal_ = 0;
    int32_t batchDone_ = 0;
};
