#include <gtest/gtest.h>

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
