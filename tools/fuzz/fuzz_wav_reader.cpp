// libFuzzer target: the WAV/RF64 reader over an arbitrary file.
#include "Source/Engine/AudioFile/AudioFile.h"
#include "tools/fuzz/FuzzReaderInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzReader<AudioFile>(data, size, ".wav");
}
