#pragma once
// The one-line progress display of vbenc on a terminal: the whole drop's
// progress, then each running file's name and progress.

#include <cstdint>
#include <string>

class BatchController;

class ProgressLine {
public:
    explicit ProgressLine(bool enabled) : enabled_(enabled) {}
    void Draw(BatchController& batch);
    // Prints a finished file's result above the line.
    void FileEnded(const std::string& path, const char* result);
    // Wipes the line so that other output starts at column 0.
    void Clear();

private:
    bool enabled_;
    bool drawn_ = false;
};
