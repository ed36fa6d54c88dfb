#include "ui/markup/XmlParser.h"

#include "ui/markup/XmlException.h"

#include <cstring>
#include <wx/intl.h>
#include <wx/stream.h>

bool XmlParser::ParseFile(const wxString& path) {
    fileName_ = path;
    std::FILE* file = std::fopen(path.utf8_str(), "rb");
    if (!file) {
        ResetParser();
        ReportError(wxGetTranslation("Unable to open file"), path);
        return false;
    }
    bool ok = ParseOpenFile(file);
    std::fclose(file);
    return ok;
}

bool XmlParser::ParseOpenFile(std::FILE* file) {
    return ParseChunks([file](char* buffer, size_t size) { return std::fread(buffer, 1, size, file); });
}

bool XmlParser::ParseStream(wxInputStream& stream) {
    return ParseChunks([&stream](char* buffer, size_t size) -> size_t {
        if (stream.Eof()) return 0;
        stream.Read(buffer, size);
        return stream.LastRead();
    });
}

bool XmlParser::ParseText(const char* bytes, size_t length) {
    size_t position = 0;
    return ParseChunks([&](char* buffer, size_t size) {
        size_t n = length - position < size ? length - position : size;
        if (n) std::memcpy(buffer, bytes + position, n);
        position += n;
        return n;
    });
}

template <class Read>
bool XmlParser::ParseChunks(Read&& read) {
    ResetParser();
    char buffer[ChunkSize];
    try {
        // A short chunk is the last one; a full chunk may be followed by more.
        size_t got;
        do {
            got = read(buffer, ChunkSize);
            bool isFinal = got < ChunkSize;
            XmlException* thrown = nullptr;
            if (!Feed(buffer, got, isFinal, &thrown)) {
                if (thrown) throw thrown;
                ThrowParseError(wxEmptyString);
            }
        } while (got == ChunkSize);
        EndOfDocument();
    } catch (XmlException* e) {
        ReportError(e->Message(), fileName_);
        e->Release();
        return false;
    }
    return true;
}

void XmlParser::ResetParser() {
    errorMessage_.clear();
    errorLine_ = -1;
    errorColumn_ = -1;
    ResetExpat();
}

void XmlParser::ThrowParseError(const wxString& message) {
    XML_Error code = expat_ ? XML_GetErrorCode(expat_) : XML_ERROR_NO_MEMORY;
    const XML_LChar* text = XML_ErrorString(code);
    if (expat_) {
        errorLine_ = static_cast<int>(XML_GetCurrentLineNumber(expat_));
        errorColumn_ = static_cast<int>(XML_GetCurrentColumnNumber(expat_));
    }
    wxString full = message + " " + (text ? wxString::FromUTF8(text) : wxString());
    throw new XmlException(full);
}

void XmlParser::ReportError(const wxString& message, const wxString& detail) {
    errorMessage_ = message;
    if (!detail.empty()) errorMessage_ << "\n\"" << detail << "\"";
    if (errorLine_ >= 0) errorMessage_ << ", " << wxString::Format(wxGetTranslation("Line %d"), errorLine_);
    if (errorColumn_ >= 0) errorMessage_ << wxString::Format("[%d]", errorColumn_);
}
