#include <gtest/gtest.h>

#include "core/case_name.h"

#include <algorithm>

#include "app/fatal_error.h"
#include "app/product.h"
#include "core/program_fixture.h"
#include "text/encoding.h"

namespace tavern {
namespace {

using StartUpTest = ProgramTest;

std::string Gbk(const std::string& utf8) { return *Utf8ToGb18030(utf8); }

// The position of the first log entry that contains `text`.
std::ptrdiff_t LogPosition(const std::vector<std::string>& log, const std::string& text) {
  const auto found = std::find_if(log.begin(), log.end(), [&](const std::string& entry) {
    return entry.find(text) != std::string::npos;
  });
  return found == log.end() ? -1 : found - log.begin();
}

TEST_F(StartUpTest, OpensTheHomePageInTabOneWithTheBlankTabHidden) {
  WriteConfig(Gbk("[主页]\r\nhomepage=http://127.0.0.1:8080/\r\n"));
  Start();
  ASSERT_EQ(boxes().size(), 1);
  EXPECT_EQ(tabs().TabCount(), 2);
  EXPECT_EQ(tabs().CurrentTab(), 1);
  EXPECT_TRUE(tabs().tab(0).hidden);
  EXPECT_EQ(tabs().tab(0).caption, "空白");
  EXPECT_EQ(PageOfTab(1).url_writes, std::vector<std::string>{"http://127.0.0.1:8080/"});
  EXPECT_EQ(tabs().tab(1).caption, "http://127.0.0.1:808");
  EXPECT_EQ(home_page(), "http://127.0.0.1:8080/");
  EXPECT_EQ(platform_.FrontPage(main_window()), boxes().at(1));
}

TEST_F(StartUpTest, CreatedRunsBeforeTheFirstLayout) {
  Start();
  const auto& log = platform_.log;
  const std::ptrdiff_t first_url = LogPosition(log, " url ");
  // The template is the third component of the main window.
  const std::ptrdiff_t template_width = LogPosition(log, "1:3 width");
  ASSERT_GE(first_url, 0);
  ASSERT_GE(template_width, 0);
  EXPECT_LT(first_url, template_width);
  EXPECT_EQ(platform_.created_windows, std::vector<std::string>{"main"});
}

TEST_F(StartUpTest, ClosingTheMainWindowWithPagesOpenEndsWithCodeZero) {
  Start();
  OpenTyped("http://127.0.0.1/a");
  OpenTyped("http://127.0.0.1/b");
  platform_.on_message_loop = [this] { platform_.CloseByUser(main_window()); };
  EXPECT_EQ(ExitCodeOf([this] { program_.Finish(); }), 0);
  EXPECT_TRUE(platform_.exit_routines_ran);
  EXPECT_TRUE(home_page().empty()) << "the exit routine released the shared state";
  EXPECT_TRUE(boxes().empty());
}

TEST_F(StartUpTest, EscapeClosesTheWindowWithoutAQuestion) {
  Start();
  platform_.on_message_loop = [this] { platform_.PressEscape(main_window()); };
  EXPECT_EQ(ExitCodeOf([this] { program_.Finish(); }), 0);
  EXPECT_TRUE(platform_.message_boxes.empty());
}

TEST_F(StartUpTest, AMainWindowThatCannotLoadIsAFatalError) {
  platform_.fail_window_loads = true;
  EXPECT_EQ(ExitCodeOf([this] { Start(); }), kFatalExitCode);
  ASSERT_EQ(platform_.message_boxes.size(), 1u);
  const MessageBoxRequest& box = platform_.message_boxes[0];
  EXPECT_EQ(box.text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(box.caption, "错误");
  EXPECT_EQ(box.icon, MessageIcon::kError);
  EXPECT_FALSE(platform_.exit_routines_ran);
}

TEST(FatalErrorTextTest, HasTheCodeLineOnlyWhenThereIsACode) {
  EXPECT_EQ(FatalErrorText(1, kIndexAboveCountMessage),
            "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n");
  EXPECT_EQ(FatalErrorText(4, kIndexBelowOneMessage),
            "运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n");
  EXPECT_EQ(FatalErrorText(5, kKindMismatchMessage),
            "运行时出错!\r\n\r\n错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配\r\n");
}

TEST_F(StartUpTest, AFailedFirstPageLeavesTheBlankTabAndRunsOn) {
  platform_.fail_copies = 1;
  Start();
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(tabs().TabCount(), 1);
  EXPECT_FALSE(tabs().tab(0).hidden);
  ASSERT_EQ(platform_.message_boxes.size(), 1u);
  EXPECT_EQ(platform_.message_boxes[0].text, "创建浏览器失败！");
  platform_.on_message_loop = [this] { platform_.CloseByUser(main_window()); };
  EXPECT_EQ(ExitCodeOf([this] { program_.Finish(); }), 0);
}

struct ConfigCase {
  const char* name;
  std::optional<std::string> file;  // bytes of config.ini; nullopt: no file
  std::string home_page;
};

class HomePageConfigTest : public ProgramTest, public ::testing::WithParamInterface<ConfigCase> {};

TEST_P(HomePageConfigTest, GivesTheHomePage) {
  const ConfigCase& c = GetParam();
  if (c.file) WriteConfig(*c.file);
  Start();
  EXPECT_EQ(home_page(), c.home_page);
  ASSERT_EQ(boxes().size(), 1);
  EXPECT_EQ(PageOfTab(1).url_writes, std::vector<std::string>{c.home_page});
}

const std::string kDefault(kDefaultHomePage);

INSTANTIATE_TEST_SUITE_P(
    Cases, HomePageConfigTest,
    ::testing::Values(
        ConfigCase{"NoFile", std::nullopt, kDefault},
        ConfigCase{"NoSection", Gbk("[其他]\r\nhomepage=http://x/\r\n"), kDefault},
        ConfigCase{"NoKey", Gbk("[主页]\r\nstart=http://x/\r\n"), kDefault},
        ConfigCase{"EmptyValue", Gbk("[主页]\r\nhomepage=\r\n"), kDefault},
        ConfigCase{"OnlySpaces", Gbk("[主页]\r\nhomepage=    \r\n"), kDefault},
        ConfigCase{"OnlyFullWidthSpaces", Gbk("[主页]\r\nhomepage=\u3000\u3000\r\n"), kDefault},
        ConfigCase{"MixedSpaces", Gbk("[主页]\r\nhomepage= \u3000 \u3000\r\n"), kDefault},
        ConfigCase{"FullWidthSpacesAroundAreKept",
                   Gbk("[主页]\r\nhomepage=\u3000http://x/\u3000\r\n"), "\u3000http://x/\u3000"},
        ConfigCase{"GbkFile", Gbk("[主页]\r\nhomepage=http://x/论坛\r\n"), "http://x/论坛"},
        ConfigCase{"Utf8File", "[主页]\nhomepage=http://x/论坛\n", "http://x/论坛"},
        ConfigCase{"Quoted", Gbk("[主页]\r\nhomepage=\"http://x/\"\r\n"), "http://x/"},
        ConfigCase{"MixedCaseKey", Gbk("[主页]\r\nHomePage = http://x/ \r\n"), "http://x/"},
        ConfigCase{"TabIsNoSpace", Gbk("[主页]\r\nhomepage=\"\t\"\r\n"), "\t"},
        ConfigCase{"Garbage", std::string("\x00\xFF\xFE[\x01\x02=\x80", 9), kDefault}),
    CaseName());

TEST_F(StartUpTest, AVeryLongHomePageIsCutTo10239Bytes) {
  WriteConfig("[主页]\r\nhomepage=http://x/" + std::string(20000, 'a') + "\r\n");
  Start();
  EXPECT_EQ(home_page().size(), 10239u);
  EXPECT_EQ(home_page().substr(0, 9), "http://x/");
}

}  // namespace
}  // namespace tavern
