#pragma once
// LayoutCompiler: reads XAML text with the XAML reader and, alongside the
// element tree, collects the binary records that make the binary reader build
// the same tree. Every decision the text reader takes from the registry
// (property elements holding a collection or a single value, the default
// property, text becoming Runs or "Content") is taken from the live tree as
// it grows, so the records follow the same rules.
//
// Compile() then writes the records and checks the result: it reads them
// back with the binary reader and compares the element dumps of both trees.
// Documents whose binary form would read differently (for example a resource
// that refers to an earlier resource of the same dictionary, which the binary
// reader cannot see yet) are refused with the first line that differs.

#include "tools/layoutc/LayoutRecord.h"
#include "ui/markup/XamlParser.h"

#include <string>
#include <vector>

class LayoutCompiler : public XamlParser {
public:
    LayoutCompiler() = default;

    void StartElement(const char* name, const char** attributes) override;
    void EndElement(const char* name) override;

    const LayoutRecord* RootRecord() const noexcept { return root_record_.get(); }

protected:
    void HandleText(const UString& text) override;

private:
    struct RecordFrame {
        LayoutRecord* record;       // receives children and attributes; null: none
        LayoutRecord* pendingOwner; // in force while this frame is on top
        std::string pendingName;
    };
    LayoutRecord* CurrentRecord() const { return frames_.empty() ? nullptr : frames_.back().record; }
    void Push(LayoutRecord* record) { frames_.push_back({record, recordPendingOwner_, recordPendingName_}); }

    std::unique_ptr<LayoutRecord> root_record_;
    std::vector<std::unique_ptr<LayoutRecord>> orphans_;  // records the tree does not reach
    std::vector<RecordFrame> frames_;
    LayoutRecord* recordPendingOwner_ = nullptr;
    std::string recordPendingName_;
};

// Compiles XAML text into the binary format. On failure returns false and
// describes the problem in *error (with the file name given for messages).
bool CompileLayout(const std::string& xaml, const std::string& fileName, std::string* binary, std::string* error);

// Element dump of a markup file's content in either format (binary when it
// starts with the magic). *error receives a reader's message; the dump then
// holds what was built before the error.
bool DumpMarkup(const std::string& content, const std::string& fileName, std::string* dump, std::string* error);
