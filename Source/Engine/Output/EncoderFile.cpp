#include "Source/Engine/Output/EncoderFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include <wx/log.h>

#include "Source/Engine/Codecs/CodecFactory.h"

namespace {

// Flags for the factory: the Layer II encoder's peak-level flag.
constexpr uint32_t kPeakLevelFlag = 0x10;
// Stream buffer of the output file.
constexpr size_t kWriteBufferBytes = 64 * 1024;

bool EndsWithWav(const UString& path) {
    const size_t n = path.Length();
    return n >= 3 && path.Right(3).CompareNoCase("wav") == 0;
}

}  // namespace

EncoderFile::EncoderFile(const UString& path, const AudioFormat& format)
    : AudioSink(format.channels, 2, static_cast<int32_t>(format.samplesPerSecond)),
      path_(wxString::FromUTF8(path.c_str())),
      wavFlag_(EndsWithWav(path) ? 1 : 0),
      frameBytes_(format.blockAlign != 0 ? format.blockAlign : 1) {
    output_ = new (std::nothrow) uint8_t[outputCapacity_];
    input_ = new (std::nothrow) uint8_t[static_cast<size_t>(blockFrames_) * frameBytes_];
    if (output_ == nullptr || input_ == nullptr) {
        wxLogError("Out of memory for the encoder buffers of %s", path_);
        return;
    }
    // Frames arrive as 16-bit samples, one per channel; any other frame
    // size would make the block copies read past the caller's buffer.
    if (format.channels == 0 || frameBytes_ != 2u * format.channels) {
        wxLogError("Unsupported frame layout for %s: %u channels, %u bytes per frame", path_,
                   static_cast<unsigned>(format.channels), static_cast<unsigned>(frameBytes_));
        return;
    }
    codec_ = CodecFactory::Create(format, true, wavFlag_ ? kPeakLevelFlag : 0);
    if (codec_ == nullptr) {
        return;
    }
    // The priming block starts with F - P silent frames; the first P input
    // frames complete it, however the caller splits its writes.
    fill_ = blockFrames_ - primingCount_;
    std::memset(input_, 0, static_cast<size_t>(fill_) * frameBytes_);
    file_ = new (std::nothrow) wxFFile();
    if (file_ != nullptr) {
        // Logs its own failure. A larger stream buffer than the default
        // turns the frame-sized appends into fewer, larger writes.
        if (file_->Open(path_, "wb+")) {
            writeBuffer_ = new (std::nothrow) char[kWriteBufferBytes];
            if (writeBuffer_ != nullptr) {
                std::setvbuf(file_->fp(), writeBuffer_, _IOFBF, kWriteBufferBytes);
            }
        }
    }
}

EncoderFile::~EncoderFile() {
    delete[] output_;
    delete[] input_;
    delete[] header_;
    delete file_;  // closes the file if still open
    delete[] writeBuffer_;  // only once the stream no longer uses it
    delete codec_;
}

uint64_t EncoderFile::Write(const int16_t* frames, uint64_t n, uint64_t /*position*/) {
    if (codec_ == nullptr || failed_) {
        return 0;
    }
    uint64_t done = 0;
    while (done < n) {
        const uint64_t consumed = Feed(frames + done * static_cast<uint64_t>(channels_), n - done);
        if (consumed == 0) {
            return 0;
        }
        done += consumed;
    }
    if (failed_) {
        return 0;
    }
    inputFrames_ += static_cast<uint32_t>(n);
    return n;
}

uint64_t EncoderFile::Feed(const int16_t* source, uint64_t count) {
    const uint64_t f = blockFrames_;
    const uint64_t b = frameBytes_;
    if (source == nullptr || fill_ > 0) {
        const uint64_t space = f - fill_;
        const uint64_t take = std::min(count, space);
        uint8_t* at = input_ + fill_ * b;
        if (source != nullptr) {
            std::memcpy(at, source, take * b);
            fill_ += static_cast<uint32_t>(take);
            if (fill_ < f) {
                return count;
            }
        } else {
            std::memset(at, 0, space * b);
        }
        EncodeBlock(input_);
        fill_ = 0;
        return take;
    }
    if (count < f) {
        std::memcpy(input_, source, count * b);
        fill_ = static_cast<uint32_t>(count);
        return count;
    }
    EncodeBlock(source);  // a full block straight from the caller's buffer
    return f;
}

void EncoderFile::EncodeBlock(const void* block) {
    const bool priming = primingCount_ != 0;
    const uint64_t length = codec_->Encode(block, static_cast<uint64_t>(blockFrames_) * frameBytes_,
                                           priming ? nullptr : output_, outputCapacity_);
    if (priming) {
        primingCount_ = 0;  // the priming block's frame is discarded
        return;
    }
    if (length != 0) {
        Append(static_cast<uint32_t>(std::min<uint64_t>(length, outputCapacity_)));
    }
}

void EncoderFile::Append(uint32_t length) {
    if (failed_) {
        return;
    }
    if (file_ == nullptr || !file_->IsOpened()) {
        failed_ = true;  // the open failure was logged already
        return;
    }
    if (file_->Write(output_, length) != length || file_->Error()) {
        wxLogError("Could not write the encoded stream to %s", path_);
        failed_ = true;
        return;
    }
    bytesWritten_ += length;
    framesWritten_ += 1;
}

bool EncoderFile::Flush() {
    if (inputFrames_ == 0) {
        return false;
    }
    // Tail silence: complete the last block, and encode one more when fewer
    // than 512 frames of room were left in it.
    uint64_t remaining = kTailSilenceFrames;
    while (remaining > 0 && !failed_) {
        remaining -= Feed(nullptr, remaining);
    }
    // Header fix-up for wav-wrapped output; no header buffer is ever built.
    if (wavFlag_ && header_ != nullptr && headerSize_ >= 12 && file_ != nullptr && file_->IsOpened()) {
        auto put32 = [this](uint32_t offset, uint32_t value) { std::memcpy(header_ + offset, &value, 4); };
        put32(4, bytesWritten_ + headerSize_ - 8);
        put32(headerSize_ - 12, inputFrames_);
        put32(headerSize_ - 4, bytesWritten_);
        if (!file_->Seek(0) || file_->Write(header_, headerSize_) != headerSize_) {
            failed_ = true;
        }
    }
    if (file_ != nullptr && file_->IsOpened() && !file_->Close()) {
        // The stream is gone even when closing it failed (the last buffered
        // bytes could not be written): drop it, or the file object would
        // close it a second time when deleted.
        file_->Detach();
        wxLogError("Could not finish writing %s", path_);
        failed_ = true;
    }
    return !failed_;
}
