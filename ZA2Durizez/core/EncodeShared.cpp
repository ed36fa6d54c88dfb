#include "ZA2Durizez/core/EncodeShared.h"

#include <unistd.h>

std::atomic<bool> gCancelFlag{false};
std::atomic<int32_t> gWorkerLimit{1};
std::atomic<int32_t> gRunningWorkers{0};

int32_t WorkerLimitForProcessors(long processors) {
    if (processors < 1) {
        return 1;
    }
    if (processors > kMaxDefaultWorkers) {
        return kMaxDefaultWorkers;
    }
    return static_cast<int32_t>(processors);
}

int32_t DefaultWorkerLimit() { return WorkerLimitForProcessors(sysconf(_SC_NPROCESSORS_ONLN)); }
