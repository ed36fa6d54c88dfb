#pragma once
// Log target of vbenc: errors and warnings on stderr, prefixed "error: " or
// "warning: "; other records are dropped. Before printing, it asks the
// progress display to clear its line.

#include <functional>

#include <wx/log.h>

class ConsoleLog : public wxLog {
public:
    explicit ConsoleLog(std::function<void()> beforePrint) : beforePrint_(std::move(beforePrint)) {}
    bool SawError() const { return sawError_; }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo& info) override;

private:
    std::function<void()> beforePrint_;
    bool sawError_ = false;
};
