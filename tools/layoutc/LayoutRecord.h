#pragma once
// LayoutRecord: one element record of the binary markup format as the
// compiler collects it before writing: a name, attribute entries in the order
// they will be written, and child records. Attribute values are either texts
// (written as Strings) or nested records (written as element values).

#include <memory>
#include <string>
#include <vector>

struct LayoutRecord {
    struct Attribute {
        std::string name;
        std::string text;                     // used when record is null
        std::unique_ptr<LayoutRecord> record;  // an element given as the value
    };

    std::string name;  // empty: a plain "Collection"
    std::vector<Attribute> attributes;
    std::vector<std::unique_ptr<LayoutRecord>> children;

    LayoutRecord* AddAttributeRecord(const std::string& attributeName, std::unique_ptr<LayoutRecord> value) {
        attributes.push_back({attributeName, {}, std::move(value)});
        return attributes.back().record.get();
    }
    void AddAttributeText(const std::string& attributeName, const std::string& value) {
        attributes.push_back({attributeName, value, nullptr});
    }
    LayoutRecord* AddChild(std::unique_ptr<LayoutRecord> child) {
        children.push_back(std::move(child));
        return children.back().get();
    }
};
