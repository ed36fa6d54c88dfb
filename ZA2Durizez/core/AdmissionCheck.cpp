#include "ZA2Durizez/core/AdmissionCheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include "ZA2Durizez/core/DiskSpace.h"
#include "ZA2Durizez/core/InputPath.h"
#include "ZA2Durizez/core/InputReader.h"

namespace {

// Indexed by AdmissionReason.
const char* const kReasonTexts[] = {
    "",
    "The file does not exist.",
    "The file cannot be written due to insufficient permissions.",
    "The file cannot be written. The output file may be in use or you may have insufficient permissions.",
    "The file does not seem to be a valid .wav or .aiff file with audio content in 1 or 2 channels, or it is in an "
    "unsupported format.",
    "The file does not have a supported number of bits per sample. Supported bits per sample are: 16, 24 and 32.",
    "The file does not have a supported sample rate. Supported sample rates are 16kHz, 22.05kHz, 24 kHz, 32kHz, "
    "44.1kHz and 48kHz.",
    "The file does not have a supported number of channels. Supported formats are 1 channel (mono) or 2 channels "
    "(stereo).",
    "The file is in an unknown encoding format. Only files in uncompressed PCM format are supported (16 bits signed "
    "integer, 24 bits signed integer, or 32 bits floating point).\t",
    "There is not enough free disk space to write the output file. Please free some space or move the file to "
    "different physical location (hard drive, memory stick or similar).",
};
static_assert(sizeof(kReasonTexts) / sizeof(kReasonTexts[0]) == static_cast<size_t>(AdmissionReason::kDiskSpace) + 1);

constexpr uint64_t kAdmittedRatesHz[] = {16000, 22050, 24000, 32000, 44100, 48000};
constexpr int32_t kFormatTagPcm = 1;
constexpr int32_t kFormatTagFloat = 3;

bool Exists(const wxString& path, struct stat* info) { return stat(PathBytes(path).data(), info) == 0; }

bool Writable(const wxString& path) { return access(PathBytes(path).data(), W_OK) == 0; }

bool AdmittedRate(uint64_t rateHz) {
    for (uint64_t admitted : kAdmittedRatesHz) {
        if (rateHz == admitted) {
            return true;
        }
    }
    return false;
}

bool AdmittedEncoding(const InputFormat& format) {
    return (format.formatTag == kFormatTagPcm && format.bytesPerSample <= 3) ||
           (format.formatTag == kFormatTagFloat && format.bytesPerSample == 4);
}

AdmissionReason CheckFormat(const InputFormat& format) {
    if (format.durationMs == 0) {
        return AdmissionReason::kNoAudio;
    }
    if (format.bytesPerSample < 2 || format.bytesPerSample > 4) {
        return AdmissionReason::kBitsPerSample;
    }
    if (!AdmittedRate(format.sampleRateHz)) {
        return AdmissionReason::kSampleRate;
    }
    if (format.channels != 1 && format.channels != 2) {
        return AdmissionReason::kChannels;
    }
    if (!AdmittedEncoding(format)) {
        return AdmissionReason::kEncoding;
    }
    return AdmissionReason::kNone;
}

}  // namespace

const char* AdmissionReasonText(AdmissionReason reason) { return kReasonTexts[static_cast<size_t>(reason)]; }

AdmissionReason CheckFile(const wxString& path, SpaceBudget* budget) {
    struct stat info {};
    if (!Exists(path, &info)) {
        return AdmissionReason::kMissing;
    }
    const wxString folder = FolderOf(path);
    struct stat folderInfo {};
    if (!Exists(folder, &folderInfo) || !Writable(folder)) {
        return AdmissionReason::kFolderNotWritable;
    }
    const wxString output = OutputPathFor(path);
    struct stat outputInfo {};
    if (Exists(output, &outputInfo) && (S_ISDIR(outputInfo.st_mode) || !Writable(output))) {
        return AdmissionReason::kOutputNotWritable;
    }

    InputFormat format;
    {
        // Anything not named ".wav" is opened as AIFF.
        const InputType type = InputTypeOf(path) == InputType::kWav ? InputType::kWav : InputType::kAiff;
        InputReader reader(path, type);
        format = reader.Format();
    }
    const AdmissionReason formatReason = CheckFormat(format);
    if (formatReason != AdmissionReason::kNone) {
        return formatReason;
    }

    const uint64_t needed = uint64_t{format.durationMs} * static_cast<uint64_t>(format.channels) *
                            kOutputBytesPerMsPerChannel;
    if (budget != nullptr) {
        budget->neededBytes += needed;
        if (budget->freeBytes != kUnknownFreeSpace && budget->neededBytes > budget->freeBytes) {
            return AdmissionReason::kDiskSpace;
        }
        return AdmissionReason::kNone;
    }
    uint64_t freeBytes = 0;
    if (QueryFreeSpace(folder, freeBytes) && needed > freeBytes) {
        return AdmissionReason::kDiskSpace;
    }
    return AdmissionReason::kNone;
}
