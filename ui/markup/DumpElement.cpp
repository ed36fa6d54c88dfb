#include "ui/markup/DumpElement.h"

#include "ui/core/Collection.h"
#include "ui/core/PropertyValues.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// Deeper levels are not written; trees built in code may contain cycles.
constexpr int MaxDumpDepth = 1024;

bool HasTextForm(N::Property* value) {
    if (!value) return true;
    N::PropertyType* type = value->GetType();
    if (type && type->HasFlag(N::PropertyType::ValueKind | N::PropertyType::TextOnly)) return true;
    return N::AsElement(value) == nullptr;
}

std::string Indent(int depth) { return std::string(static_cast<size_t>(depth) * 2, ' '); }

std::string Escaped(const UString& text) {
    std::string out;
    for (char c : text.View()) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        case '\t': out += "&#9;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Dump(N::Property* value, int depth, const UString& tagOverride, bool inlineMode, bool* isText);

// A nested item: an element's dump, or a text form on a line of its own.
std::string Nested(N::Property* value, int depth, bool inlineMode) {
    bool text = false;
    std::string s = Dump(value, depth, UString(), inlineMode, &text);
    return text ? Indent(depth) + Escaped(UString(s.data(), s.size())) + "\n" : s;
}

std::string Dump(N::Property* value, int depth, const UString& tagOverride, bool inlineMode, bool* isText) {
    if (isText) *isText = false;
    if (!value) return Indent(depth) + "<Null />\n";
    if (HasTextForm(value)) {
        if (isText) *isText = true;
        return std::string(N::ToText(value).View());
    }
    if (depth > MaxDumpDepth) return Indent(depth) + "<!-- deeper levels not shown -->\n";
    N::Element* e = N::AsElement(value);
    UString tag = N::ToText(e->GetValue("Tag"));
    if (tag.IsEmpty() && e->GetType()) tag = e->GetType()->Name();
    const UString& shown = tagOverride.IsEmpty() ? tag : tagOverride;
    bool bareRun = inlineMode && tag == "Run";

    std::vector<std::pair<UString, N::Property*>> properties;
    if (const auto* map = e->LocalValues())
        for (const auto& entry : *map) properties.emplace_back(entry.first, entry.second);
    std::sort(properties.begin(), properties.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    std::string attributes, propertyElements, nested;
    bool textContent = false;
    for (const auto& [name, v] : properties) {
        if (name == "Tag" || name == "cdata") continue;
        bool simple = HasTextForm(v);
        if ((name == "Content" || name == "Child") && !simple) {
            nested += Dump(v, depth + 1, UString(), inlineMode, nullptr);
        } else if (name == "Children" && N::AsCollection(v)) {
            for (N::Property* item : *N::AsCollection(v)) nested += Nested(item, depth + 1, inlineMode);
        } else if (simple) {
            if (inlineMode && name == "Text") {
                nested += bareRun ? std::string(N::ToText(v).View()) : Indent(depth + 1) + std::string(N::ToText(v).View()) + "\n";
                textContent = bareRun;
            } else {
                attributes += ' ';
                attributes.append(name.View());
                attributes += "=\"";
                attributes += Escaped(N::ToText(v));
                attributes += '"';
            }
        } else {
            UString propertyTag = tag;
            propertyTag += '.';
            propertyTag += name;
            propertyElements += Dump(v, depth + 1, propertyTag, inlineMode, nullptr);
        }
    }
    if (N::Collection* list = N::AsCollection(e))
        for (N::Property* item : *list) nested += Nested(item, depth + 1, inlineMode);

    if (bareRun) return nested;
    std::string out = Indent(depth) + "<" + std::string(shown.View()) + attributes;
    std::string content = propertyElements + nested;
    if (content.empty()) return out + " />\n";
    out += textContent ? ">" : ">\n";
    out += content;
    if (!inlineMode) out += (textContent ? "" : Indent(depth)) + "</" + std::string(shown.View()) + ">\n";
    return out;
}

}  // namespace

UString DumpElement(N::Property* value, int depth, const UString& tagOverride, bool inlineMode, bool* isText) {
    std::string s = Dump(value, depth, tagOverride, inlineMode, isText);
    return UString(s.data(), s.size());
}
