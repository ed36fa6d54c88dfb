#include "Source/Engine/AudioFile/AudioFileRegistry.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<AudioFile*> files;
};

// Built on first use so that files created during static initialisation
// find it ready; never destroyed, so late destructors can still unregister.
Registry& TheRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

}  // namespace

void RegisterAudioFile(AudioFile* file) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.files.push_back(file);
}

void UnregisterAudioFile(AudioFile* file) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const auto it = std::find(r.files.begin(), r.files.end(), file);
    if (it != r.files.end()) r.files.erase(it);
}

size_t RegisteredAudioFileCount() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.files.size();
}

bool IsAudioFileRegistered(const AudioFile* file) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return std::find(r.files.begin(), r.files.end(), file) != r.files.end();
}
