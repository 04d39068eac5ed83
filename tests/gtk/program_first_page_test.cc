#include <gtest/gtest.h>

#include "app/product.h"
#include "browsing/tab_caption.h"
#include "gtk/program_fixture.h"

namespace tavern::testing {
namespace {

class FirstPageTest : public ProgramOnGtk {
 protected:
  void SetUp() override {
    server_.AddPage("/home", "text/html", Page("酒馆社区首页", "<p id=t>welcome</p>"));
    server_.AddPage("/second", "text/html", Page("Second", "<p>second</p>"));
  }
};

TEST_F(FirstPageTest, TheHomePageLoadsInTabOneAndTheBlankTabIsNotDrawn) {
  WriteHomePage(server_.Url("/home"));
  ASSERT_TRUE(Start());
  EXPECT_EQ(tabs().TabCount(), 2);
  EXPECT_EQ(tabs().CurrentTab(), 1);
  EXPECT_TRUE(tabs().tab(0).hidden);
  EXPECT_FALSE(gtk_widget_get_mapped(GTK_WIDGET(tab_view().tab_label(0)->gobj())))
      << "the blank tab is not drawn";
  EXPECT_TRUE(gtk_widget_get_mapped(GTK_WIDGET(tab_view().tab_label(1)->gobj())));
  EXPECT_TRUE(
      WaitFor([&] { return tab_view().tab_label(1)->get_text() == "酒馆社区首页        "; }));
  EXPECT_EQ(address_box().text(), server_.Url("/home"));
  EXPECT_EQ(StatusText(), "准备就绪");
  EXPECT_EQ(FrontTab(), 1);
}

TEST_F(FirstPageTest, WithoutConfigTheFirstTabIsOnTheDefaultHomePage) {
  ASSERT_TRUE(Start(/*wait_for_first_page=*/false));
  ASSERT_EQ(boxes().size(), 1);
  EXPECT_EQ(tabs().CurrentTab(), 1);
  // The host does not resolve here: the tab shows the engine's error page,
  // still at the default address.
  ASSERT_TRUE(WaitFor([&] { return !webkit_web_view_is_loading(ViewOfTab(1)); }));
  EXPECT_EQ(PageOfTab(1).url(), std::string(kDefaultHomePage));
}

TEST_F(FirstPageTest, EnterInTheAddressBoxOpensTabTwoAndKeepsTabOne) {
  WriteHomePage(server_.Url("/home"));
  ASSERT_TRUE(Start());
  OpenTyped(server_.Url("/second"));
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
  ASSERT_TRUE(WaitLoaded(2, server_.Url("/second")));
  EXPECT_EQ(tabs().CurrentTab(), 2);
  EXPECT_EQ(FrontTab(), 2);
  EXPECT_EQ(PageOfTab(1).url(), server_.Url("/home"));
  ASSERT_TRUE(
      WaitFor([&] { return tab_view().tab_label(2)->get_text() == "Second              "; }));
  EXPECT_EQ(address_box().text(), server_.Url("/second"));
}

TEST_F(FirstPageTest, AnAddressWithoutSchemeLoadsAsHttp) {
  WriteHomePage(server_.Url("/home"));
  ASSERT_TRUE(Start());
  const std::string typed = "127.0.0.1:" + std::to_string(server_.port()) + "/second";
  OpenTyped(typed);
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
  EXPECT_EQ(tabs().tab(2).caption, MakeTabCaption(typed)) << "the caption shows it as typed";
  EXPECT_TRUE(WaitLoaded(2, server_.Url("/second")));
}

// Pages that ask for new windows in the ways a page can.
class NewWindowTest : public ProgramOnGtk {
 protected:
  void SetUp() override {
    server_.AddPage("/target", "text/html", Page("Target", "<p>opened</p>"));
    server_.AddPage("/links", "text/html",
                    Page("Links",
                         "<a id=blank href=\"/target\" target=\"_blank\">blank</a>"
                         "<button id=open-button onclick=\"window.open('/target')\">open</button>"
                         "<button id=storm onclick=\"for (let i = 0; i < 50; ++i) "
                         "window.open('/target?' + i)\">storm</button>"));
    server_.AddPage("/opens-on-load", "text/html",
                    Page("Pushy", "<script>window.open('/target')</script>"));
    WriteHomePage(server_.Url("/links"));
  }
};

struct NewWindowCase {
  const char* name;
  const char* script;
};

class NewWindowAsTabTest : public NewWindowTest,
                           public ::testing::WithParamInterface<NewWindowCase> {};

TEST_P(NewWindowAsTabTest, OpensANewCurrentTabAndNoWindow) {
  ASSERT_TRUE(Start());
  const std::string ran = RunScript(1, GetParam().script);
  SCOPED_TRACE("script gave " + ran);
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
  EXPECT_TRUE(WaitLoaded(2, server_.Url("/target")));
  EXPECT_EQ(tabs().CurrentTab(), 2);
  EXPECT_EQ(FrontTab(), 2);
  Linger(std::chrono::milliseconds(200));
  EXPECT_TRUE(OtherWindows().empty()) << "the engine opened a window of its own";
}

INSTANTIATE_TEST_SUITE_P(Cases, NewWindowAsTabTest,
                         ::testing::Values(NewWindowCase{"BlankTarget", "blank.click()"},
                                           NewWindowCase{
                                               "WindowOpenFromAClick",
                                               "document.getElementById('open-button').click()"}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(NewWindowTest, AScriptWithoutAClickOpensNothing) {
  WriteHomePage(server_.Url("/opens-on-load"));
  ASSERT_TRUE(Start());
  Linger(std::chrono::milliseconds(500));
  EXPECT_EQ(boxes().size(), 1);
  EXPECT_TRUE(OtherWindows().empty());
}

TEST_F(NewWindowTest, FiftyWindowsFromOneClickAreBounded) {
  ASSERT_TRUE(Start());
  RunScript(1, "storm.click()");
  Linger(std::chrono::milliseconds(800));
  EXPECT_EQ(boxes().size(), 1 + 4);
  EXPECT_TRUE(OtherWindows().empty());
  // The program still answers: a typed address opens as usual.
  OpenTyped(server_.Url("/target"));
  EXPECT_TRUE(WaitFor([&] { return boxes().size() == 6; }));
}

}  // namespace
}  // namespace tavern::testing
