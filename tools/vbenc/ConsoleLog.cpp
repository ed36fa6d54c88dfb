#include "tools/vbenc/ConsoleLog.h"

#include <cstdio>

void ConsoleLog::DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo&) {
    const char* prefix = nullptr;
    if (level <= wxLOG_Error) {
        prefix = "error: ";
        sawError_ = true;
    } else if (level == wxLOG_Warning) {
        prefix = "warning: ";
    } else {
        return;
    }
    if (beforePrint_) {
        beforePrint_();
    }
    std::fprintf(stderr, "%s%s\n", prefix, message.utf8_str().data());
    std::fflush(stderr);
}
