// The scheduler with real jobs on real threads: the worker limit holds, and a
// queued file starts as soon as a running one ends. Run under
// ThreadSanitizer (the suite name contains "Concurrency").

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>

#include <gtest/gtest.h>

#include "JobsTestSupport.h"
#include "ZA2Durizez/core/BatchController.h"
#include "ZA2Durizez/core/EncodeShared.h"
#include "ZA2Durizez/core/JobThreads.h"

using namespace jobs_test;

namespace {

// Holds each job at its start until the test lets it go, and records the
// order in which jobs started.
class StartGate {
public:
    void Arrive(BatchFileItem& item) {
        std::unique_lock<std::mutex> lock(mutex_);
        started_.push_back(item.Id());
        changed_.notify_all();
        changed_.wait(lock, [&] { return released_.count(item.Id()) != 0; });
    }
    // Waits until n jobs have started; false after a generous timeout (a hang).
    bool WaitForStarts(size_t n) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(30), [&] { return started_.size() >= n; });
    }
    void Release(int32_t id) {
        std::lock_guard<std::mutex> lock(mutex_);
        released_.insert(id);
        changed_.notify_all();
    }
    std::vector<int32_t> Started() {
        std::lock_guard<std::mutex> lock(mutex_);
        return started_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int32_t> started_;
    std::set<int32_t> released_;
};

}  // namespace

TEST(SchedulerConcurrency, ThirdFileStartsWhenOneOfTwoJobsEnds) {
    TempDir dir;
    ToneSpec tone;
    tone.seconds = 0.3;
    for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
        WriteWav(dir / name, tone);
    }
    LogCapture log;
    gWorkerLimit.store(2);
    StartGate gate;
    JobThreads threads;
    threads.SetStartEvent([&gate](BatchFileItem& item) { gate.Arrive(item); });
    BatchController batch({[&threads](BatchFileItem& item) { threads.Start(item); }, nullptr});

    ASSERT_EQ(batch.AddFiles({wxString::FromUTF8(dir / "a.wav"), wxString::FromUTF8(dir / "b.wav"),
                              wxString::FromUTF8(dir / "c.wav")}),
              3);
    BatchFileItem& a = *batch.List().Item(0);
    BatchFileItem& b = *batch.List().Item(1);
    BatchFileItem& c = *batch.List().Item(2);
    ASSERT_TRUE(gate.WaitForStarts(2));
    // The two threads reach their start event in either order.
    std::vector<int32_t> firstTwo = gate.Started();
    std::sort(firstTwo.begin(), firstTwo.end());
    EXPECT_EQ(firstTwo, (std::vector<int32_t>{a.Id(), b.Id()}));
    EXPECT_EQ(gRunningWorkers.load(), 2);
    EXPECT_EQ(c.Status(), kJobQueued);
    EXPECT_EQ(batch.List().State(), kBatchRunning);

    // Let b finish first: its completion starts c while a still runs.
    gate.Release(b.Id());
    JobThreads::Completion done;
    ASSERT_TRUE(threads.WaitForCompletion(std::chrono::seconds(30), done));
    EXPECT_EQ(done.item, &b);
    EXPECT_EQ(done.status, kJobDone);
    EXPECT_EQ(c.Status(), kJobQueued);  // nothing starts before the completion is handled
    batch.OnJobCompleted(done.status);
    ASSERT_TRUE(gate.WaitForStarts(3));
    EXPECT_EQ(gate.Started().back(), c.Id());
    EXPECT_EQ(a.Status(), kJobEncoding);
    EXPECT_EQ(gRunningWorkers.load(), 2);

    gate.Release(a.Id());
    gate.Release(c.Id());
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(threads.WaitForCompletion(std::chrono::seconds(30), done));
        batch.OnJobCompleted(done.status);
    }
    EXPECT_EQ(a.Status(), kJobDone);
    EXPECT_EQ(c.Status(), kJobDone);
    EXPECT_EQ(batch.BatchDone(), 3);
    EXPECT_EQ(batch.UpdateTotalProgress(), 1000);
    EXPECT_EQ(batch.List().State(), kBatchFinished);
    EXPECT_EQ(gRunningWorkers.load(), 0);
    gWorkerLimit.store(1);
}

// Two inputs of one name share one output: their jobs never run at once.
TEST(SchedulerConcurrency, InputsSharingAnOutputRunOneAfterTheOther) {
    TempDir dir;
    ToneSpec tone;
    tone.seconds = 0.3;
    WriteWav(dir / "take.wav", tone);
    WriteAiff(dir / "take.aiff", tone);
    LogCapture log;
    gWorkerLimit.store(2);
    StartGate gate;
    JobThreads threads;
    threads.SetStartEvent([&gate](BatchFileItem& item) { gate.Arrive(item); });
    BatchController batch({[&threads](BatchFileItem& item) { threads.Start(item); }, nullptr});
    ASSERT_EQ(batch.AddFiles({wxString::FromUTF8(dir / "take.wav"), wxString::FromUTF8(dir / "take.aiff")}), 2);
    ASSERT_TRUE(gate.WaitForStarts(1));
    EXPECT_EQ(gRunningWorkers.load(), 1);
    EXPECT_EQ(batch.List().Item(1)->Status(), kJobQueued);
    gate.Release(batch.List().Item(0)->Id());
    gate.Release(batch.List().Item(1)->Id());
    JobThreads::Completion done;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(threads.WaitForCompletion(std::chrono::seconds(30), done));
        EXPECT_EQ(done.status, kJobDone);
        batch.OnJobCompleted(done.status);
    }
    EXPECT_EQ(batch.List().State(), kBatchFinished);
    gWorkerLimit.store(1);
}

TEST(BatchProgress, TotalCountsDoneFilesAndRunningProgress) {
    TempDir dir;
    ToneSpec tone;
    tone.seconds = 0.1;
    std::vector<wxString> drop;
    for (const char* name : {"1.wav", "2.wav", "3.wav", "4.wav"}) {
        WriteWav(dir / name, tone);
        drop.push_back(wxString::FromUTF8(dir / name));
    }
    LogCapture log;
    gWorkerLimit.store(2);
    std::vector<BatchFileItem*> started;
    BatchController batch({[&started](BatchFileItem& item) { started.push_back(&item); }, nullptr});
    ASSERT_EQ(batch.AddFiles(drop), 4);
    ASSERT_EQ(started.size(), 2u);
    // First job done, second at half way.
    started[0]->SetStatus(kJobDone);
    gRunningWorkers.fetch_sub(1);
    batch.OnJobCompleted(kJobDone);
    started[1]->SetProgress(500);
    EXPECT_EQ(batch.UpdateTotalProgress(), (1000 + 500) / 4);
    // Stop: queued items are cancelled, the batch becomes idle.
    batch.Stop();
    EXPECT_TRUE(gCancelFlag.load());
    EXPECT_EQ(batch.List().Item(3)->Status(), kJobCancelled);
    EXPECT_EQ(batch.List().State(), kBatchIdle);
    gRunningWorkers.store(0);
    gCancelFlag.store(false);
    gWorkerLimit.store(1);
}
