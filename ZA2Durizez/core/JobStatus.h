#pragma once
// The state of one queued file. The numbers are what is stored and compared.

#include <cstdint>

enum JobStatus : int32_t {
    kJobQueued = 0,     // admitted, waiting for a worker
    kJobEncoding = 1,   // its job has been started
    kJobDone = 2,       // encoded completely
    kJobFailed = 3,     // unsupported input, failed recheck, write error or abnormal end
    kJobCancelled = 4,  // stopped by the cancel flag (or never started before Stop)
    kJobCleared = 5,    // removed from the view by Clear
};

// Statuses from Done on are final: the scheduler never looks at such an item again.
constexpr bool IsFinalStatus(int32_t status) { return status >= kJobDone; }

// Short lower-case name for reports ("done", "failed", ...).
const char* JobStatusName(int32_t status);
