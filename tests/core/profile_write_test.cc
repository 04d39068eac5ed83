#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include "core/case_name.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "components/profile.h"
#include "core/profile_test_files.h"

namespace tavern {
namespace {

using profile_test::ScratchDirectory;

// GBK spellings.
const std::string kHome(profile_test::kGbkHomeSection);
const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";  // 中文
const std::string kGbkOther = "\xC6\xE4\xCB\xFB";    // 其他
const std::string kGbkNote = "\xD7\xA2\xCA\xCD";     // 注释

struct WriteCase {
  const char* name;
  std::optional<std::string> before;  // none: there is no file yet
  std::string value;
  std::string after;
  std::string read_back;
  std::string section = "主页";
  std::string key = "homepage";
};

void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }

class ProfileWriteCases : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteCases, ChangesOnlyTheKeysLineAndReadsBack) {
  const WriteCase& c = GetParam();
  ScratchDirectory directory;
  if (c.before) directory.Write("config.ini", *c.before);
  const std::string path = directory.Path("config.ini");

  ASSERT_TRUE(WriteProfileString(path, c.section, c.key, c.value));

  EXPECT_EQ(directory.Read("config.ini"), c.after);
  EXPECT_EQ(ReadProfileString(path, c.section, c.key), c.read_back);
  EXPECT_EQ(directory.Entries(), std::set<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Placement, ProfileWriteCases,
    ::testing::Values(
        WriteCase{"NewFile", std::nullopt, "http://a/", "[" + kHome + "]\r\nhomepage=http://a/\r\n",
                  "http://a/"},
        WriteCase{"EmptyFile", "", "http://a/", "[" + kHome + "]\r\nhomepage=http://a/\r\n",
                  "http://a/"},
        WriteCase{"ReplacesTheValueOnly",
                  "; " + kGbkNote + "\r\n[" + kGbkOther + "]\r\nhomepage=keep\r\n\r\n[" + kHome +
                      "]\r\nfirst=1\r\nhomepage=http://old/\r\nlast=2\r\n\r\n",
                  "http://new/",
                  "; " + kGbkNote + "\r\n[" + kGbkOther + "]\r\nhomepage=keep\r\n\r\n[" + kHome +
                      "]\r\nfirst=1\r\nhomepage=http://new/\r\nlast=2\r\n\r\n",
                  "http://new/"},
        WriteCase{"KeepsTheLinesOwnSpellingAndEnding",
                  "[" + kHome + "]\r\n \tHomePage = \"http://old/\"  \nnext=1\r\n", "http://new/",
                  "[" + kHome + "]\r\n \tHomePage = http://new/\nnext=1\r\n", "http://new/"},
        WriteCase{"AddsTheKeyAfterTheSectionsLastKey",
                  "[" + kHome + "]\r\na=1\r\n\r\n; note=1\r\n[x]\r\nb=2\r\n", "http://a/",
                  "[" + kHome + "]\r\na=1\r\nhomepage=http://a/\r\n\r\n; note=1\r\n[x]\r\nb=2\r\n",
                  "http://a/"},
        WriteCase{"AddsTheKeyAfterAnEmptySectionsLine", "[" + kHome + "]\r\n\r\n[x]\r\n",
                  "http://a/", "[" + kHome + "]\r\nhomepage=http://a/\r\n\r\n[x]\r\n", "http://a/"},
        WriteCase{"AddsTheKeyAfterALastLineWithoutEnding", "[x]\na=1\n[" + kHome + "]\nb=2",
                  "http://a/", "[x]\na=1\n[" + kHome + "]\nb=2\nhomepage=http://a/", "http://a/"},
        WriteCase{"AddsTheKeyToALoneSectionLine", "[" + kHome + "]", "http://a/",
                  "[" + kHome + "]\r\nhomepage=http://a/", "http://a/"},
        WriteCase{"AddsTheSectionAtTheEnd", "[x]\r\na=1\r\n", "http://a/",
                  "[x]\r\na=1\r\n[" + kHome + "]\r\nhomepage=http://a/\r\n", "http://a/"},
        WriteCase{"AddsTheSectionAfterALastLineWithoutEnding", "[x]\na=1", "http://a/",
                  "[x]\na=1\n[" + kHome + "]\nhomepage=http://a/", "http://a/"},
        WriteCase{"CrLines", "[x]\ra=1\r", "http://a/",
                  "[x]\ra=1\r[" + kHome + "]\rhomepage=http://a/\r", "http://a/"},
        WriteCase{"KeyOutsideAnySectionIsNotTheKey", "homepage=x\r\n", "http://a/",
                  "homepage=x\r\n[" + kHome + "]\r\nhomepage=http://a/\r\n", "http://a/"},
        WriteCase{
            "FirstOfTwoSectionsGetsTheKey",
            "[" + kHome + "]\r\na=1\r\n[" + kHome + "]\r\nhomepage=old\r\n", "http://a/",
            "[" + kHome + "]\r\na=1\r\nhomepage=http://a/\r\n[" + kHome + "]\r\nhomepage=old\r\n",
            "http://a/"},
        WriteCase{"MixedCaseNames", "[Main]\r\nHOMEPAGE=old\r\n", "http://a/",
                  "[Main]\r\nHOMEPAGE=http://a/\r\n", "http://a/", "main", "HomePage"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    Encodings, ProfileWriteCases,
    ::testing::Values(
        WriteCase{"NewFileIsGbk", std::nullopt, "http://a/中文",
                  "[" + kHome + "]\r\nhomepage=http://a/" + kGbkChinese + "\r\n", "http://a/中文"},
        WriteCase{
            "GbkFileStaysGbk", "[" + kHome + "]\r\n; " + kGbkNote + "\r\nhomepage=old\r\n",
            "http://a/中文",
            "[" + kHome + "]\r\n; " + kGbkNote + "\r\nhomepage=http://a/" + kGbkChinese + "\r\n",
            "http://a/中文"},
        WriteCase{"AsciiFileBecomesGbk", "[x]\r\na=1\r\n", "中文",
                  "[x]\r\na=1\r\n[" + kHome + "]\r\nhomepage=" + kGbkChinese + "\r\n", "中文"},
        WriteCase{"Utf8FileStaysUtf8", "[主页]\r\n; 注释\r\nhomepage=old\r\n", "http://a/中文",
                  "[主页]\r\n; 注释\r\nhomepage=http://a/中文\r\n", "http://a/中文"},
        WriteCase{"Utf8FileWithBomKeepsIt", "\xEF\xBB\xBF[x]\r\na=1\r\n", "http://a/中文",
                  "\xEF\xBB\xBF[x]\r\na=1\r\n[主页]\r\nhomepage=http://a/中文\r\n",
                  "http://a/中文"},
        WriteCase{"LoneBom", "\xEF\xBB\xBF", "http://a/",
                  "\xEF\xBB\xBF[主页]\r\nhomepage=http://a/\r\n", "http://a/"},
        // 小 is D0 A1 in GBK, which is also the UTF-8 of a Cyrillic letter.
        WriteCase{"GbkThatWouldReadAsUtf8IsWrittenAsUtf8", "[s]\r\n", "小", "[s]\r\nk=小\r\n", "小",
                  "s", "k"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileWriteCases,
    ::testing::Values(
        WriteCase{"EmptyValueKeepsTheKey", "[" + kHome + "]\r\nhomepage=http://old/\r\n", "",
                  "[" + kHome + "]\r\nhomepage=\r\n", ""},
        WriteCase{"LineBreaksBecomeSpaces", std::nullopt, "http://a/\r\n[x]\n\nhomepage=b\r",
                  "[" + kHome + "]\r\nhomepage=http://a/ [x] homepage=b \r\n",
                  "http://a/ [x] homepage=b"},
        WriteCase{"ValueEndsAtNul", std::nullopt, std::string("http://a/\0[x]", 13),
                  "[" + kHome + "]\r\nhomepage=http://a/\r\n", "http://a/"},
        WriteCase{"BlanksAndQuotesAreWrittenAsGiven", std::nullopt, " 'http://a/' ",
                  "[" + kHome + "]\r\nhomepage= 'http://a/' \r\n", "http://a/"},
        WriteCase{"FullWidthSpacesAreKept", std::nullopt, "　http://a/",
                  "[" + kHome + "]\r\nhomepage=\xA1\xA1http://a/\r\n", "　http://a/"}),
    CaseName());

struct RefusedCase {
  const char* name;
  std::string section;
  std::string key;
  std::string value;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }

class ProfileWriteRefusals : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ProfileWriteRefusals, GiveFalseAndLeaveTheFile) {
  const RefusedCase& c = GetParam();
  ScratchDirectory directory;
  const std::string before = "[" + kHome + "]\r\nhomepage=http://old/\r\n";
  directory.Write("config.ini", before);

  EXPECT_FALSE(WriteProfileString(directory.Path("config.ini"), c.section, c.key, c.value));

  EXPECT_EQ(directory.Read("config.ini"), before);
  EXPECT_EQ(directory.Entries(), std::set<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProfileWriteRefusals,
    ::testing::Values(RefusedCase{"ValueNotUtf8", "主页", "homepage", "http://a/\xFF"},
                      RefusedCase{"SectionNotUtf8", "\xD6\xF7", "homepage", "http://a/"},
                      RefusedCase{"EmptyKey", "主页", " ", "http://a/"},
                      RefusedCase{"EmptySection", "", "homepage", "http://a/"},
                      RefusedCase{"KeyWithEquals", "主页", "home=page", "http://a/"},
                      RefusedCase{"KeyLikeASection", "主页", "[x]", "http://a/"},
                      RefusedCase{"KeyLikeAComment", "主页", ";x", "http://a/"},
                      RefusedCase{"SectionWithALineBreak", "主\n页", "homepage", "http://a/"}),
    CaseName());

// Where a file cannot be written. Tests run as root, whom permission bits do
// not stop, so the failures come from the shape of the path.
TEST(ProfileWrite, PathThroughAFileGivesFalse) {
  ScratchDirectory directory;
  directory.Write("plain", "not a directory");

  EXPECT_FALSE(
      WriteProfileString(directory.Path("plain") + "/config.ini", "主页", "homepage", "http://a/"));

  EXPECT_EQ(directory.Read("plain"), "not a directory");
  EXPECT_EQ(directory.Entries(), std::set<std::string>{"plain"});
}

TEST(ProfileWrite, MissingDirectoryGivesFalse) {
  ScratchDirectory directory;

  EXPECT_FALSE(
      WriteProfileString(directory.Path("gone") + "/config.ini", "主页", "homepage", "http://a/"));

  EXPECT_TRUE(directory.Entries().empty());
}

TEST(ProfileWrite, DirectoryOfThatNameGivesFalse) {
  ScratchDirectory directory;
  ASSERT_EQ(mkdir(directory.Path("config.ini").c_str(), 0755), 0);

  EXPECT_FALSE(WriteProfileString(directory.Path("config.ini"), "主页", "homepage", "http://a/"));

  EXPECT_TRUE(std::filesystem::is_directory(directory.Path("config.ini")));
  EXPECT_TRUE(std::filesystem::is_empty(directory.Path("config.ini")));
  EXPECT_EQ(directory.Entries(), std::set<std::string>{"config.ini"});
}

TEST(ProfileWrite, ReadOnlyDirectoryGivesFalse) {
  if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
  ScratchDirectory directory;
  const std::string before = "[" + kHome + "]\r\nhomepage=http://old/\r\n";
  directory.Write("config.ini", before);
  const std::string folder = std::filesystem::path(directory.Path("config.ini")).parent_path();
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);

  EXPECT_FALSE(WriteProfileString(directory.Path("config.ini"), "主页", "homepage", "http://a/"));

  chmod(folder.c_str(), 0755);
  EXPECT_EQ(directory.Read("config.ini"), before);
  EXPECT_EQ(directory.Entries(), std::set<std::string>{"config.ini"});
}

TEST(ProfileWrite, ReadOnlyFileGivesFalse) {
  if (geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
  ScratchDirectory directory;
  const std::string before = "[" + kHome + "]\r\nhomepage=http://old/\r\n";
  directory.Write("config.ini", before);
  ASSERT_EQ(chmod(directory.Path("config.ini").c_str(), 0444), 0);

  EXPECT_FALSE(WriteProfileString(directory.Path("config.ini"), "主页", "homepage", "http://a/"));

  EXPECT_EQ(directory.Read("config.ini"), before);
  EXPECT_EQ(directory.Entries(), std::set<std::string>{"config.ini"});
}

// Lets writes beyond a few bytes fail, as on a full disk, for one test.
class ProfileWriteFullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved_limit_), 0);
    saved_handler_ = signal(SIGXFSZ, SIG_IGN);
  }
  void TearDown() override {
    Unlimit();
    signal(SIGXFSZ, saved_handler_);
  }
  void Unlimit() { setrlimit(RLIMIT_FSIZE, &saved_limit_); }
  void LimitFileSize(rlim_t bytes) {
    rlimit limit = saved_limit_;
    limit.rlim_cur = bytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }

 private:
  rlimit saved_limit_{};
  sighandler_t saved_handler_ = SIG_DFL;
};

TEST_F(ProfileWriteFullDisk, FailedWriteKeepsTheFileAndLeavesNothingBehind) {
  ScratchDirectory directory;
  const std::string before =
      "[" + kHome + "]\r\nhomepage=http://old/\r\n; " + std::string(64 * 1024, 'x') + "\r\n";
  directory.Write("config.ini", before);
  LimitFileSize(4096);

  const bool written =
      WriteProfileString(directory.Path("config.ini"), "主页", "homepage", "http://new/");
  Unlimit();

  EXPECT_FALSE(written);
  EXPECT_EQ(directory.Read("config.ini"), before);
  EXPECT_EQ(directory.Entries(), std::set<std::string>{"config.ini"});
}

mode_t PermissionsOf(const std::string& path) {
  struct stat status {};
  stat(path.c_str(), &status);
  return status.st_mode & 07777;
}

TEST(ProfileWrite, KeepsThePermissionsOfTheFile) {
  ScratchDirectory directory;
  directory.Write("config.ini", "[" + kHome + "]\r\nhomepage=http://old/\r\n");
  ASSERT_EQ(chmod(directory.Path("config.ini").c_str(), 0640), 0);

  ASSERT_TRUE(WriteProfileString(directory.Path("config.ini"), "主页", "homepage", "http://a/"));

  EXPECT_EQ(PermissionsOf(directory.Path("config.ini")), 0640u);
}

TEST(ProfileWrite, NewFileGetsThePermissionsOfTheUmask) {
  ScratchDirectory directory;
  const mode_t saved = umask(027);

  const bool written =
      WriteProfileString(directory.Path("config.ini"), "主页", "homepage", "http://a/");
  umask(saved);

  ASSERT_TRUE(written);
  EXPECT_EQ(PermissionsOf(directory.Path("config.ini")), 0640u);
}

TEST(ProfileWrite, SymbolicLinkKeepsPointingAtTheFile) {
  ScratchDirectory directory;
  directory.Write("real.ini", "[" + kHome + "]\r\nhomepage=http://old/\r\n");
  std::filesystem::create_symlink("real.ini", directory.Path("config.ini"));

  ASSERT_TRUE(WriteProfileString(directory.Path("config.ini"), "主页", "homepage", "http://a/"));

  EXPECT_TRUE(std::filesystem::is_symlink(directory.Path("config.ini")));
  EXPECT_EQ(directory.Read("real.ini"), "[" + kHome + "]\r\nhomepage=http://a/\r\n");
  EXPECT_EQ(directory.Entries(), (std::set<std::string>{"config.ini", "real.ini"}));
}

TEST(ProfileWrite, LargeFileKeepsEveryOtherByte) {
  ScratchDirectory directory;
  std::string head = "[" + kHome + "]\r\nhomepage=";
  std::string tail = "\r\n";
  while (tail.size() < (8u << 20)) tail += "filler=" + std::string(100, 'x') + "\r\n";
  directory.Write("config.ini", head + "http://old/" + tail);

  ASSERT_TRUE(WriteProfileString(directory.Path("config.ini"), "主页", "homepage", "http://a/"));

  EXPECT_TRUE(directory.Read("config.ini") == head + "http://a/" + tail);
}

}  // namespace
}  // namespace tavern
