#include <gtest/gtest.h>

#include "core/case_name.h"

#include <string>

#include "browsing/tab_caption.h"
#include "text/encoding.h"
#include "text/gbk_width.h"
#include "text/trim.h"
#include "text/utf8.h"

namespace tavern {
namespace {

struct CaptionCase {
  const char* name;
  std::string text;
  std::string caption;
};

class TabCaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(TabCaptionTest, IsExactlyTwentyGbkBytes) {
  const CaptionCase& c = GetParam();
  const std::string caption = MakeTabCaption(c.text);
  EXPECT_EQ(caption, c.caption);
  EXPECT_EQ(GbkLength(caption), 20);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabCaptionTest,
    ::testing::Values(
        CaptionCase{"TwentyBytesUnchanged", "http://a.example/xyz", "http://a.example/xyz"},
        CaptionCase{"NineteenBytesGetOneSpace", "http://a.example/xy", "http://a.example/xy "},
        CaptionCase{"TwentyFiveBytesCut", "http://a.example/xyz12345", "http://a.example/xyz"},
        CaptionCase{"EmptyIsTwentySpaces", "", std::string(20, ' ')},
        CaptionCase{"TenChineseCharactersFillIt", "一二三四五六七八九十", "一二三四五六七八九十"},
        CaptionCase{"ChineseCutAtACharacter", "一二三四五六七八九十十一", "一二三四五六七八九十"},
        // 19 ASCII bytes, then a character whose second byte would be byte 21:
        // it is left out whole and a space takes its place.
        CaptionCase{"CharacterAtByteTwentyNotSplit", "abcdefghijklmnopqrs中文",
                    "abcdefghijklmnopqrs "},
        CaptionCase{"MixedWidthsPadded", "酒馆 Tavern", "酒馆 Tavern         "}),
    CaseName());

TEST(GbkWidthTest, CountsAsciiOnceAndEveryOtherCharacterTwice) {
  EXPECT_EQ(GbkLength(""), 0);
  EXPECT_EQ(GbkLength("abc"), 3);
  EXPECT_EQ(GbkLength("主页"), 4);
  EXPECT_EQ(GbkLength("“x”"), 5);
  EXPECT_EQ(GbkLength("\xFF"), 1) << "a stray byte counts alone";
}

TEST(GbkWidthTest, CutNeverSplitsACharacter) {
  EXPECT_EQ(CutToGbkLength("a主页", 2), "a");
  EXPECT_EQ(CutToGbkLength("a主页", 3), "a主");
  EXPECT_EQ(CutToGbkLength("abc", 10), "abc");
}

struct TrimCase {
  std::string text;
  std::string trimmed;
};

class TrimSpacesTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimSpacesTest, RemovesAsciiAndFullWidthSpacesAtTheEnds) {
  EXPECT_EQ(TrimSpaces(GetParam().text), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimSpacesTest,
    ::testing::Values(TrimCase{"", ""}, TrimCase{"   ", ""}, TrimCase{"\u3000\u3000", ""},
                      TrimCase{" \u3000 \u3000", ""}, TrimCase{" \u3000a b\u3000 ", "a b"},
                      TrimCase{"\ta\t", "\ta\t"}, TrimCase{"\r\n", "\r\n"},
                      // U+3000 inside another character's bytes is no space.
                      TrimCase{"\xE3\x80\x80x", "x"}, TrimCase{"主页", "主页"}));

TEST(EncodingTest, DetectsTheEncodingOfAFile) {
  EXPECT_EQ(DetectFileEncoding("\xEF\xBB\xBF[a]"), FileEncoding::kUtf8WithBom);
  EXPECT_EQ(DetectFileEncoding("[主页]"), FileEncoding::kUtf8);
  EXPECT_EQ(DetectFileEncoding("[\xD6\xF7\xD2\xB3]"), FileEncoding::kGb18030);
  EXPECT_EQ(DetectFileEncoding("plain"), FileEncoding::kGb18030);
}

TEST(EncodingTest, ConvertsBetweenGbkAndUtf8) {
  EXPECT_EQ(Gb18030ToUtf8("\xD6\xF7\xD2\xB3"), "主页");
  EXPECT_EQ(Utf8ToGb18030("主页"), std::optional<std::string>("\xD6\xF7\xD2\xB3"));
  EXPECT_EQ(Utf8ToGb18030("\xFF"), std::nullopt);
  // Bytes that are no GB18030 text become U+FFFD and reading goes on.
  EXPECT_EQ(Gb18030ToUtf8("a\xFF"
                          "b"),
            "a\uFFFD"
            "b");
  EXPECT_EQ(Gb18030ToUtf8("a\xD6"), "a\uFFFD");
}

TEST(Utf8Test, RejectsMalformedSequences) {
  EXPECT_TRUE(IsValidUtf8("主页 ok"));
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

}  // namespace
}  // namespace tavern
