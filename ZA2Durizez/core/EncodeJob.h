#pragma once
// One encode job: reads one input file block by block and pushes 16-bit frames
// through its sink chain (a resampler when the rate differs from the engine
// rate, then the encoder output file) into "<name>.mp2" beside the input.
//
// The job runs on whatever thread calls it: the application's detached worker
// thread calls Entry() and then OnExit(), the command-line encoder calls Run()
// on its own threads. The caller increments gRunningWorkers before starting a
// job; OnExit() decrements it and then calls the completion callback with the
// final status (on the job's thread).

#include <cstdint>
#include <functional>

#include <wx/string.h>

class AudioSink;
class BatchFileItem;

class EncodeJob {
public:
    // Frames per block: one block of 16-bit stereo frames is 4096 bytes, and
    // the cancel flag is polled once per block.
    static constexpr uint64_t kBlockFrames = 1024;
    // Bit rates of the output, by input channel count.
    static constexpr uint32_t kMonoBitRate = 128000;
    static constexpr uint32_t kStereoBitRate = 256000;

    using Completion = std::function<void(BatchFileItem& item, int32_t finalStatus)>;
    // Called on the job's thread after each block with the frames done so far.
    using BlockEvent = std::function<void(BatchFileItem& item, uint64_t framesDone)>;

    EncodeJob(BatchFileItem& item, Completion completion);
    ~EncodeJob();  // deletes a sink chain still alive after an abnormal end
    EncodeJob(const EncodeJob&) = delete;
    EncodeJob& operator=(const EncodeJob&) = delete;

    void SetBlockEvent(BlockEvent event) { blockEvent_ = std::move(event); }

    // The job body. Leaves the item Done, Cancelled, Failed, or still Encoding
    // when the output could not be written (OnExit then reports the failure).
    int Entry();
    // End-of-job bookkeeping: any end that is neither Done nor Cancelled
    // becomes Failed, its partial output is deleted and the error is logged;
    // then the completion callback runs.
    void OnExit();
    // Entry() then OnExit().
    void Run();

    // The message logged for a failed file.
    static wxString FailureMessage(const wxString& path);

private:
    // Pumps the input through the chain; false when the chain refused frames.
    bool Pump(class InputReader& reader, int32_t channels, uint64_t totalFrames);
    void DeleteChain();
    void DeleteOwnOutput();

    BatchFileItem& item_;
    Completion completion_;
    BlockEvent blockEvent_;
    wxString outputPath_;
    AudioSink* sink_ = nullptr;  // head of the chain while it exists
    // Set once the job has created (or truncated) its output file: only then
    // is the output its own to delete.
    bool outputCreated_ = false;
};
