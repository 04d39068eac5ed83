#include <gtest/gtest.h>

#include "core/case_name.h"
#include "core/program_fixture.h"

namespace tavern {
namespace {

// Two pages: tab 1 behind, tab 2 current.
class WebViewEventsTest : public ProgramTest {
 protected:
  void SetUp() override {
    WriteConfig("[主页]\r\nhomepage=http://127.0.0.1/one\r\n");
    Start();
    OpenTyped("http://127.0.0.1/two");
  }
  ComponentRef shown() { return boxes().at(2); }
  ComponentRef behind() { return boxes().at(1); }
  bool BackEnabled() { return !(platform_.ToolbarOf().ButtonState(1) & kButtonDisabled); }
  bool ForwardEnabled() { return !(platform_.ToolbarOf().ButtonState(2) & kButtonDisabled); }
  bool MenuDisabled(const char* caption) {
    return platform_.MenuItemDisabled(main_window(), FindMenuItem(MainWindowDefinition(), caption));
  }
};

TEST_F(WebViewEventsTest, StatusBarTextsFollowTheShownPage) {
  EXPECT_EQ(platform_.RaiseBeforeNavigate(shown(), "http://127.0.0.1/next"), std::nullopt)
      << "no value: the navigation goes on";
  EXPECT_EQ(StatusText(), "正在转向 “http://127.0.0.1/next”");
  platform_.RaiseProgress(shown(), 42);
  EXPECT_EQ(StatusText(), "已经载入 42 %");
  platform_.RaiseProgress(shown(), -3);
  EXPECT_EQ(StatusText(), "已经载入 -3 %");
  platform_.RaiseProgress(shown(), 100);
  EXPECT_EQ(StatusText(), "已经载入 100 %");
  platform_.RaiseStatusText(shown(), "http://127.0.0.1/link");
  EXPECT_EQ(StatusText(), "http://127.0.0.1/link");
  platform_.RaiseStatusText(shown(), "");
  EXPECT_EQ(StatusText(), "");
  platform_.RaiseDocumentComplete(shown(), "http://127.0.0.1/next#done");
  EXPECT_EQ(StatusText(), "准备就绪");
  EXPECT_EQ(AddressText(), "http://127.0.0.1/next#done");
  EXPECT_EQ(platform_.StatusBarOf().PartText(0), "状态：") << "part 0 keeps its label";
}

TEST_F(WebViewEventsTest, APageBehindLeavesTheSharedControlsAlone) {
  platform_.RaiseDocumentComplete(shown(), "http://127.0.0.1/two");
  const std::string status = StatusText();
  platform_.RaiseBeforeNavigate(behind(), "http://127.0.0.1/elsewhere");
  platform_.RaiseProgress(behind(), 50);
  platform_.RaiseStatusText(behind(), "http://127.0.0.1/hover");
  platform_.RaiseDocumentComplete(behind(), "http://127.0.0.1/elsewhere");
  platform_.RaiseCommandState(behind(), 1, true);
  EXPECT_EQ(StatusText(), status);
  EXPECT_EQ(AddressText(), "http://127.0.0.1/two");
  EXPECT_FALSE(BackEnabled());
  // Its title still lands on its own tab.
  platform_.RaiseTitle(behind(), "背后的页面");
  EXPECT_EQ(tabs().tab(1).caption, "背后的页面          ");
}

TEST_F(WebViewEventsTest, SwitchingTabsBringsBackAndForwardUpToDate) {
  platform_.RaiseCommandState(shown(), 1, true);
  EXPECT_TRUE(BackEnabled());
  EXPECT_FALSE(MenuDisabled("后退(&B)"));
  PageOfTab(1).can_go_back = false;
  PageOfTab(1).can_go_forward = true;
  platform_.ClickTab(1);
  EXPECT_FALSE(BackEnabled());
  EXPECT_TRUE(MenuDisabled("后退(&B)"));
  EXPECT_TRUE(ForwardEnabled());
  EXPECT_FALSE(MenuDisabled("前进(&F)"));
}

struct HistoryCase {
  const char* name;
  int command;
  bool enabled;
  int button;
  const char* item;
};

class HistoryControlTest : public WebViewEventsTest,
                           public ::testing::WithParamInterface<HistoryCase> {};

TEST_P(HistoryControlTest, SetsTheButtonAndTheMenuItemTogether) {
  const HistoryCase& c = GetParam();
  platform_.RaiseCommandState(shown(), c.command, !c.enabled);
  platform_.RaiseCommandState(shown(), c.command, c.enabled);
  EXPECT_EQ((platform_.ToolbarOf().ButtonState(c.button) & kButtonDisabled) == 0, c.enabled);
  EXPECT_EQ(MenuDisabled(c.item), !c.enabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, HistoryControlTest,
                         ::testing::Values(HistoryCase{"ForwardAllowed", 0, true, 2, "前进(&F)"},
                                           HistoryCase{"ForwardRefused", 0, false, 2, "前进(&F)"},
                                           HistoryCase{"BackAllowed", 1, true, 1, "后退(&B)"},
                                           HistoryCase{"BackRefused", 1, false, 1, "后退(&B)"}),
                         CaseName());

TEST_F(WebViewEventsTest, AnotherCommandChangesNothing) {
  const std::vector<unsigned> states = platform_.ToolbarOf().states;
  platform_.RaiseCommandState(shown(), 2, true);
  platform_.RaiseCommandState(shown(), -1, false);
  EXPECT_EQ(platform_.ToolbarOf().states, states);
  EXPECT_TRUE(MenuDisabled("前进(&F)"));
  EXPECT_TRUE(MenuDisabled("后退(&B)"));
}

struct TitleCase {
  const char* name;
  std::string title;
  std::string caption;
};

class TitleCaptionTest : public WebViewEventsTest,
                         public ::testing::WithParamInterface<TitleCase> {};

TEST_P(TitleCaptionTest, LandsOnThePagesTabInTwentyBytes) {
  platform_.RaiseTitle(shown(), GetParam().title);
  EXPECT_EQ(tabs().tab(2).caption, GetParam().caption);
  EXPECT_EQ(tabs().tab(1).caption, "http://127.0.0.1/one");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TitleCaptionTest,
    ::testing::Values(TitleCase{"Empty", "", std::string(20, ' ')},
                      TitleCase{"ExactlyTwenty", "12345678901234567890", "12345678901234567890"},
                      TitleCase{"LongerIsCut", "A title longer than twenty",
                                "A title longer than "},
                      TitleCase{"Chinese", "酒馆社区首页", "酒馆社区首页        "},
                      TitleCase{"CharacterAtByteTwentyNotSplit", "0123456789012345678首",
                                "0123456789012345678 "}),
    CaseName());

TEST_F(WebViewEventsTest, TitlesFindTheirTabAfterClosesToTheirLeft) {
  OpenTyped("http://127.0.0.1/three");
  OpenTyped("http://127.0.0.1/four");
  const ComponentRef four = boxes().at(4);
  const ComponentRef three = boxes().at(3);
  platform_.ClickTab(1);
  Select("关闭当前页");
  platform_.ClickTab(1);
  Select("关闭当前页");
  ASSERT_EQ(boxes().size(), 2);
  platform_.RaiseTitle(four, "Four");
  platform_.RaiseTitle(three, "Three");
  EXPECT_EQ(tabs().tab(1).caption, "Three               ");
  EXPECT_EQ(tabs().tab(2).caption, "Four                ");
}

TEST_F(WebViewEventsTest, ANewWindowOpensAsANewCurrentTab) {
  EXPECT_EQ(platform_.RaiseNewWindow(behind(), "http://127.0.0.1/popup"), false);
  ASSERT_EQ(boxes().size(), 3);
  EXPECT_EQ(tabs().CurrentTab(), 3);
  EXPECT_EQ(PageOfTab(3).url_writes, std::vector<std::string>{"http://127.0.0.1/popup"});
  EXPECT_EQ(platform_.FrontPage(main_window()), boxes().at(3));
}

TEST_F(WebViewEventsTest, ANewWindowWithAnEmptyAddressStillOpensATab) {
  EXPECT_EQ(platform_.RaiseNewWindow(shown(), ""), false);
  ASSERT_EQ(boxes().size(), 3);
  EXPECT_EQ(PageOfTab(3).url_writes, std::vector<std::string>{""});
  EXPECT_EQ(tabs().tab(3).caption, std::string(20, ' '));
}

TEST_F(WebViewEventsTest, ANewWindowThatCannotBeCreatedOpensNowhere) {
  platform_.fail_copies = 1;
  EXPECT_EQ(platform_.RaiseNewWindow(shown(), "http://127.0.0.1/popup"), false);
  EXPECT_EQ(boxes().size(), 2);
  ASSERT_EQ(platform_.message_boxes.size(), 1u);
  EXPECT_EQ(platform_.message_boxes[0].text, "创建浏览器失败！");
}

TEST_F(WebViewEventsTest, APageOpensAtMostFourTabsASecond) {
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(platform_.RaiseNewWindow(shown(), "http://127.0.0.1/p" + std::to_string(i)), false);
  }
  EXPECT_EQ(boxes().size(), 2 + 4);
  // Another page has a budget of its own.
  platform_.RaiseNewWindow(behind(), "http://127.0.0.1/other");
  EXPECT_EQ(boxes().size(), 7);
  // A second later the first page may open again.
  platform_.now_ms += 1000;
  platform_.RaiseNewWindow(shown(), "http://127.0.0.1/later");
  EXPECT_EQ(boxes().size(), 8);
}

struct ForgedCase {
  const char* name;
  std::function<void(fake::FakePlatform&, ComponentRef)> raise;
};

class EventSourceCheckTest : public WebViewEventsTest,
                             public ::testing::WithParamInterface<ForgedCase> {};

TEST_P(EventSourceCheckTest, ASourceThatIsNoWebViewIsFatalError5) {
  const ComponentRef page = shown();
  platform_.ForgeNextEventSource(
      {platform_.Ref(main_window(), kAddressBoxName), ComponentKind::kEditBox});
  EXPECT_EQ(ExitCodeOf([&] { GetParam().raise(platform_, page); }), -1);
  ASSERT_FALSE(platform_.message_boxes.empty());
  EXPECT_EQ(platform_.message_boxes.back().text,
            "运行时出错!\r\n\r\n错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EventSourceCheckTest,
    ::testing::Values(
        ForgedCase{"BeforeNavigate", [](auto& p, auto r) { p.RaiseBeforeNavigate(r, "x"); }},
        ForgedCase{"Progress", [](auto& p, auto r) { p.RaiseProgress(r, 1); }},
        ForgedCase{"DocumentComplete", [](auto& p, auto r) { p.RaiseDocumentComplete(r, "x"); }},
        ForgedCase{"StatusText", [](auto& p, auto r) { p.RaiseStatusText(r, "x"); }},
        ForgedCase{"Title", [](auto& p, auto r) { p.RaiseTitle(r, "x"); }},
        ForgedCase{"NewWindow", [](auto& p, auto r) { p.RaiseNewWindow(r, "x"); }}),
    CaseName());

TEST_F(WebViewEventsTest, TheHistoryEventTakesNoSource) {
  platform_.ForgeNextEventSource(
      {platform_.Ref(main_window(), kAddressBoxName), ComponentKind::kEditBox});
  platform_.RaiseCommandState(shown(), 1, true);
  EXPECT_EQ(platform_.exit_code, std::nullopt);
  EXPECT_TRUE(BackEnabled());
}

}  // namespace
}  // namespace tavern
