#include <gtest/gtest.h>

#include <string>

#include "ui/core/UString.h"
#include "ui/core/UStringArray.h"
#include "ui/core/UStringTokenizer.h"

TEST(UString, CopyOnWriteSharesUntilModified) {
    UString a("hello");
    UString b = a;
    EXPECT_TRUE(a.SharesBufferWith(b));
    b.Append(" world");
    EXPECT_EQ(a, "hello");
    EXPECT_EQ(b, "hello world");
    EXPECT_FALSE(a.SharesBufferWith(b));
    EXPECT_TRUE(a.Mid(0, 99).SharesBufferWith(a));
    EXPECT_TRUE(UString("").IsEmpty());
    EXPECT_EQ(UString(), UString(""));
}

TEST(UString, PiecesAroundSeparators) {
    UString path("/a/b.c/d.wav");
    EXPECT_EQ(path.BeforeLast('.'), "/a/b.c/d");
    EXPECT_EQ(path.AfterLast('.'), "wav");
    EXPECT_EQ(path.BeforeFirst('.'), "/a/b");
    EXPECT_EQ(path.AfterFirst('.'), "c/d.wav");
    EXPECT_EQ(path.BeforeFirst('#'), path);
    EXPECT_EQ(path.AfterFirst('#'), "");
    EXPECT_EQ(path.Right(3), "wav");
    EXPECT_EQ(path.Find('/', true), 6);
}

TEST(UString, TrimReplaceFormat) {
    EXPECT_EQ(UString(" \t x \n").Trim(), "x");
    EXPECT_EQ(UString("\x01 x").Trim(UString::TrimLeading), "\x01 x");
    EXPECT_EQ(UString("\x01 x").Trim(UString::TrimLeading | UString::TrimControl), "x");
    UString s("aaa");
    s.Replace("a", "aa");
    EXPECT_EQ(s, "aaaaaa");
    std::string longText(1000, 'z');
    EXPECT_EQ(UString::Format("%s!", longText.c_str()).Length(), 1001u);
    UString rest;
    EXPECT_TRUE(UString("prefix-rest").StartsWith("prefix-", &rest));
    EXPECT_EQ(rest, "rest");
}

TEST(UStringTokenizer, YieldsPiecesBetweenSeparators) {
    UStringTokenizer t("a,,b", ',');
    UStringArray pieces;
    while (t.HasMore()) pieces.Add(t.Next());
    ASSERT_EQ(pieces.Count(), 3u);
    EXPECT_EQ(pieces[1], "");
    EXPECT_EQ(pieces.Index("b"), 2);
    EXPECT_EQ(pieces.Index("z"), -1);
}

