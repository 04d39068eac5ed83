#include <gtest/gtest.h>

#include <algorithm>

#include "gtk/program_fixture.h"

namespace tavern::testing {
namespace {

class PageEventsTest : public ProgramOnGtk {
 protected:
  void SetUp() override {
    server_.AddPage("/home", "text/html", Page("Home", "<a id=next href=\"/next\">next</a>"));
    server_.AddPage("/next", "text/html", Page("下一页：社区公告", "<p>next</p>"));
    server_.AddStalledPage("/slow", "text/html", "<html><head><title>Slow</title></head><body>");
    WriteHomePage(server_.Url("/home"));
    ASSERT_TRUE(Start());
  }
  bool ButtonEnabled(int index) { return (toolbar().ButtonState(index) & kButtonDisabled) == 0; }
  bool MenuEnabled(const char* caption) {
    return !main_window().MenuItemDisabled(FindMenuItem(MainWindowDefinition(), caption));
  }
  // Every text status bar part 1 shows from now on.
  std::shared_ptr<std::vector<std::string>> RecordStatusTexts() {
    auto texts = std::make_shared<std::vector<std::string>>();
    Gtk::Label* label = status_bar().part_label(kStatusTextPart);
    label->property_label().signal_changed().connect(
        [texts, label] { texts->push_back(label->get_text()); });
    return texts;
  }
};

TEST_F(PageEventsTest, TheStatusBarFollowsALoad) {
  const auto texts = RecordStatusTexts();
  RunScript(1, "next.click()");
  ASSERT_TRUE(WaitLoaded(1, server_.Url("/next")));
  ASSERT_TRUE(WaitFor([&] { return !texts->empty() && texts->back() == "准备就绪"; }));
  const auto at = [&](const std::string& text) {
    return std::find(texts->begin(), texts->end(), text) - texts->begin();
  };
  const auto navigating = at("正在转向 “" + server_.Url("/next") + "”");
  const auto loaded = at("已经载入 100 %");
  ASSERT_LT(navigating, static_cast<long>(texts->size())) << "no navigation text";
  ASSERT_LT(loaded, static_cast<long>(texts->size())) << "no load percentage";
  EXPECT_LT(navigating, loaded);
  EXPECT_EQ(address_box().text(), server_.Url("/next"));
  EXPECT_TRUE(WaitFor([&] { return tabs().tab(1).caption == "下一页：社区公告    "; }));
}

TEST_F(PageEventsTest, BackAndForwardFollowTheHistory) {
  EXPECT_FALSE(ButtonEnabled(1));
  RunScript(1, "next.click()");
  ASSERT_TRUE(WaitLoaded(1, server_.Url("/next")));
  ASSERT_TRUE(WaitFor([&] { return ButtonEnabled(1); }));
  EXPECT_TRUE(MenuEnabled("后退(&B)"));
  EXPECT_FALSE(ButtonEnabled(2));
  EXPECT_FALSE(MenuEnabled("前进(&F)"));

  Click(toolbar().main_part(1));
  ASSERT_TRUE(WaitLoaded(1, server_.Url("/home")));
  ASSERT_TRUE(WaitFor([&] { return ButtonEnabled(2) && !ButtonEnabled(1); }));
  EXPECT_TRUE(MenuEnabled("前进(&F)"));
  EXPECT_FALSE(MenuEnabled("后退(&B)"));

  SelectMenu("前进(&F)");
  ASSERT_TRUE(WaitLoaded(1, server_.Url("/next")));
  EXPECT_TRUE(WaitFor([&] { return ButtonEnabled(1) && !ButtonEnabled(2); }));
}

TEST_F(PageEventsTest, SwitchingTabsSetsBackAndForwardFromTheShownPage) {
  RunScript(1, "next.click()");
  ASSERT_TRUE(WaitLoaded(1, server_.Url("/next")));
  ASSERT_TRUE(WaitFor([&] { return ButtonEnabled(1); }));
  OpenTyped(server_.Url("/home"));
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
  EXPECT_TRUE(WaitFor([&] { return !ButtonEnabled(1); })) << "the new page has no history";
  ClickTab(1);
  EXPECT_TRUE(WaitFor([&] { return ButtonEnabled(1); }));
}

TEST_F(PageEventsTest, APageLoadingBehindLeavesTheAddressBoxAlone) {
  OpenTyped(server_.Url("/next"));
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
  ASSERT_TRUE(WaitLoaded(2, server_.Url("/next")));
  ASSERT_TRUE(WaitFor([&] { return StatusText() == "准备就绪"; }));
  // Tab 1, now behind, navigates and completes.
  RunScript(1, "next.click()");
  ASSERT_TRUE(WaitLoaded(1, server_.Url("/next")));
  RunScript(1, "history.back()");
  ASSERT_TRUE(WaitLoaded(1, server_.Url("/home")));
  Linger(std::chrono::milliseconds(200));
  EXPECT_EQ(address_box().text(), server_.Url("/next"));
  EXPECT_EQ(StatusText(), "准备就绪");
  EXPECT_TRUE(WaitFor([&] { return tabs().tab(1).caption == "Home                "; }))
      << "its title still lands on its own tab";
}

TEST_F(PageEventsTest, StopEndsALoadThatWouldNotEnd) {
  OpenTyped(server_.Url("/slow"));
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
  ASSERT_TRUE(WaitFor([&] { return webkit_web_view_is_loading(ViewOfTab(2)); }));
  // At once, as a user who pressed Enter on the wrong address does.
  Click(toolbar().main_part(3));
  EXPECT_TRUE(WaitFor([&] { return !webkit_web_view_is_loading(ViewOfTab(2)); }));
  EXPECT_TRUE(WaitFor([&] { return StatusText() == "准备就绪"; }));
}

}  // namespace
}  // namespace tavern::testing
