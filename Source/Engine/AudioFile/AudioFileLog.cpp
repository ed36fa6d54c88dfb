#include "Source/Engine/AudioFile/AudioFileLog.h"

#include <wx/log.h>
#include <wx/translation.h>

#include <charconv>
#include <cstdio>

namespace AudioFileLogSites {
// Function, line, level and text of every record the mapped audio file logs.
const AudioFileLogSite kOpenFailed{"Open", 337, false, "Failed to open file: \"%s\". Code: %08X"};
const AudioFileLogSite kCreateOpenFailed{"Create", 591, false, "Failed to open file: \"%s\". Code: %08X"};
const AudioFileLogSite kCreateExtendFailed{"Create", 619, false, "Failed to extend file. \"%s\", Code: %08X"};
const AudioFileLogSite kCreateNoSpace{"Create", 621, true, "Not enough space space left on device. %s needed"};
const AudioFileLogSite kCloseTruncateFailed{"Close", 815, false, "Failed to truncate file. \"%s\", Code: %08X"};
const AudioFileLogSite kMapFailed{"MapOffset", 2075, false, "Failed to map file. \"%s\", Code: %08X"};
const AudioFileLogSite kGrowExtendFailed{"GrowFile", 2130, false, "Failed to extend file. \"%s\", Code: %08X"};
}  // namespace AudioFileLogSites

namespace {

void Emit(const AudioFileLogSite& site, const char* message) {
    const wxLogLevel level = site.isError ? wxLOG_Error : wxLOG_Warning;
    if (!wxLog::IsLevelEnabled(level, wxASCII_STR(wxLOG_COMPONENT))) return;
    wxLogger(level, kAudioFileLogSource, site.line, site.function, wxLOG_COMPONENT)
        .Log("%s", wxString::FromUTF8(message));
}

}  // namespace

void LogAudioFile(const AudioFileLogSite& site, const UString& path, uint32_t code) {
    char message[4096];
    std::snprintf(message, sizeof message, site.text, path.c_str(), code);
    Emit(site, message);
}

void LogAudioFile(const AudioFileLogSite& site, const std::string& argument) {
    char message[4096];
    std::snprintf(message, sizeof message, site.text, argument.c_str());
    Emit(site, message);
}

std::string HumanReadableSize(uint64_t bytes) {
    static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes);
    size_t unit = 0;
    while (value >= 800.0 && unit + 1 < std::size(kUnits)) {
        value /= 1024.0;
        ++unit;
    }
    const int decimals = (unit == 0 || value > 99.0) ? 0 : 1;
    // to_chars is locale-independent: the decimal point is always ".".
    char number[64];
    const auto end = std::to_chars(number, number + sizeof number - 1, value, std::chars_format::fixed, decimals).ptr;
    *end = '\0';
    const wxString unitText = wxGetTranslation(kUnits[unit]);
    return std::string(number) + " " + std::string(unitText.utf8_str());
}
