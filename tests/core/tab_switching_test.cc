#include <gtest/gtest.h>

#include "core/case_name.h"
#include "core/program_fixture.h"

namespace tavern {
namespace {

// Three pages open: tab 1 the home page, tabs 2 and 3 typed.
class TabSwitchingTest : public ProgramTest {
 protected:
  void SetUp() override {
    WriteConfig("[主页]\r\nhomepage=http://127.0.0.1/1\r\n");
    Start();
    OpenTyped("http://127.0.0.1/2");
    OpenTyped("http://127.0.0.1/3");
  }
  void CloseCurrentFromTab(int right_clicked_tab) {
    ChooseInNextPopup("关闭当前页");
    platform_.RightClickTab(right_clicked_tab);
  }
  std::optional<ComponentRef> Front() { return platform_.FrontPage(main_window()); }
};

TEST_F(TabSwitchingTest, ClickingATabBringsItsPageForwardWithItsAddressAndPresentSize) {
  platform_.ResizeClient(main_window(), 800, 500);
  platform_.RaiseDocumentComplete(boxes().at(1), "http://127.0.0.1/1/loaded");
  platform_.ClickTab(1);
  EXPECT_EQ(Front(), boxes().at(1));
  EXPECT_EQ(AddressText(), "http://127.0.0.1/1/loaded");
  EXPECT_EQ(PageOfTab(1).width(), 799);
  EXPECT_EQ(PageOfTab(1).height(), 500 - 20 - 10 - 56);
}

TEST_F(TabSwitchingTest, OnlyTheCurrentPageFollowsAResize) {
  const int old_width = PageOfTab(1).width();
  platform_.ResizeClient(main_window(), 1200, 800);
  EXPECT_EQ(PageOfTab(3).width(), 1199);
  EXPECT_EQ(PageOfTab(3).height(), 800 - 20 - 10 - 56);
  EXPECT_EQ(PageOfTab(1).width(), old_width);
  platform_.ClickTab(1);
  EXPECT_EQ(PageOfTab(1).width(), 1199);
}

TEST_F(TabSwitchingTest, ARightClickOverTheEmptyPartShowsNoMenu) {
  platform_.RightClickEmptyStripPart();
  EXPECT_TRUE(platform_.popups.empty());
}

TEST_F(TabSwitchingTest, TheTabMenuPopsUpAtThePointerMovedThreeAndThree) {
  platform_.pointer = {400, 45};
  platform_.RightClickTab(2);
  ASSERT_EQ(platform_.popups.size(), 1u);
  EXPECT_EQ(platform_.popups[0].at, (Point{403, 48}));
  EXPECT_EQ(platform_.popups[0].menu, FindMenuItem(MainWindowDefinition(), "子夹右键"));
  EXPECT_EQ(tabs().CurrentTab(), 3) << "a right click does not switch";
  EXPECT_EQ(boxes().size(), 3) << "nothing chosen, nothing closed";
}

TEST_F(TabSwitchingTest, TheMenuClosesTheCurrentTabNotTheClickedOne) {
  const ComponentRef third = boxes().at(3);
  CloseCurrentFromTab(1);
  EXPECT_EQ(boxes().size(), 2);
  EXPECT_EQ(platform_.GetComponent(third), nullptr);
  EXPECT_EQ(Captions()[1], "http://127.0.0.1/1  ");
  EXPECT_EQ(Captions()[2], "http://127.0.0.1/2  ");
}

TEST_F(TabSwitchingTest, ClosingInTheMiddleShowsTheFollowingTab) {
  platform_.ClickTab(2);
  const ComponentRef third = boxes().at(3);
  CloseCurrentFromTab(2);
  EXPECT_EQ(tabs().CurrentTab(), 2);
  EXPECT_EQ(boxes().at(2), third);
  // The page on screen is the one the strip marks as current, with its address.
  EXPECT_EQ(Front(), third);
  EXPECT_EQ(AddressText(), "http://127.0.0.1/3");
}

TEST_F(TabSwitchingTest, ClosingTheLastOfSeveralShowsTabOne) {
  CloseCurrentFromTab(3);
  EXPECT_EQ(tabs().CurrentTab(), 1);
  EXPECT_EQ(Front(), boxes().at(1));
  EXPECT_EQ(AddressText(), "http://127.0.0.1/1");
  EXPECT_TRUE(tabs().tab(0).hidden);
}

TEST_F(TabSwitchingTest, ClosingTheOnlyPageLeavesTheBlankTabAloneAndTheAddressAsItWas) {
  CloseCurrentFromTab(3);
  CloseCurrentFromTab(1);
  platform_.AddressBox().text_ = "typed but not opened";
  CloseCurrentFromTab(1);
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(tabs().TabCount(), 1);
  EXPECT_EQ(tabs().CurrentTab(), 0);
  EXPECT_FALSE(tabs().tab(0).hidden);
  EXPECT_EQ(Front(), std::nullopt);
  EXPECT_EQ(AddressText(), "typed but not opened");
}

TEST_F(TabSwitchingTest, ClosingWithNoPageOpenDoesNothing) {
  for (int i = 0; i < 3; ++i) CloseCurrentFromTab(1);
  ASSERT_TRUE(boxes().empty());
  const std::vector<std::string> before = Captions();
  CloseCurrentFromTab(0);
  Select("关闭当前页");
  EXPECT_EQ(Captions(), before);
  EXPECT_EQ(platform_.exit_code, std::nullopt);
  EXPECT_TRUE(platform_.message_boxes.empty());
}

TEST_F(TabSwitchingTest, APageOpensAgainAfterTheLastWasClosed) {
  for (int i = 0; i < 3; ++i) CloseCurrentFromTab(1);
  OpenTyped("http://127.0.0.1/again");
  EXPECT_EQ(boxes().size(), 1);
  EXPECT_EQ(tabs().CurrentTab(), 1);
  EXPECT_TRUE(tabs().tab(0).hidden);
  EXPECT_EQ(Front(), boxes().at(1));
}

TEST_F(TabSwitchingTest, ALateEventOfAClosedPageChangesNothing) {
  const ComponentRef closed = boxes().at(3);
  CloseCurrentFromTab(3);
  // The platform drops a destroyed page's events; the handlers also stand
  // firm if one slipped through: nothing in the list is that page.
  EXPECT_EQ(platform_.GetWebView(closed), nullptr);
  const std::vector<std::string> captions = Captions();
  EXPECT_EQ(boxes().IndexOf(closed), std::nullopt);
  EXPECT_EQ(Captions(), captions);
}

struct LayoutCase {
  const char* name;
  int client_width;
  int address_width;
};

class AddressBoxWidthTest : public ProgramTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(AddressBoxWidthTest, FollowsTheClientWidthDownToFifty) {
  const LayoutCase& c = GetParam();
  Start();
  platform_.ResizeClient(main_window(), c.client_width, 500);
  EXPECT_EQ(platform_.AddressBox().width(), c.address_width);
  EXPECT_EQ(platform_.GetComponent(platform_.Ref(main_window(), kTabStripName))->width(),
            c.client_width - 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddressBoxWidthTest,
                         ::testing::Values(LayoutCase{"Wide", 1280, 990},
                                           LayoutCase{"AtTheFloor", 340, 50},
                                           LayoutCase{"BelowTheFloor", 300, 50},
                                           LayoutCase{"JustAbove", 341, 51}),
                         CaseName());

TEST_F(TabSwitchingTest, AResizeWithNoPageOpenFitsOnlyTheStripTemplateAndAddressBox) {
  for (int i = 0; i < 3; ++i) CloseCurrentFromTab(1);
  platform_.log.clear();
  platform_.ResizeClient(main_window(), 900, 600);
  const std::vector<std::string> expected = {"1:1 width 899", "1:3 width 899",
                                             "1:3 height " + std::to_string(600 - 20 - 10 - 56),
                                             "1:4 width 610"};
  EXPECT_EQ(platform_.log, expected);
}

}  // namespace
}  // namespace tavern