TEST(UString, ConstructionGivesNullHandleForEmptyInput) {
    EXPECT_FALSE(UString("").SharesBufferWith(UString("")));
    EXPECT_TRUE(UString("abc", 0).IsEmpty());
    EXPECT_TRUE(UString('\0').IsEmpty());
    EXPECT_EQ(UString('x'), "x");
    EXPECT_TRUE(UString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    EXPECT_EQ(UString("a\0b", 3).Length(), 3u);
}

// Wide conversion is UTF-8 <-> UTF-32 whatever the process locale (the
// default "C" locale would drop every non-ASCII character).
TEST(UString, WideRoundTrip) {
    const char* utf8 = "Gr\xc3\xbc\xc3\x9f\x65 \xe2\x82\xac \xf0\x9f\x8e\xb5";  // Grüße € and a 4-byte note
    std::wstring wide = UString(utf8).ToWide();
    ASSERT_EQ(wide.size(), 9u);
    EXPECT_EQ(wide[2], L'\u00fc');
    EXPECT_EQ(wide[6], L'\u20ac');
    EXPECT_EQ(wide[8], static_cast<wchar_t>(0x1F3B5));
    EXPECT_EQ(UString(wide.c_str()), utf8);
    // Bytes that are not UTF-8 survive the round trip unchanged.
    for (const char* raw : {"\xff", "a\xc3", "\xe2\x82", "\xc0\x80", "\xed\xa0\x80", "x\x80y"}) {
        std::wstring w = UString(raw).ToWide();
        EXPECT_EQ(UString(w.c_str()), raw) << raw;
    }
}

TEST(UString, LowerHandlesNonAscii) {
    EXPECT_EQ(UString("\xc3\x84pfel MIT Stra\xc3\x9f" "e").Lower(), "\xc3\xa4pfel mit stra\xc3\x9f" "e");
    UString lower("already lower");
    EXPECT_TRUE(lower.Lower().SharesBufferWith(lower));
    EXPECT_EQ(UString("A\xffZ").Lower(), "a\xffz");
}

TEST(UString, TrimFlagsTable) {
    struct Case {
        const char* text;
        int flags;
        const char* expected;
    } cases[] = {
        {"  x  ", 1, "x  "},
        {"  x  ", 2, "  x"},
        {"  x  ", 3, "x"},
        {"\t\n\v\f\r x", 1, "x"},
        {"\x01\x1f x \x02", 3, "\x01\x1f x \x02"},  // control bytes are not blank without flag 4
        {"\x01\x1f x \x02", 7, "x"},
        {" ", 3, ""},
        {"x", 3, "x"},
    };
    for (const Case& c : cases) EXPECT_EQ(UString(c.text).Trim(c.flags), c.expected) << c.flags;
    UString untouched("abc");
    EXPECT_TRUE(untouched.Trim(3).SharesBufferWith(untouched));
}

TEST(UString, ReplaceSearchAndCompare) {
    struct Case {
        const char* text;
        const char* pattern;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"a,b,,c", ",", ", ", "a, b, , c"},
        {"aaa", "aa", "a", "aa"},    // scanning continues after each replacement
        {"abab", "ab", "abab", "abababab"},
        {"xyz", "", "q", "xyz"},     // an empty pattern changes nothing
        {"xyz", "y", "", "xz"},
        {"", "a", "b", ""},
    };
    for (const Case& c : cases) {
        UString s(c.text);
        EXPECT_EQ(s.Replace(c.pattern, c.replacement), c.expected) << c.text;
    }
    UString original("1,5");
    UString copy = original;
    copy.ReplaceChar(',', '.');
    EXPECT_EQ(copy, "1.5");
    EXPECT_EQ(original, "1,5");  // copy on write

    UString text("hello world");
    EXPECT_EQ(text.Find("wor"), 6);
    EXPECT_EQ(text.Find("xyz"), -1);
    EXPECT_EQ(text.Find('o'), 4);
    EXPECT_EQ(text.Find('o', true), 7);
    EXPECT_EQ(text.FindLastOf("lh"), 9);
    EXPECT_EQ(text.Mid(6, 99), "world");
    EXPECT_EQ(text.Mid(20), "");
    EXPECT_EQ(text.Left(0), "");
    EXPECT_FALSE(text.StartsWith("world"));
    EXPECT_EQ(text.CompareNoCase("HELLO WORLD"), 0);
    EXPECT_NE(text, "hello");
    UString pre("world");
    pre.Prepend(UString("hello "));
    EXPECT_EQ(pre, text);
    UString self("ab");
    self.Append(self);
    EXPECT_EQ(self, "abab");
}

TEST(UString, FormatRetriesWithTheNeededSize) {
    std::string exact(255, 'a');  // fits the first 256-byte buffer with its zero
    EXPECT_EQ(UString::Format("%s", exact.c_str()).Length(), 255u);
    std::string over(256, 'b');
    EXPECT_EQ(UString::Format("%s", over.c_str()).Length(), 256u);
    EXPECT_EQ(UString::Format("%d-%s", 7, "x"), "7-x");
    EXPECT_TRUE(UString::Format("%s", "").IsEmpty());
    // A formatter error on every size ends with the empty string, not a loop.
    const wchar_t bad[] = {static_cast<wchar_t>(0xD800), 0};
    EXPECT_TRUE(UString::Format("%ls", bad).IsEmpty());
}

TEST(UStringArray, GrowsAndFindsFirstEqual) {
    UStringArray a;
    for (int i = 0; i < 100; ++i) a.Add(UString::Format("%d", i % 10));
    EXPECT_EQ(a.Count(), 100u);
    EXPECT_EQ(a.Index("7"), 7);
    UStringArray copy = a;
    copy[7] = "x";
    EXPECT_EQ(a[7], "7");
    a.Clear();
    EXPECT_EQ(a.Count(), 0u);
    EXPECT_EQ(a.Index("7"), -1);
}
