#include <gtest/gtest.h>

#include "app/product.h"
#include "core/case_name.h"
#include "core/program_fixture.h"

namespace tavern {
namespace {

class CommandsTest : public ProgramTest {
 protected:
  void SetUp() override {
    WriteConfig("[主页]\r\nhomepage=http://127.0.0.1/home\r\n");
    Start();
  }
  void CloseAllPages() {
    while (!boxes().empty()) Select("关闭当前页");
  }
  // Every web view command any page ran since the last call.
  std::vector<std::pair<int, int>> TakeCommands() {
    std::vector<std::pair<int, int>> commands;
    for (int k = 1; k <= boxes().size(); ++k) {
      for (const int code : PageOfTab(k).commands) commands.emplace_back(k, code);
      PageOfTab(k).commands.clear();
    }
    return commands;
  }
};

struct MenuCommandCase {
  const char* name;
  const char* caption;
  int code;
};

class PageMenuCommandTest : public CommandsTest,
                            public ::testing::WithParamInterface<MenuCommandCase> {};

TEST_P(PageMenuCommandTest, RunsOnTheCurrentPageOnly) {
  OpenTyped("http://127.0.0.1/second");
  OpenTyped("http://127.0.0.1/third");
  platform_.ClickTab(2);
  TakeCommands();
  Select(GetParam().caption);
  EXPECT_EQ(TakeCommands(), (std::vector<std::pair<int, int>>{{2, GetParam().code}}));
}

TEST_P(PageMenuCommandTest, DoesNothingWithNoPageOpen) {
  CloseAllPages();
  Select(GetParam().caption);
  EXPECT_TRUE(platform_.message_boxes.empty());
  EXPECT_EQ(platform_.exit_code, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageMenuCommandTest,
                         ::testing::Values(MenuCommandCase{"SaveAs", "另存为(&A)", 6},
                                           MenuCommandCase{"PageSetup", "页面设置(&U)", 9},
                                           MenuCommandCase{"PrintPreview", "打印预览(&V)", 8},
                                           MenuCommandCase{"Print", "打印本页(&P)", 7},
                                           MenuCommandCase{"Forward", "前进(&F)", 0},
                                           MenuCommandCase{"Back", "后退(&B)", 1},
                                           MenuCommandCase{"Refresh", "刷新(&R)", 4},
                                           MenuCommandCase{"Stop", "停止(&S)", 5}),
                         CaseName());

struct ButtonCase {
  const char* name;
  int index;
  std::optional<int> code;
};

class ToolbarButtonTest : public CommandsTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ToolbarButtonTest, RunsItsCommandOnTheCurrentPage) {
  OpenTyped("http://127.0.0.1/second");
  platform_.ToolbarOf().states.assign(8, 0);  // every button clickable
  TakeCommands();
  platform_.ClickToolbarButton(GetParam().index);
  std::vector<std::pair<int, int>> expected;
  if (GetParam().code) expected.emplace_back(2, *GetParam().code);
  EXPECT_EQ(TakeCommands(), expected);
  EXPECT_EQ(boxes().size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolbarButtonTest,
                         ::testing::Values(ButtonCase{"Back", 1, 1}, ButtonCase{"Forward", 2, 0},
                                           ButtonCase{"Stop", 3, 5}, ButtonCase{"Refresh", 4, 4},
                                           ButtonCase{"Separator", 5, std::nullopt},
                                           ButtonCase{"Print", 7, 7},
                                           ButtonCase{"NoSuchButton", 9, std::nullopt}),
                         CaseName());

struct SizeCase {
  const char* name;
  const char* caption;
  int size;
};

class TextSizeTest : public CommandsTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(TextSizeTest, ChangesTheCurrentPageOnly) {
  OpenTyped("http://127.0.0.1/second");
  Select(GetParam().caption);
  EXPECT_EQ(PageOfTab(2).FontSize(), GetParam().size);
  EXPECT_EQ(PageOfTab(1).FontSize(), 2);
  platform_.ClickTab(1);
  EXPECT_EQ(PageOfTab(1).FontSize(), 2) << "another page keeps the size it had";
  OpenTyped("http://127.0.0.1/third");
  EXPECT_EQ(PageOfTab(3).FontSize(), 2) << "a new page starts at the template's size";
}

INSTANTIATE_TEST_SUITE_P(Cases, TextSizeTest,
                         ::testing::Values(SizeCase{"Largest", "最大(&G)", 4},
                                           SizeCase{"Larger", "较大(&L)", 3},
                                           SizeCase{"Medium", "中等(&M)", 2},
                                           SizeCase{"Smaller", "较小(&S)", 1},
                                           SizeCase{"Smallest", "最小(&A)", 0}),
                         CaseName());

TEST_F(CommandsTest, TextSizesDoNothingWithNoPageOpen) {
  CloseAllPages();
  Select("最大(&G)");
  EXPECT_EQ(platform_.exit_code, std::nullopt);
}

TEST_F(CommandsTest, HomeOpensTheHomePageInANewTabEveryTime) {
  Select("首页(&H)");
  platform_.ClickToolbarButton(0);
  ASSERT_EQ(boxes().size(), 3);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(PageOfTab(k).url_writes, std::vector<std::string>{"http://127.0.0.1/home"});
  }
  EXPECT_EQ(tabs().CurrentTab(), 3);
  CloseAllPages();
  Select("首页(&H)");
  EXPECT_EQ(boxes().size(), 1) << "also when no page is open";
}

TEST_F(CommandsTest, HomeKeepsTheAddressLoadedAtStartAfterTheSettingsChangeIt) {
  platform_.on_modal = [this](int32_t window) {
    platform_.TypeText(window, "编辑框1", "http://127.0.0.1/new");
    platform_.ClickButton(window, "按钮1");
  };
  Select("首页设置(&G)");
  ASSERT_NE(ReadConfig().find("http://127.0.0.1/new"), std::string::npos);
  Select("首页(&H)");
  EXPECT_EQ(PageOfTab(2).url_writes, std::vector<std::string>{"http://127.0.0.1/home"});
}

TEST_F(CommandsTest, TheTextSizeButtonRefreshesFirstAndTheChosenSizeFollows) {
  platform_.pointer = {120, 20};
  ChooseInNextPopup("最大(&G)");
  platform_.log.clear();
  platform_.ClickToolbarButton(6);
  ASSERT_EQ(platform_.popups.size(), 1u);
  EXPECT_EQ(platform_.popups[0].at, (Point{123, 23}));
  EXPECT_EQ(platform_.popups[0].menu, FindMenuItem(MainWindowDefinition(), "字体(&T)"));
  std::vector<std::string> page_ops;
  for (const auto& entry : platform_.log) {
    if (entry.find("command") != std::string::npos || entry.find("font") != std::string::npos) {
      page_ops.push_back(entry.substr(entry.find(' ') + 1));
    }
  }
  EXPECT_EQ(page_ops, (std::vector<std::string>{"command 4", "font 4"}));
}

TEST_F(CommandsTest, TheTextSizeButtonRefreshesAlsoWhenNothingIsChosen) {
  platform_.ClickToolbarButton(6);
  EXPECT_EQ(TakeCommands(), (std::vector<std::pair<int, int>>{{1, 4}}));
  EXPECT_EQ(PageOfTab(1).FontSize(), 2);
}

TEST_F(CommandsTest, TheTextSizeButtonWithNoPageOpenPopsUpAndRefreshesNothing) {
  CloseAllPages();
  platform_.ClickToolbarButton(6);
  EXPECT_EQ(platform_.popups.size(), 1u);
  EXPECT_EQ(platform_.exit_code, std::nullopt);
}

TEST_F(CommandsTest, TheArrowShowsTheSizesUnderTheButtonAndRefreshesNothing) {
  platform_.ClickToolbarArrow(6);
  ASSERT_EQ(platform_.popups.size(), 1u);
  EXPECT_EQ(platform_.popups[0].at, (Point{100 + 24 * 6, 100 + 32 + 2}));
  EXPECT_EQ(platform_.popups[0].menu, FindMenuItem(MainWindowDefinition(), "字体(&T)"));
  EXPECT_TRUE(TakeCommands().empty());
}

TEST_F(CommandsTest, AboutShowsTheEightLineText) {
  Select("关于浏览器(&B)");
  ASSERT_EQ(platform_.message_boxes.size(), 1u);
  const MessageBoxRequest& box = platform_.message_boxes[0];
  EXPECT_EQ(box.text, kAboutText);
  EXPECT_EQ(box.caption, "信息：");
  EXPECT_EQ(box.icon, MessageIcon::kNone);
  EXPECT_TRUE(box.task_modal);
}

TEST(AboutTextTest, HasTheLayoutOfEightLines) {
  std::vector<std::string> lines;
  std::string text(kAboutText);
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "lines end in CR LF";
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7) << "no break after the last line";
  EXPECT_EQ(lines[0].rfind(std::string(13, ' ') + "关于 ", 0), 0u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 4), " 1.0");
  EXPECT_EQ(lines[1], std::string(43, '-'));
  EXPECT_EQ(lines[4], std::string(43, '-'));
  for (const int i : {2, 3, 5, 7}) {
    EXPECT_EQ(lines[static_cast<std::size_t>(i)].rfind("    ", 0), 0u) << i;
    EXPECT_NE(lines[static_cast<std::size_t>(i)][4], ' ') << i;
  }
  EXPECT_EQ(lines[6].rfind(std::string(10, ' ') + "——", 0), 0u);
}

TEST_F(CommandsTest, ExitEndsAtOnceWithCodeZeroAndRunsTheExitRoutine) {
  OpenTyped("http://127.0.0.1/second");
  OpenTyped("http://127.0.0.1/third");
  EXPECT_EQ(ExitCodeOf([this] { Select("退出(&X)"); }), 0);
  EXPECT_TRUE(platform_.exit_routines_ran);
  EXPECT_TRUE(platform_.message_boxes.empty()) << "no question is asked";
}

}  // namespace
}  // namespace tavern
