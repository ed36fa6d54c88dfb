#include "tools/vbenc/ProgressLine.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

#include "ZA2Durizez/core/BatchController.h"

namespace {

size_t TerminalWidth() {
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 10) {
        return size.ws_col;
    }
    return 80;
}

std::string BaseName(const wxString& path) {
    const std::string bytes(path.utf8_str().data());
    const size_t slash = bytes.find_last_of('/');
    return slash == std::string::npos ? bytes : bytes.substr(slash + 1);
}

std::string Percent(int32_t thousandths) {
    char text[16];
    std::snprintf(text, sizeof text, "%3d%%", thousandths / 10);
    return text;
}

}  // namespace

void ProgressLine::Draw(BatchController& batch) {
    if (!enabled_) {
        return;
    }
    const int32_t total = batch.UpdateTotalProgress();
    char head[64];
    std::snprintf(head, sizeof head, "[%s] %d/%d done", Percent(total).c_str(), batch.BatchDone(), batch.BatchTotal());
    std::string line(head);
    const BatchFileList& list = batch.List();
    for (size_t i = 0; i < list.Count(); ++i) {
        const BatchFileItem* item = list.Item(i);
        if (item->Status() == kJobEncoding) {
            line.append(" | ").append(BaseName(item->Path())).append(" ").append(Percent(item->Progress()));
        }
    }
    const size_t width = TerminalWidth() - 1;
    if (line.size() > width) {
        line.resize(width);
    }
    std::fprintf(stderr, "\r%s\x1b[K", line.c_str());
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressLine::FileEnded(const std::string& path, const char* result) {
    if (!enabled_) {
        return;
    }
    Clear();
    std::fprintf(stderr, "%-9s %s\n", result, path.c_str());
}

void ProgressLine::Clear() {
    if (drawn_) {
        std::fprintf(stderr, "\r\x1b[K");
        std::fflush(stderr);
        drawn_ = false;
    }
}
