#include "ZA2Durizez/core/JobThreads.h"

#include "ZA2Durizez/core/BatchFileItem.h"

JobThreads::~JobThreads() {
    for (auto& [item, thread] : threads_) {
        thread.join();
    }
}

void JobThreads::Start(BatchFileItem& item) {
    JoinThreadOf(&item);  // a finished earlier run of the same item
    auto startEvent = startEvent_;
    auto blockEvent = blockEvent_;
    threads_[&item] = std::thread([this, &item, startEvent, blockEvent] {
        EncodeJob job(item, [this](BatchFileItem& done, int32_t status) {
            std::lock_guard<std::mutex> lock(mutex_);
            completions_.push_back({&done, status});
            ended_.notify_all();
        });
        job.SetBlockEvent(blockEvent);
        if (startEvent) {
            startEvent(item);
        }
        job.Run();
    });
}

bool JobThreads::WaitForCompletion(std::chrono::milliseconds timeout, Completion& completion) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!ended_.wait_for(lock, timeout, [this] { return !completions_.empty(); })) {
            return false;
        }
        completion = completions_.front();
        completions_.pop_front();
    }
    JoinThreadOf(completion.item);  // its last act was to report, so this is short
    return true;
}

void JobThreads::JoinThreadOf(BatchFileItem* item) {
    auto it = threads_.find(item);
    if (it != threads_.end()) {
        it->second.join();
        threads_.erase(it);
    }
}
