#include "ZA2Durizez/core/InputReader.h"

#include "Source/Engine/AudioFile/AudioFile.h"
#include "Source/Engine/AudioFile/AudioFileAIFF.h"

namespace {
// Constructing a reader with preset duration 0 makes it open the file.
constexpr int32_t kOpenNow = 0;
constexpr int32_t kDefaultChannels = 2;
}  // namespace

InputReader::InputReader(const wxString& path, InputType type) {
    const UString name(path.utf8_str().data());
    switch (type) {
        case InputType::kWav:
            file_ = new AudioFile(name, kOpenNow, kDefaultChannels);
            break;
        case InputType::kAiff:
            file_ = new AudioFileAIFF(name, kOpenNow, kDefaultChannels);
            break;
        case InputType::kUnsupported:
            return;
    }
    file_->SetUnsupported(false);
    format_.formatTag = file_->FormatTag();
    format_.channels = file_->Channels();
    format_.bytesPerSample = file_->BytesPerSample();
    format_.sampleRateHz = file_->SampleRate();
    format_.durationMs = static_cast<uint32_t>(file_->Duration());
    format_.frames = format_.durationMs == 0 ? 0 : file_->FrameCount();
}

InputReader::~InputReader() {
    if (file_ != nullptr) {
        Object::Release(file_);
    }
}

uint64_t InputReader::Read(int16_t* buffer, uint64_t n, uint64_t p) {
    return file_ == nullptr ? 0 : file_->Read(buffer, n, p);
}
