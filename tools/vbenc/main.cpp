// vbenc: encodes the WAV and AIFF files named on the command line (one drop)
// with the same admission checks, scheduler and encode job as the
// application. See UsageText() in Options.cpp for the behaviour.

#include <unistd.h>

#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>

#include <wx/init.h>
#include <wx/log.h>

#include "ZA2Durizez/core/BatchController.h"
#include "ZA2Durizez/core/EncodeShared.h"
#include "ZA2Durizez/core/JobThreads.h"
#include "tools/vbenc/ConsoleLog.h"
#include "tools/vbenc/Options.h"
#include "tools/vbenc/ProgressLine.h"

namespace {

enum ExitStatus {
    kExitOk = 0,
    kExitFailed = 1,
    kExitUsage = 2,
    kExitInterrupted = 130,
};

// How often the progress line is redrawn while no job ends.
constexpr std::chrono::milliseconds kRedrawInterval{200};

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int) {
    gInterrupted = 1;
    gCancelFlag.store(true);  // jobs stop at their next block
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int Encode(const Options& options) {
    ProgressLine progress(!options.quiet && isatty(STDERR_FILENO));
    auto* log = new ConsoleLog([&progress] { progress.Clear(); });
    delete wxLog::SetActiveTarget(log);

    gWorkerLimit.store(options.jobs > 0 ? options.jobs : DefaultWorkerLimit());
    JobThreads threads;
    BatchController batch({[&threads](BatchFileItem& item) { threads.Start(item); }, nullptr});

    std::vector<wxString> paths;
    for (const std::string& path : options.paths) {
        paths.push_back(wxString::FromUTF8(path));
    }
    const auto started = std::chrono::steady_clock::now();
    InstallSignalHandlers();
    batch.AddFiles(paths);
    wxLog::FlushActive();
    if (batch.LastAdmission().ErrorCount() > 0) {
        return kExitFailed;  // the drop was refused; the message says why
    }

    bool stopped = false;
    while (batch.Busy()) {
        if (gInterrupted && !stopped) {
            batch.Stop();  // queued files are not started
            stopped = true;
        }
        JobThreads::Completion completion;
        const bool ended = threads.WaitForCompletion(kRedrawInterval, completion);
        wxLog::FlushActive();
        if (ended) {
            progress.FileEnded(std::string(completion.item->Path().utf8_str().data()),
                               JobStatusName(completion.status));
            if (!gInterrupted) {
                batch.OnJobCompleted(completion.status);
            }
        }
        progress.Draw(batch);
    }
    wxLog::FlushActive();
    progress.Clear();

    int counts[kJobCleared + 1] = {};
    const BatchFileList& list = batch.List();
    for (size_t i = 0; i < list.Count(); ++i) {
        ++counts[list.Item(i)->Status()];
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("vbenc: %d done, %d failed, %d cancelled of %d files in %.1f s\n", counts[kJobDone],
                counts[kJobFailed], counts[kJobCancelled], static_cast<int>(list.Count()), seconds);
    std::fflush(stdout);
    if (gInterrupted) {
        return kExitInterrupted;
    }
    return counts[kJobDone] == static_cast<int>(list.Count()) ? kExitOk : kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "error: %s\n", error.c_str());
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(UsageText(), stdout);
        return kExitOk;
    }
    wxInitializer toolkit;
    if (!toolkit.IsOk()) {
        std::fprintf(stderr, "error: cannot initialise the toolkit\n");
        return kExitFailed;
    }
    return Encode(options);
}
