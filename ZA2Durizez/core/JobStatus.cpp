#include "ZA2Durizez/core/JobStatus.h"

const char* JobStatusName(int32_t status) {
    static const char* const kNames[] = {"queued", "encoding", "done", "failed", "cancelled", "cleared"};
    if (status < 0 || status > kJobCleared) {
        return "unknown";
    }
    return kNames[status];
}
