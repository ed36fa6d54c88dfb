#pragma once
// XmlParser: feeds a file, a stream or a text in memory to expat in chunks of
// ChunkSize bytes and turns every failure into an error text with the file
// name, line and column. The parse operations never throw: an XmlException
// thrown while parsing (expat errors, or the callbacks of derived classes) is
// caught here, reported with ReportError and deleted, and the result is false.

#include "ui/markup/XmlParserBase.h"

#include <cstdio>
#include <wx/string.h>

class wxInputStream;

class XmlParser : public XmlParserBase {
public:
    static constexpr size_t ChunkSize = 2048;

    XmlParser() = default;

    virtual bool ParseFile(const wxString& path);
    // Parses a whole text held in memory (tests and tools; the program reads files).
    virtual bool ParseText(const char* bytes, size_t length);
    virtual bool ParseStream(wxInputStream& stream);
    // Clears the error state and prepares a fresh expat parser.
    virtual void ResetParser();
    // Throws a new XmlException: message, a space and expat's text for its
    // current error code; remembers expat's current line and column.
    [[noreturn]] virtual void ThrowParseError(const wxString& message);
    // Stores message, then "\n\"detail\"" when detail is not empty, then the
    // location ", Line N[C]" when one is known. Never throws.
    virtual void ReportError(const wxString& message, const wxString& detail);
    virtual bool ParseOpenFile(std::FILE* file);

    const wxString& FileName() const { return fileName_; }
    // The name error messages give for texts and streams (ParseFile sets it).
    void SetFileName(const wxString& name) { fileName_ = name; }
    const wxString& ErrorMessage() const { return errorMessage_; }
    int ErrorLine() const { return errorLine_; }      // -1: none
    int ErrorColumn() const { return errorColumn_; }  // -1: none

protected:
    // Runs one chunked parse; read(buffer, size) returns the bytes read.
    template <class Read> bool ParseChunks(Read&& read);
    // Lets a derived class finish its work after the last chunk (may throw).
    virtual void EndOfDocument() {}

private:
    wxString fileName_;
    wxString errorMessage_;
    int errorLine_ = -1;
    int errorColumn_ = -1;
};
