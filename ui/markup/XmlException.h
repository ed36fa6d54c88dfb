#pragma once
// XmlException: the one error object of the XML reader. It is thrown as a
// pointer to a heap object inside a parse and caught by the parse operations
// of XmlParser, which own it and delete it through Release(). It never
// leaves the reader.

#include <wx/string.h>

class XmlException {
public:
    explicit XmlException(const wxString& message) : message_(message) {}
    virtual ~XmlException() = default;
    virtual void Release() { delete this; }

    const wxString& Message() const { return message_; }

private:
    wxString message_;
};
