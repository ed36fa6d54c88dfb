#pragma once
// EncoderFile: the sink at the end of every encode chain. Cuts incoming
// 16-bit frames into 1152-frame blocks, encodes each block with the codec
// the factory makes for the format record and appends every encoded frame
// to the output file.
//
// The first codec call sees 672 silent frames followed by the first 480
// input frames; its output is dropped, which lines the decoded stream up
// with the input. Flush completes the last block with silence and adds at
// least 512 silent frames so that the codec's delay is drained.
//
// Write failures: once appending output fails (disk full, I/O error, file
// not opened), Write returns 0 from then on and Flush returns false.

#include <cstdint>

#include <wx/ffile.h>
#include <wx/string.h>

#include "Source/Engine/Base/AudioFormat.h"
#include "Source/Engine/Base/AudioSink.h"
#include "Source/Engine/Base/Codec.h"
#include "ui/core/UString.h"

class EncoderFile : public AudioSink {
public:
    static constexpr uint32_t kOutputCapacity = 16384;
    static constexpr uint32_t kBlockFrames = 1152;
    static constexpr uint32_t kPrimingFrames = 480;
    static constexpr uint32_t kTailSilenceFrames = 512;

    EncoderFile(const UString& path, const AudioFormat& format);
    ~EncoderFile() override;

    // Returns n, or 0 when nothing could be taken (no codec, or output can
    // no longer be written). The position is not used.
    uint64_t Write(const int16_t* frames, uint64_t n, uint64_t position) override;
    // Encodes the tail and closes the file. False when no frame was ever
    // written (nothing happens), or when any write or the close failed.
    bool Flush() override;

    bool HasCodec() const noexcept { return codec_ != nullptr; }
    bool Failed() const noexcept { return failed_; }
    uint32_t FramesWritten() const noexcept { return framesWritten_; }
    uint32_t BytesWritten() const noexcept { return bytesWritten_; }
    uint32_t InputFrames() const noexcept { return inputFrames_; }

private:
    // One feed step; source null means tail silence. Returns frames consumed.
    uint64_t Feed(const int16_t* source, uint64_t count);
    // Encodes one block (dropping the output of the priming block) and
    // appends the frame to the file.
    void EncodeBlock(const void* block);
    void Append(uint32_t length);

    Codec* codec_ = nullptr;
    wxString path_;
    uint8_t wavFlag_ = 0;
    uint32_t frameBytes_ = 1;
    uint32_t outputCapacity_ = kOutputCapacity;
    uint32_t blockFrames_ = kBlockFrames;
    uint32_t fill_ = 0;
    uint32_t primingCount_ = kPrimingFrames;
    uint32_t framesWritten_ = 0;
    uint32_t bytesWritten_ = 0;
    uint32_t headerSize_ = 0;  // no wav header is ever built
    uint32_t inputFrames_ = 0;
    uint8_t* output_ = nullptr;
    uint8_t* input_ = nullptr;
    uint8_t* header_ = nullptr;
    wxFFile* file_ = nullptr;
    char* writeBuffer_ = nullptr;  // the file's stream buffer
    bool failed_ = false;
};
