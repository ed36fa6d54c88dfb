// libFuzzer target: the AIFF reader over an arbitrary file.
#include "Source/Engine/AudioFile/AudioFileAIFF.h"
#include "tools/fuzz/FuzzReaderInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzReader<AudioFileAIFF>(data, size, ".aif");
}
