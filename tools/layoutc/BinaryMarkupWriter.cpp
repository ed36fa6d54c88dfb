#include "tools/layoutc/BinaryMarkupWriter.h"

#include "ui/markup/BinaryMarkupFormat.h"

#include <cstdint>

namespace {

class Writer {
public:
    explicit Writer(std::string* out) : out_(out) {}

    bool Record(const LayoutRecord& r, std::string* error) {
        if (!ShortString(r.name, "element name", error)) return false;
        for (const auto& a : r.attributes) {
            Byte(BinaryMarkup::AttributeEntry);
            if (!ShortString(a.name, "attribute name", error)) return false;
            if (a.record) {
                Byte(BinaryMarkup::Element);
                if (!Record(*a.record, error)) return false;
            } else {
                Text(a.text);
            }
        }
        for (const auto& c : r.children) {
            Byte(BinaryMarkup::ChildEntry);
            if (!Record(*c, error)) return false;
        }
        Byte(BinaryMarkup::WriterTerminator);
        return true;
    }

    void Byte(uint8_t b) { out_->push_back(static_cast<char>(b)); }

private:
    void Little(uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
    }
    bool ShortString(const std::string& s, const char* what, std::string* error) {
        if (s.size() > 255) {
            *error = std::string(what) + " longer than 255 bytes: " + s.substr(0, 40) + "...";
            return false;
        }
        Byte(static_cast<uint8_t>(s.size()));
        out_->append(s);
        return true;
    }
    void Text(const std::string& s) {
        if (s.size() <= 0xFF) {
            Byte(BinaryMarkup::String8);
            Little(s.size(), 1);
        } else if (s.size() <= 0xFFFF) {
            Byte(BinaryMarkup::String16);
            Little(s.size(), 2);
        } else {
            Byte(BinaryMarkup::String32);
            Little(s.size(), 4);
        }
        out_->append(s);
    }

    std::string* out_;
};

}  // namespace

bool WriteBinaryMarkup(const LayoutRecord& root, std::string* out, std::string* error) {
    out->clear();
    out->append(reinterpret_cast<const char*>(BinaryMarkup::Magic), 4);
    Writer w(out);
    w.Byte(BinaryMarkup::WriterTagByte);
    return w.Record(root, error);
}
