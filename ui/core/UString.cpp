#include "ui/core/UString.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <locale.h>
#include <string>
#include <new>
#include <strings.h>
#include <vector>

UString::Buffer* UString::Allocate(size_t length) {
    auto* b = static_cast<Buffer*>(std::malloc(sizeof(Buffer) + length));
    if (!b) throw std::bad_alloc();
    b->refs = 1;
    b->length = length;
    b->bytes[length] = 0;
    return b;
}

void UString::Unref(Buffer* b) noexcept {
    // Buffers are shared between threads only by copying a handle that one
    // thread owns (an audio file's path), so the count is atomic.
    if (b && std::atomic_ref<int>(b->refs).fetch_sub(1) == 1) std::free(b);
}

void UString::Assign(const char* bytes, size_t length) {
    if (length == 0) return;
    buffer_ = Allocate(length);
    std::memcpy(buffer_->bytes, bytes, length);
}

UString::UString(const char* text) {
    if (text) Assign(text, std::strlen(text));
}
UString::UString(const char* bytes, size_t length) {
    if (bytes) Assign(bytes, length);
}
UString::UString(char c) {
    if (c) Assign(&c, 1);
}
// Wide strings are UTF-32 (4-byte wchar_t). The conversion is done here
// rather than by the C library's multibyte functions, whose result depends
// on the process locale: in the default "C" locale they fail on every
// non-ASCII character and the text would be lost. Bytes that are not valid
// UTF-8 map to U+DC80..U+DCFF and back, so every byte string survives a
// round trip unchanged.
namespace {

constexpr wchar_t kEscapeBase = 0xDC00;

size_t DecodeUtf8(const unsigned char* s, size_t length, size_t i, char32_t* out) {
    unsigned char b = s[i];
    if (b < 0x80) {
        *out = b;
        return 1;
    }
    size_t need;
    char32_t cp, min;
    if (b >= 0xC2 && b <= 0xDF) need = 1, cp = b & 0x1F, min = 0x80;
    else if (b >= 0xE0 && b <= 0xEF) need = 2, cp = b & 0x0F, min = 0x800;
    else if (b >= 0xF0 && b <= 0xF4) need = 3, cp = b & 0x07, min = 0x10000;
    else need = 0, cp = 0, min = 0;
    if (need == 0 || i + need >= length) {
        *out = kEscapeBase + b;
        return 1;
    }
    for (size_t k = 1; k <= need; ++k) {
        unsigned char c = s[i + k];
        if ((c & 0xC0) != 0x80) {
            *out = kEscapeBase + b;
            return 1;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        *out = kEscapeBase + b;
        return 1;
    }
    *out = cp;
    return need + 1;
}

void EncodeUtf8(char32_t cp, std::string* out) {
    if (cp >= 0xDC80 && cp <= 0xDCFF) {  // an escaped byte
        out->push_back(static_cast<char>(cp - kEscapeBase));
        return;
    }
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

static_assert(sizeof(wchar_t) == 4, "wide strings are UTF-32");

UString::UString(const wchar_t* wide) {
    if (!wide || !*wide) return;
    std::string out;
    for (const wchar_t* w = wide; *w; ++w) EncodeUtf8(static_cast<char32_t>(*w), &out);
    Assign(out.data(), out.size());
}

UString::UString(const UString& other) noexcept : buffer_(other.buffer_) {
    if (buffer_) std::atomic_ref<int>(buffer_->refs).fetch_add(1);
}
UString::UString(UString&& other) noexcept : buffer_(other.buffer_) { other.buffer_ = nullptr; }
UString& UString::operator=(const UString& other) noexcept {
    if (buffer_ != other.buffer_) {
        if (other.buffer_) std::atomic_ref<int>(other.buffer_->refs).fetch_add(1);
        Unref(buffer_);
        buffer_ = other.buffer_;
    }
    return *this;
}
UString& UString::operator=(UString&& other) noexcept {
    if (this != &other) {
        Unref(buffer_);
        buffer_ = other.buffer_;
        other.buffer_ = nullptr;
    }
    return *this;
}
UString::~UString() { Unref(buffer_); }

std::wstring UString::ToWide() const {
    std::wstring out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(c_str());
    size_t length = Length();
    out.reserve(length);
    for (size_t i = 0; i < length;) {
        char32_t cp;
        i += DecodeUtf8(bytes, length, i, &cp);
        out.push_back(static_cast<wchar_t>(cp));
    }
    return out;
}

void UString::MakePrivate(size_t extra) {
    size_t length = Length();
    if (buffer_ && buffer_->refs == 1 && extra == 0) return;
    Buffer* b = Allocate(length + extra);
    if (length) std::memcpy(b->bytes, buffer_->bytes, length);
    b->length = length;
    b->bytes[length] = 0;
    Unref(buffer_);
    buffer_ = b;
}

UString& UString::Append(const char* bytes, size_t length) {
    if (!bytes || length == 0) return *this;
    size_t old = Length();
    if (buffer_ && buffer_->refs == 1) {
        auto* b = static_cast<Buffer*>(std::realloc(buffer_, sizeof(Buffer) + old + length));
        if (!b) throw std::bad_alloc();
        buffer_ = b;
    } else {
        MakePrivate(length);
    }
    std::memmove(buffer_->bytes + old, bytes, length);
    buffer_->length = old + length;
    buffer_->bytes[old + length] = 0;
    return *this;
}
UString& UString::Append(char c) { return c ? Append(&c, 1) : *this; }
UString& UString::Append(const char* text) { return text ? Append(text, std::strlen(text)) : *this; }
UString& UString::Append(const UString& other) {
    if (IsEmpty()) return *this = other;
    UString keep(other);  // appending to itself
    return Append(keep.c_str(), keep.Length());
}
UString& UString::Prepend(const UString& other) {
    if (other.IsEmpty()) return *this;
    UString result(other);
    result.Append(*this);
    return *this = std::move(result);
}

bool UString::operator==(const UString& other) const noexcept {
    if (buffer_ == other.buffer_) return true;
    return Length() == other.Length() && std::memcmp(c_str(), other.c_str(), Length()) == 0;
}
bool UString::operator==(const char* text) const noexcept {
    return std::strcmp(c_str(), text ? text : "") == 0;
}
int UString::CompareNoCase(const char* text) const noexcept {
    return strcasecmp(c_str(), text ? text : "");
}

UString UString::Mid(size_t pos, size_t n) const {
    size_t length = Length();
    if (pos >= length) return {};
    if (n > length - pos) n = length - pos;
    if (pos == 0 && n == length) return *this;
    return UString(c_str() + pos, n);
}
UString UString::Left(size_t n) const { return Mid(0, n); }
UString UString::Right(size_t n) const {
    size_t length = Length();
    return n >= length ? *this : Mid(length - n, n);
}
UString UString::BeforeFirst(char c) const {
    long i = Find(c);
    return i < 0 ? *this : Left(static_cast<size_t>(i));
}
UString UString::AfterFirst(char c) const {
    long i = Find(c);
    return i < 0 ? UString() : Mid(static_cast<size_t>(i) + 1);
}
UString UString::BeforeLast(char c) const {
    long i = Find(c, true);
    return i < 0 ? *this : Left(static_cast<size_t>(i));
}
UString UString::AfterLast(char c) const {
    long i = Find(c, true);
    return i < 0 ? UString() : Mid(static_cast<size_t>(i) + 1);
}

long UString::Find(char c, bool fromEnd) const noexcept {
    const char* s = c_str();
    size_t length = Length();
    if (fromEnd) {
        for (size_t i = length; i-- > 0;)
            if (s[i] == c) return static_cast<long>(i);
    } else {
        for (size_t i = 0; i < length; ++i)
            if (s[i] == c) return static_cast<long>(i);
    }
    return -1;
}
long UString::Find(const char* sub) const noexcept {
    if (!sub) return -1;
    std::string_view v = View();
    size_t i = v.find(sub);
    return i == std::string_view::npos ? -1 : static_cast<long>(i);
}
long UString::FindLastOf(const char* set) const noexcept {
    if (!set) return -1;
    size_t i = View().find_last_of(set);
    return i == std::string_view::npos ? -1 : static_cast<long>(i);
}

UString UString::Trim(int flags) const {
    auto blank = [flags](unsigned char b) {
        return (flags & TrimControl) ? b < '!' : (b == ' ' || (b >= 9 && b <= 13));
    };
    const char* s = c_str();
    size_t begin = 0, end = Length();
    if (flags & TrimLeading)
        while (begin < end && blank(static_cast<unsigned char>(s[begin]))) ++begin;
    if (flags & TrimTrailing)
        while (end > begin && blank(static_cast<unsigned char>(s[end - 1]))) --end;
    return Mid(begin, end - begin);
}

bool UString::StartsWith(const char* prefix, UString* rest) const {
    size_t n = prefix ? std::strlen(prefix) : 0;
    if (n > Length() || std::memcmp(c_str(), prefix ? prefix : "", n) != 0) return false;
    if (rest) *rest = Mid(n);
    return true;
}

UString& UString::Replace(const char* pattern, const char* replacement) {
    if (!pattern || !*pattern || IsEmpty()) return *this;
    std::string_view v = View();
    size_t plen = std::strlen(pattern);
    if (v.find(pattern) == std::string_view::npos) return *this;
    UString result;
    size_t at = 0;
    for (size_t hit; (hit = v.find(pattern, at)) != std::string_view::npos; at = hit + plen) {
        result.Append(v.data() + at, hit - at);
        result.Append(replacement);
    }
    result.Append(v.data() + at, v.size() - at);
    return *this = std::move(result);
}
UString& UString::ReplaceChar(char c, char d) {
    if (Find(c) < 0) return *this;
    MakePrivate(0);
    for (size_t i = 0; i < buffer_->length; ++i)
        if (buffer_->bytes[i] == c) buffer_->bytes[i] = d;
    if (d == 0) buffer_->length = std::strlen(buffer_->bytes);
    return *this;
}

UString UString::Lower() const {
    if (IsEmpty()) return *this;
    // Case mapping in a UTF-8 locale object, whatever the process locale.
    static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    std::wstring w = ToWide();
    for (auto& ch : w) {
        if (ch >= 0xDC80 && ch <= 0xDCFF) continue;  // escaped byte
        ch = static_cast<wchar_t>(utf8 ? towlower_l(static_cast<wint_t>(ch), utf8)
                                       : std::towlower(static_cast<wint_t>(ch)));
    }
    UString result(w.c_str());
    return result == *this ? *this : result;
}

UString UString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    UString result = FormatV(format, args);
    va_end(args);
    return result;
}

UString UString::FormatV(const char* format, va_list args) {
    if (!format) return {};
    // A formatter that keeps reporting an error (an unconvertible wide
    // string, say) would otherwise make the buffer double forever.
    constexpr size_t kMaxSize = size_t(1) << 26;
    size_t size = 256;
    for (;;) {
        char* out = static_cast<char*>(std::malloc(size));
        if (!out) return {};
        va_list copy;
        va_copy(copy, args);
        int n = std::vsnprintf(out, size, format, copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < size) {
            UString result;
            if (n > 0) {
                result.buffer_ = static_cast<Buffer*>(std::malloc(sizeof(Buffer) + static_cast<size_t>(n)));
                if (!result.buffer_) {
                    std::free(out);
                    return {};
                }
                result.buffer_->refs = 1;
                result.buffer_->length = static_cast<size_t>(n);
                std::memcpy(result.buffer_->bytes, out, static_cast<size_t>(n) + 1);
            }
            std::free(out);
            return result;
        }
        std::free(out);
        size = n < 0 ? size * 2 : static_cast<size_t>(n) + 1;
        if (size > kMaxSize) return {};
    }
}
