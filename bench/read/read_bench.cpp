// Read throughput of AudioFile::Read in engine blocks (1024 frames).
//   read_bench make PATH BYTES   writes a 16-bit stereo 44.1 kHz WAV of about
//                                BYTES of noise
//   read_bench read PATH         reads it through Read and prints
//                                "read_mb_s=<MB/s> frames=<n> peak_rss_kb=<kB>"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Source/Engine/AudioFile/AudioFile.h"
#include "Source/Engine/AudioFile/ByteOrder.h"

namespace {

int Make(const char* path, uint64_t bytes) {
    bytes &= ~uint64_t{3};
    FILE* f = std::fopen(path, "wb");
    if (!f) return 1;
    uint8_t header[44] = {};
    StoreChunkId(header, "RIFF");
    StoreLE32(header + 4, static_cast<uint32_t>(bytes + 36));
    StoreChunkId(header + 8, "WAVE");
    StoreChunkId(header + 12, "fmt ");
    StoreLE32(header + 16, 16);
    StoreLE16(header + 20, 1);
    StoreLE16(header + 22, 2);
    StoreLE32(header + 24, 44100);
    StoreLE32(header + 28, 44100 * 4);
    StoreLE16(header + 32, 4);
    StoreLE16(header + 34, 16);
    StoreChunkId(header + 36, "data");
    StoreLE32(header + 40, static_cast<uint32_t>(bytes));
    std::fwrite(header, 1, sizeof header, f);
    std::vector<uint32_t> block(1 << 18);
    uint32_t x = 2463534242u;
    for (uint64_t done = 0; done < bytes;) {
        for (auto& v : block) {  // xorshift noise
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            v = x;
        }
        const uint64_t n = std::min<uint64_t>(bytes - done, block.size() * 4);
        std::fwrite(block.data(), 1, n, f);
        done += n;
    }
    return std::fclose(f) == 0 ? 0 : 1;
}

int Read(const char* path) {
    auto* file = new AudioFile(path, 0, 2);
    if (!file->IsOk()) {
        std::fprintf(stderr, "cannot open %s\n", path);
        return 1;
    }
    std::vector<int16_t> block(2 * 1024);
    int64_t checksum = 0;
    uint64_t frames = 0;
    const auto start = std::chrono::steady_clock::now();
    for (uint64_t p = 0;; p += 1024) {
        const uint64_t k = file->Read(block.data(), 1024, p);
        if (k == 0) break;
        frames += k;
        checksum += block[0] + block[2 * k - 1];
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double mb = static_cast<double>(file->DataSize()) / 1e6;
    Object::Release(file);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("read_mb_s=%.0f frames=%llu seconds=%.3f peak_rss_kb=%ld checksum=%lld\n", mb / seconds,
                static_cast<unsigned long long>(frames), seconds, usage.ru_maxrss, static_cast<long long>(checksum));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "make") == 0) return Make(argv[2], std::strtoull(argv[3], nullptr, 10));
    if (argc == 3 && std::strcmp(argv[1], "read") == 0) return Read(argv[2]);
    std::fprintf(stderr, "usage: read_bench make PATH BYTES | read_bench read PATH\n");
    return 2;
}
