#include "tools/layoutc/LayoutCompiler.h"

#include "tools/layoutc/BinaryMarkupWriter.h"
#include "ui/core/PropertyValues.h"
#include "ui/document/FlowContent.h"
#include "ui/markup/BamlReader.h"
#include "ui/markup/BinaryMarkupFormat.h"
#include "ui/markup/DumpElement.h"

#include <cstring>
#include <wx/mstream.h>

void LayoutCompiler::StartElement(const char* name, const char** attributes) {
    FlushText();  // text before this tag is recorded against the state before it
    const char* dot = std::strchr(name, '.');
    // Past the nesting cap the reader stops; records are of no use then.
    bool tooDeep = static_cast<int>(stack_.size()) >= BinaryMarkup::MaxNestingDepth;
    if (!tooDeep && dot && dot != name) {
        std::string property(dot + 1);
        N::Property* v = N::GetValue(current_, property);
        LayoutRecord* owner = CurrentRecord();
        auto fresh = std::make_unique<LayoutRecord>();
        LayoutRecord* record = fresh.get();
        if (v && N::IsA(v, N::Collection::StaticType())) {
            const UString& typeName = v->GetType()->Name();
            fresh->name = typeName == "Collection" ? std::string() : std::string(typeName.View());
        } else if (v) {
            recordPendingOwner_ = owner;
            recordPendingName_ = property;
            record = nullptr;
        }
        if (record) {
            if (owner && current_)
                owner->AddAttributeRecord(property, std::move(fresh));
            else
                orphans_.push_back(std::move(fresh));
        }
        Push(record);
    } else if (!tooDeep) {
        auto fresh = std::make_unique<LayoutRecord>();
        fresh->name = name;
        for (const char** a = attributes; a && a[0]; a += 2) fresh->AddAttributeText(a[0], a[1]);
        LayoutRecord* record = fresh.get();
        if (!root_record_ && !Root()) {
            root_record_ = std::move(fresh);
        } else if (pendingOwner_) {
            // The element becomes the value of a property element's property.
            if (recordPendingOwner_)
                recordPendingOwner_->AddAttributeRecord(recordPendingName_, std::move(fresh));
            else
                orphans_.push_back(std::move(fresh));
            recordPendingOwner_ = nullptr;
            recordPendingName_.clear();
        } else if (CurrentRecord() && current_) {
            CurrentRecord()->AddChild(std::move(fresh));
        } else {
            orphans_.push_back(std::move(fresh));
        }
        Push(record);
    }
    XamlParser::StartElement(name, attributes);
}

void LayoutCompiler::EndElement(const char* name) {
    XamlParser::EndElement(name);
    if (frames_.size() > 1) {
        frames_.pop_back();
        recordPendingOwner_ = frames_.back().pendingOwner;
        recordPendingName_ = frames_.back().pendingName;
    }
}

void LayoutCompiler::HandleText(const UString& text) {
    LayoutRecord* record = CurrentRecord();
    if (current_ && record) {
        UString dp = N::ToText(current_->GetValue("DefaultProperty"));
        bool toCollection = !dp.IsEmpty() && N::IsA(current_->GetValue(dp.View()), N::Collection::StaticType());
        bool toRun = toCollection || (dp.IsEmpty() && N::IsA(current_, TextElement::StaticType()));
        if (toRun) {
            // The binary reader reads a String starting with "{" as a markup
            // extension; the text reader stores a Run's text as it is.
            std::string t(text.View());
            if (t.size() > 2 && t[0] == '{') t = "{}" + t;
            auto run = std::make_unique<LayoutRecord>();
            run->name = "Run";
            run->AddAttributeText("Text", t);
            record->AddChild(std::move(run));
        } else {
            record->AddAttributeText("Content", std::string(text.View()));
        }
    }
    XamlParser::HandleText(text);
}

namespace {

std::string DumpText(N::Element* root) {
    UString d = DumpElement(root);
    return std::string(d.View());
}

std::string ReaderMessage(const XmlParser& parser) { return std::string(parser.ErrorMessage().utf8_str()); }

// The first line where a and b differ, 1-based.
size_t FirstDifferentLine(const std::string& a, const std::string& b, std::string* lineA, std::string* lineB) {
    size_t line = 1, i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) {
        if (a[i] == '\n') ++line;
        ++i;
    }
    auto lineAt = [i](const std::string& s) {
        size_t start = s.rfind('\n', i ? i - 1 : 0);
        start = (start == std::string::npos || i == 0) ? 0 : start + 1;
        size_t end = s.find('\n', start);
        return s.substr(start, end == std::string::npos ? std::string::npos : end - start);
    };
    *lineA = lineAt(a);
    *lineB = lineAt(b);
    return line;
}

}  // namespace

bool CompileLayout(const std::string& xaml, const std::string& fileName, std::string* binary, std::string* error) {
    LayoutCompiler compiler;
    compiler.SetFileName(wxString::FromUTF8(fileName));
    if (!compiler.ParseText(xaml.data(), xaml.size())) {
        *error = ReaderMessage(compiler);
        return false;
    }
    if (!compiler.RootRecord()) {
        *error = fileName + ": no document element";
        return false;
    }
    if (!WriteBinaryMarkup(*compiler.RootRecord(), binary, error)) {
        *error = fileName + ": " + *error;
        return false;
    }
    // The binary form must read back as the same tree.
    wxMemoryInputStream stream(binary->data(), binary->size());
    BamlReader reader(&stream);
    std::string expected = DumpText(compiler.Root());
    std::string actual = DumpText(reader.Root());
    if (expected != actual) {
        std::string a, b;
        size_t line = FirstDifferentLine(expected, actual, &a, &b);
        *error = fileName + ": the binary form would read differently (element dump line " + std::to_string(line) +
                 ")\n  text reader:   " + a + "\n  binary reader: " + b;
        return false;
    }
    return true;
}

bool DumpMarkup(const std::string& content, const std::string& fileName, std::string* dump, std::string* error) {
    bool isBinary = content.size() >= 4 && std::memcmp(content.data(), BinaryMarkup::Magic, 4) == 0;
    if (isBinary) {
        wxMemoryInputStream stream(content.data(), content.size());
        BamlReader reader(&stream);
        *dump = DumpText(reader.Root());
        return true;
    }
    XamlParser parser;
    parser.SetFileName(wxString::FromUTF8(fileName));
    bool ok = parser.ParseText(content.data(), content.size());
    *dump = DumpText(parser.Root());
    if (!ok) *error = ReaderMessage(parser);
    return ok;
}
