#include <gtest/gtest.h>

#include <sys/stat.h>
#include "core/case_name.h"

#include <random>
#include <string>
#include <string_view>

#include "components/profile.h"
#include "core/profile_test_files.h"

namespace tavern {
namespace {

using profile_test::ScratchDirectory;

std::string Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out.append(text);
  return out;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
  return bytes;
}

// GBK spellings.
const std::string kGbkHome(profile_test::kGbkHomeSection);
const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";  // 中文
const std::string kGbkOther = "\xC6\xE4\xCB\xFB";    // 其他
const std::string kGbkIdeographicSpace = "\xA1\xA1";

struct ReadCase {
  const char* name;
  std::string file;
  std::string expected;
  std::string section = "主页";
  std::string key = "homepage";
  int max_length = kMaxProfileValueLength;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class ProfileReadCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadCases, GivesTheValueAsTheProgramExpects) {
  const ReadCase& c = GetParam();
  ScratchDirectory directory;
  directory.Write("config.ini", c.file);
  EXPECT_EQ(ReadProfileString(directory.Path("config.ini"), c.section, c.key, c.max_length),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, ProfileReadCases,
    ::testing::Values(
        ReadCase{"MissingSection", "[" + kGbkOther + "]\r\nhomepage=http://a/\r\n", ""},
        ReadCase{"MissingKey", "[" + kGbkHome + "]\r\nother=http://a/\r\n", ""},
        ReadCase{"KeyBeforeAnySection", "homepage=http://a/\r\n[" + kGbkHome + "]\r\n", ""},
        ReadCase{"KeyOnlyInALaterSection",
                 "[" + kGbkHome + "]\r\na=1\r\n[b]\r\nhomepage=http://a/\r\n", ""},
        ReadCase{"LineWithoutEqualsIsNoKey",
                 "[" + kGbkHome + "]\r\nhomepage\r\nhomepage=http://a/\r\n", "http://a/"},
        ReadCase{"CommentLine", "[" + kGbkHome + "]\r\n;homepage=x\r\nhomepage=y\r\n", "y"},
        ReadCase{"EmptyFile", "", ""},
        ReadCase{"BlankValue", "[" + kGbkHome + "]\r\nhomepage= \t \r\n", ""},
        ReadCase{"BlanksAroundNamesAndValue",
                 " \t[ \t" + kGbkHome + " ] \t\r\n \t homepage \t= \thttp://a/ b \t\r\n",
                 "http://a/ b"},
        ReadCase{"FullWidthSpacesKept",
                 "[" + kGbkHome + "]\r\nhomepage=" + kGbkIdeographicSpace + "http://a/" +
                     kGbkIdeographicSpace + "\r\n",
                 "　http://a/　"},
        ReadCase{"DoubleQuotes", "[" + kGbkHome + "]\r\nhomepage=\" http://a/ \"\r\n",
                 " http://a/ "},
        ReadCase{"SingleQuotes", "[" + kGbkHome + "]\r\nhomepage='http://a/'\r\n", "http://a/"},
        ReadCase{"UnmatchedQuotesStay", "[" + kGbkHome + "]\r\nhomepage=\"http://a/'\r\n",
                 "\"http://a/'"},
        ReadCase{"LoneQuoteStays", "[" + kGbkHome + "]\r\nhomepage=\"\r\n", "\""},
        ReadCase{"KeyInMixedCase", "[" + kGbkHome + "]\r\nHomePage=http://a/\r\n", "http://a/",
                 "主页", "HOMEPAGE"},
        ReadCase{"SectionInMixedCase", "[mAiN]\r\nhomepage=http://a/\r\n", "http://a/", "Main"},
        // 乤 is 81 61 and 丄 is 81 41 in GBK: a second byte is no letter.
        ReadCase{"SecondByteOfACharacterIsNoLetter", "[\x81\x61]\r\nhomepage=http://a/\r\n", "",
                 "丄"},
        ReadCase{"CharacterEndingInABracket", "[\x81\x5D]\r\nhomepage=http://a/\r\n", "http://a/",
                 "乚"},
        ReadCase{"FirstKeyWins", "[" + kGbkHome + "]\r\nhomepage=a\r\nHOMEPAGE=b\r\n", "a"},
        ReadCase{"FirstSectionWins",
                 "[" + kGbkHome + "]\r\nhomepage=a\r\n[" + kGbkHome + "]\r\nhomepage=b\r\n", "a"},
        ReadCase{"LaterSectionOfTheSameNameIsNotLookedAt",
                 "[" + kGbkHome + "]\r\nx=1\r\n[" + kGbkHome + "]\r\nhomepage=b\r\n", ""},
        ReadCase{"CrLfLines", "[a]\r\nx=1\r\n[" + kGbkHome + "]\r\nhomepage=http://a/\r\n",
                 "http://a/"},
        ReadCase{"LfLines", "[a]\nx=1\n[" + kGbkHome + "]\nhomepage=http://a/\n", "http://a/"},
        ReadCase{"CrLines", "[a]\rx=1\r[" + kGbkHome + "]\rhomepage=http://a/\r", "http://a/"},
        ReadCase{"NoFinalLineEnding", "[" + kGbkHome + "]\r\nhomepage=http://a/", "http://a/"},
        ReadCase{"ValueEndsAtNul",
                 "[" + kGbkHome + "]\r\nhomepage=http://a/" + std::string(1, '\0') + "b\r\n",
                 "http://a/"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    Encodings, ProfileReadCases,
    ::testing::Values(
        ReadCase{"Gbk", "[" + kGbkHome + "]\r\nhomepage=http://a/" + kGbkChinese + "\r\n",
                 "http://a/中文"},
        ReadCase{"Utf8", "; 注释\r\n[主页]\r\nhomepage=http://a/中文\r\n", "http://a/中文"},
        ReadCase{"Utf8WithBom", "\xEF\xBB\xBF[主页]\r\nhomepage=http://a/中文\r\n",
                 "http://a/中文"},
        ReadCase{"Utf8WithBomAndAsciiOnly", "\xEF\xBB\xBF[Main]\r\nhomepage=http://a/\r\n",
                 "http://a/", "Main"},
        ReadCase{"GbkWithABrokenCharacter",
                 "[" + kGbkHome + "]\r\nhomepage=a\xFF" + "b" + kGbkChinese + "\r\n",
                 "a\xEF\xBF\xBD"
                 "b中文"},
        ReadCase{"Garbage", RandomBytes(64 * 1024, 1), ""},
        ReadCase{"GarbageAroundTheKey",
                 RandomBytes(4096, 2) + "\r\n[" + kGbkHome + "]\r\nhomepage=http://a/\r\n" +
                     RandomBytes(4096, 3),
                 "http://a/"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    Length, ProfileReadCases,
    ::testing::Values(
        ReadCase{"AsciiAtTheLimit", "[" + kGbkHome + "]\r\nhomepage=" + std::string(10239, 'a'),
                 std::string(10239, 'a')},
        ReadCase{"AsciiOverTheLimit",
                 "[" + kGbkHome + "]\r\nhomepage=" + std::string(10240, 'a') + "\r\n",
                 std::string(10239, 'a')},
        ReadCase{"GbkCutBeforeACharacter",
                 "[" + kGbkHome + "]\r\nhomepage=" + Repeat(kGbkChinese, 2560) + "\r\n",
                 Repeat("中文", 2559) + "中"},
        ReadCase{"GbkCutAtTheLimit",
                 "[" + kGbkHome + "]\r\nhomepage=a" + Repeat(kGbkChinese, 2560) + "\r\n",
                 "a" + Repeat("中文", 2559) + "中"},
        ReadCase{"Utf8CutBeforeACharacter", "[主页]\r\nhomepage=" + Repeat("中文", 2560) + "\r\n",
                 Repeat("中文", 2559) + "中"},
        // U+1F600 takes four bytes in UTF-8 and in GB18030 (94 39 FC 36).
        ReadCase{"Utf8FourByteCharacters",
                 "[主页]\r\nhomepage=" + Repeat("\U0001F600", 5120) + "\r\n",
                 Repeat("\U0001F600", 5119)},
        ReadCase{"Gb18030FourByteCharacters",
                 "[" + kGbkHome + "]\r\nhomepage=" + Repeat("\x94\x39\xFC\x36", 5120) + "\r\n",
                 Repeat("\U0001F600", 5119)},
        ReadCase{"QuotesGoBeforeTheCut",
                 "[" + kGbkHome + "]\r\nhomepage=\"" + std::string(10240, 'a') + "\"\r\n",
                 std::string(10239, 'a')},
        ReadCase{"VeryLongValue",
                 "[" + kGbkHome + "]\r\nhomepage=" + std::string(4 << 20, 'a') + "\r\n",
                 std::string(10239, 'a')},
        ReadCase{"SmallerLimit", "[" + kGbkHome + "]\r\nhomepage=" + kGbkChinese + "\r\n", "中",
                 "主页", "homepage", 3},
        ReadCase{"ZeroLimit", "[" + kGbkHome + "]\r\nhomepage=a\r\n", "", "主页", "homepage", 0}),
    CaseName());

TEST(ProfileRead, MissingFileGivesEmptyText) {
  ScratchDirectory directory;
  EXPECT_EQ(ReadProfileString(directory.Path("config.ini"), "主页", "homepage"), "");
}

TEST(ProfileRead, DirectoryOfThatNameGivesEmptyText) {
  ScratchDirectory directory;
  ASSERT_EQ(mkdir(directory.Path("config.ini").c_str(), 0755), 0);
  EXPECT_EQ(ReadProfileString(directory.Path("config.ini"), "主页", "homepage"), "");
}

TEST(ProfileRead, PathThroughAFileGivesEmptyText) {
  ScratchDirectory directory;
  directory.Write("plain", "[主页]\r\nhomepage=http://a/\r\n");
  EXPECT_EQ(ReadProfileString(directory.Path("plain") + "/config.ini", "主页", "homepage"), "");
}

TEST(ProfileRead, PipeOfThatNameGivesEmptyTextWithoutWaiting) {
  ScratchDirectory directory;
  ASSERT_EQ(mkfifo(directory.Path("config.ini").c_str(), 0644), 0);
  EXPECT_EQ(ReadProfileString(directory.Path("config.ini"), "主页", "homepage"), "");
}

TEST(ProfileRead, LargeFileHoldingTheKeyGivesItsValue) {
  ScratchDirectory directory;
  std::string file = "[" + kGbkOther + "]\r\n";
  const std::string filler = "filler=" + std::string(100, 'x') + "\r\n";
  while (file.size() < (32u << 20)) file += filler;
  file += "[" + kGbkHome + "]\r\n" + filler + "homepage=http://a/" + kGbkChinese + "\r\n";
  directory.Write("config.ini", file);
  EXPECT_EQ(ReadProfileString(directory.Path("config.ini"), "主页", "homepage"), "http://a/中文");
}

TEST(ProfileRead, LargeGarbageFileGivesEmptyText) {
  ScratchDirectory directory;
  directory.Write("config.ini", RandomBytes(32u << 20, 4));
  EXPECT_EQ(ReadProfileString(directory.Path("config.ini"), "主页", "homepage"), "");
}

}  // namespace
}  // namespace tavern
