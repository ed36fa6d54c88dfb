#pragma once
// The process-wide list of every existing AudioFile, guarded by a mutex.
// Each file adds itself at construction and removes itself at destruction.

#include <cstddef>

class AudioFile;

void RegisterAudioFile(AudioFile* file);
void UnregisterAudioFile(AudioFile* file);
// Files currently registered (diagnostics and tests).
size_t RegisteredAudioFileCount();
bool IsAudioFileRegistered(const AudioFile* file);
