#pragma once
// UString: the framework's string. A handle to a shared, reference-counted,
// copy-on-write UTF-8 byte buffer; a null handle is the empty string.
// Comparisons are byte comparisons.

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

class UString {
public:
    UString() noexcept = default;
    UString(const char* text);                  // empty input gives the null handle
    UString(const char* bytes, size_t length);  // length 0 gives the null handle
    explicit UString(char c);                   // character 0 gives the null handle
    explicit UString(const wchar_t* wide);      // through the system's multibyte conversion
    UString(const UString& other) noexcept;
    UString(UString&& other) noexcept;
    UString& operator=(const UString& other) noexcept;
    UString& operator=(UString&& other) noexcept;
    ~UString();

    // Access
    const char* c_str() const noexcept { return buffer_ ? buffer_->bytes : ""; }
    size_t Length() const noexcept { return buffer_ ? buffer_->length : 0; }
    bool IsEmpty() const noexcept { return Length() == 0; }
    char operator[](size_t i) const noexcept { return c_str()[i]; }
    std::string_view View() const noexcept { return {c_str(), Length()}; }
    operator std::string_view() const noexcept { return View(); }
    std::wstring ToWide() const;
    // True when both handles share one buffer (used to check copy-on-write).
    bool SharesBufferWith(const UString& other) const noexcept {
        return buffer_ != nullptr && buffer_ == other.buffer_;
    }

    // Appending
    UString& Append(char c);
    UString& Append(const char* text);
    UString& Append(const char* bytes, size_t length);
    UString& Append(const UString& other);
    UString& Prepend(const UString& other);
    UString& operator+=(char c) { return Append(c); }
    UString& operator+=(const char* text) { return Append(text); }
    UString& operator+=(const UString& other) { return Append(other); }

    // Comparison
    bool operator==(const UString& other) const noexcept;
    bool operator==(const char* text) const noexcept;
    bool operator!=(const UString& other) const noexcept { return !(*this == other); }
    bool operator!=(const char* text) const noexcept { return !(*this == text); }
    bool operator<(const UString& other) const noexcept { return View() < other.View(); }
    int CompareNoCase(const char* text) const noexcept;  // strcasecmp
    int CompareNoCase(const UString& other) const noexcept { return CompareNoCase(other.c_str()); }

    // Pieces; a request covering the whole string shares the buffer.
    UString Left(size_t n) const;
    UString Right(size_t n) const;
    UString Mid(size_t pos, size_t n = npos) const;
    UString BeforeFirst(char c) const;  // whole string when c is absent
    UString AfterFirst(char c) const;   // empty when c is absent
    UString BeforeLast(char c) const;   // whole string when c is absent
    UString AfterLast(char c) const;    // empty when c is absent

    // Searching: -1 when absent.
    long Find(char c, bool fromEnd = false) const noexcept;
    long Find(const char* sub) const noexcept;
    long FindLastOf(const char* set) const noexcept;

    // Trim flags: 1 leading, 2 trailing; with 4 every byte below '!' is blank,
    // otherwise only bytes 9..13 and the space. Trimming nothing shares the buffer.
    enum TrimFlags { TrimLeading = 1, TrimTrailing = 2, TrimControl = 4 };
    UString Trim(int flags = TrimLeading | TrimTrailing) const;

    // True when the bytes begin with prefix; rest (if given) receives the remainder.
    bool StartsWith(const char* prefix, UString* rest = nullptr) const;

    // Replaces every occurrence, left to right, continuing after each replacement.
    UString& Replace(const char* pattern, const char* replacement);
    UString& ReplaceChar(char c, char d);
    UString Lower() const;

    // printf-style formatting: 256 bytes first, then exactly the needed size
    // (doubling when the formatter reports an error); allocation failure gives "".
    static UString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static UString FormatV(const char* format, va_list args);

    static constexpr size_t npos = static_cast<size_t>(-1);

private:
    struct Buffer {
        int refs;
        size_t length;
        char bytes[1];  // length bytes, then a zero byte
    };
    static Buffer* Allocate(size_t length);
    static void Unref(Buffer* b) noexcept;
    void MakePrivate(size_t extra);  // unshares and makes room for extra bytes
    void Assign(const char* bytes, size_t length);

    Buffer* buffer_ = nullptr;
};

inline bool operator==(const char* text, const UString& s) noexcept { return s == text; }
