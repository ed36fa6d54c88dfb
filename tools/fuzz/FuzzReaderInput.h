#pragma once
// Shared by the reader fuzz targets: writes the input to a temporary file,
// opens it with the reader, reads every frame in engine blocks and closes.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Source/Engine/AudioFile/AudioFile.h"

template <typename Reader>
int FuzzReader(const uint8_t* data, size_t size, const char* suffix) {
    static std::string path;
    if (path.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        path = std::string(tmp && *tmp ? tmp : "/tmp") + "/vb-fuzz-" + std::to_string(::getpid()) + suffix;
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);

    auto* reader = new Reader(path.c_str(), 0, 2);
    reader->SetUnsupported(false);  // as the encode job does
    (void)reader->Duration();
    std::vector<int16_t> block(2 * 1024);
    std::vector<double> doubles(2 * 1024);
    // Bounded: a hostile header may claim a huge data size.
    uint64_t p = 0;
    for (int i = 0; i < 4096; ++i, p += 1024)
        if (reader->Read(block.data(), 1024, p) == 0) break;
    (void)reader->ReadDouble(doubles.data(), 1024, 0);
    (void)reader->Read(block.data(), 1024, reader->FrameCount() ? reader->FrameCount() - 1 : 0);
    reader->Close();
    Object::Release(reader);
    ::unlink(path.c_str());
    return 0;
}
