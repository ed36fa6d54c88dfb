#include "ZA2Durizez/core/EncodeJob.h"

#include <sys/stat.h>
#include <unistd.h>

#include <wx/log.h>

#include "Source/Engine/Base/AudioFormat.h"
#include "Source/Engine/Base/EngineRate.h"
#include "Source/Engine/Output/EncoderFile.h"
#include "Source/Engine/Resampler/Resampler.h"
#include "ZA2Durizez/core/BatchFileItem.h"
#include "ZA2Durizez/core/EncodeShared.h"
#include "ZA2Durizez/core/InputReader.h"

namespace {

// Resampler settings of the job: 16-bit frames in, filter not lengthened,
// 4-byte input read as floats, unity gain.
constexpr int32_t kResamplerInputBits = 16;
constexpr bool kNoLengthening = true;
constexpr bool kFloatInput = true;
constexpr double kUnityGain = 1.0;

// Where the failure message is recorded in the log.
constexpr const char* kLogSource = "ZA2Durizez/ZA2Durizez";
constexpr int kOnExitLogLine = 475;

AudioFormat OutputFormat(int32_t channels) {
    AudioFormat format;
    format.Initialise(kFormatMpeg);
    format.SetChannels(static_cast<uint16_t>(channels));
    format.SetBitRate(channels == 1 ? EncodeJob::kMonoBitRate : EncodeJob::kStereoBitRate);
    format.SetBitsPerSample(16);
    format.SetSamplesPerSecond(static_cast<uint32_t>(kEngineSampleRate));
    return format;
}

// True when both paths name one existing file (a link from the output name
// to the input): writing the output would destroy the input.
bool SameFile(const wxString& a, const wxString& b) {
    struct stat sa {};
    struct stat sb {};
    if (stat(PathBytes(a).data(), &sa) != 0 || stat(PathBytes(b).data(), &sb) != 0) {
        return false;
    }
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

EncodeJob::EncodeJob(BatchFileItem& item, Completion completion)
    : item_(item), completion_(std::move(completion)) {}

EncodeJob::~EncodeJob() { DeleteChain(); }

wxString EncodeJob::FailureMessage(const wxString& path) {
    return wxString::Format(
        "There was an error processing the file \n\n\"%s\"\n\nPlease try again by adding the file to the list once "
        "more.",
        path);
}

int EncodeJob::Entry() {
    try {
        const wxString path = item_.Path();
        outputPath_ = OutputPathFor(path);
        const InputType type = InputTypeOf(path);
        if (type == InputType::kUnsupported) {
            item_.SetStatus(kJobFailed);
            return 0;
        }
        bool chainFailed = false;
        {
            InputReader reader(path, type);
            const InputFormat& in = reader.Format();
            if (in.durationMs != 0) {
                if (SameFile(path, outputPath_)) {
                    return 0;  // left Encoding: reported as failed, nothing touched
                }
                const int32_t channels = in.channels;
                auto* encoder = new EncoderFile(UString(PathBytes(outputPath_).data()), OutputFormat(channels));
                outputCreated_ = true;
                sink_ = encoder;
                if (static_cast<int64_t>(in.sampleRateHz) != static_cast<int64_t>(kEngineSampleRate)) {
                    auto* resampler =
                        new Resampler(static_cast<int32_t>(in.sampleRateHz), static_cast<int32_t>(kEngineSampleRate),
                                      kResamplerInputBits, kNoLengthening, kFloatInput, kUnityGain);
                    resampler->Chain(encoder);
                    sink_ = resampler;
                }
                // The exact frame count, not the duration in whole milliseconds,
                // so that the last frames of the file are encoded too.
                chainFailed = !Pump(reader, channels, in.frames);
                DeleteChain();
            }
        }
        if (chainFailed) {
            return 0;  // left Encoding: OnExit reports it and deletes the partial output
        }
        if (gCancelFlag.load()) {
            item_.SetStatus(kJobCancelled);
            DeleteOwnOutput();
        } else {
            item_.SetStatus(kJobDone);
        }
    } catch (...) {
        // Left Encoding: OnExit turns it into Failed.
    }
    return 0;
}

bool EncodeJob::Pump(InputReader& reader, int32_t channels, uint64_t totalFrames) {
    int16_t block[kBlockFrames * 2];
    uint64_t position = 0;
    uint64_t remaining = totalFrames;
    bool written = true;
    while (remaining != 0) {
        if (gCancelFlag.load(std::memory_order_relaxed)) {
            break;
        }
        const uint64_t requested = remaining < kBlockFrames ? remaining : kBlockFrames;
        const uint64_t delivered = reader.Read(block, requested, position);
        if (delivered == 0) {
            break;
        }
        if (channels == 1) {
            // One sample per frame, compacted in place.
            for (uint64_t i = 0; i < delivered; ++i) {
                block[i] = block[2 * i];
            }
        }
        if (sink_->Write(block, delivered, position) == 0) {
            written = false;  // the output could not be written (disk full)
            break;
        }
        // Advance by the frames requested, so progress ends at exactly 1000.
        position += requested;
        item_.SetProgress(static_cast<int32_t>(position * 1000 / totalFrames));
        if (blockEvent_) {
            blockEvent_(item_, position);
        }
        remaining -= requested;
    }
    if (position != 0 && written && !sink_->Flush()) {
        written = false;  // the last frames or the close failed
    }
    return written;
}

void EncodeJob::OnExit() {
    gRunningWorkers.fetch_sub(1);
    int32_t status = item_.Status();
    if (status == kJobDone) {
        item_.SetProgress(1000);
    } else if (status != kJobCancelled) {
        status = kJobFailed;
        item_.SetStatus(kJobFailed);
        DeleteChain();
        DeleteOwnOutput();
        if (wxLog::IsLevelEnabled(wxLOG_Error, wxLOG_COMPONENT)) {
            wxLogger(wxLOG_Error, kLogSource, kOnExitLogLine, "OnExit", wxLOG_COMPONENT)
                .Log("%s", FailureMessage(item_.Path()));
        }
    }
    if (completion_) {
        completion_(item_, status);
    }
}

void EncodeJob::Run() {
    Entry();
    OnExit();
}

void EncodeJob::DeleteChain() {
    delete sink_;  // the head owns everything behind it; deleting closes the file
    sink_ = nullptr;
}

void EncodeJob::DeleteOwnOutput() {
    if (outputCreated_) {
        unlink(PathBytes(outputPath_).data());
        outputCreated_ = false;
    }
}
