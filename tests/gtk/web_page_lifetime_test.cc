// A page that is destroyed raises nothing afterwards, wherever it was: in
// the middle of a load, inside one of its own events, while its script opens
// windows, or with a save or a print still under way.
#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "components/web_view.h"
#include "gtk/local_server.h"
#include "gtk/web_page_fixture.h"

namespace tavern::testing {
namespace {

constexpr char kStorm[] = R"html(<!DOCTYPE html><html><head><title>storm</title></head>
<body><button id="storm" onclick="for (let i = 0; i < 20; ++i) window.open('/opened?' + i)">
storm</button><script>
setInterval(() => window.open('/uninvited'), 1);
</script></body></html>)html";

class WebPageLifetimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok());
    server_.AddPage("/page", "text/html; charset=utf-8",
                    "<html><head><title>页面</title></head><body>p</body></html>");
    server_.AddPage("/storm", "text/html", kStorm);
    server_.AddStalledPage("/slow", "text/html; charset=utf-8",
                           "<html><head><title>慢</title></head><body>" + std::string(4096, ' '));
  }

  // Lets the engine work on while another page loads, then checks that the
  // destroyed page raised nothing meanwhile.
  void ExpectNothingAfterDestruction(RecordedPage& destroyed) {
    ASSERT_TRUE(destroyed.destroyed());
    RecordedPage clock;
    ASSERT_TRUE(LoadAndWait(clock, server_.Url("/page")));
    ASSERT_TRUE(LoadAndWait(clock, server_.Url("/page?again")));
    const auto& events = destroyed.events();
    const auto late = std::find_if(events.begin(), events.end(),
                                   [](const PageEvent& e) { return e.after_destroy; });
    EXPECT_EQ(late, events.end()) << "event " << late->number << " after the destructor";
  }

  LocalServer server_;
};

TEST_F(WebPageLifetimeTest, DestroyedWhileLoading) {
  RecordedPage page;
  page.page().set_url(server_.Url("/slow"));
  ASSERT_TRUE(WaitUntil([&] { return page.page().Caption() == "慢"; }));
  page.DestroyPage();
  ExpectNothingAfterDestruction(page);
}

class WebPageDestroyedInsideEventTest : public WebPageLifetimeTest,
                                        public ::testing::WithParamInterface<int> {};

TEST_P(WebPageDestroyedInsideEventTest, RaisesNothingAfterwards) {
  RecordedPage page;
  const int number = GetParam();
  page.during_event = [&](const PageEvent& event) {
    if (event.number == number && !page.destroyed()) page.DestroyPage();
  };
  page.page().set_url(server_.Url("/page"));
  ASSERT_TRUE(WaitUntil([&] { return page.destroyed(); })) << "no event " << number;
  ExpectNothingAfterDestruction(page);
}

INSTANTIATE_TEST_SUITE_P(Events, WebPageDestroyedInsideEventTest, ::testing::Values(0, 3, 5, 7, 8),
                         [](const ::testing::TestParamInfo<int>& test) {
                           return "Event" + std::to_string(test.param);
                         });

TEST_F(WebPageLifetimeTest, DestroyedInsideANewWindowEventOfAWindowStorm) {
  RecordedPage page;
  ASSERT_TRUE(LoadAndWait(page, server_.Url("/storm")));
  const std::vector<GtkWindow*> before = Toplevels();
  page.answer_new_window = [](const std::string&) -> HandlerResult { return false; };
  page.during_event = [&](const PageEvent& event) {
    if (event.number == 9 && !page.destroyed()) page.DestroyPage();
  };
  webkit_web_view_evaluate_javascript(page.view(), "document.getElementById('storm').click()", -1,
                                      nullptr, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return page.destroyed(); })) << "no new-window event";
  ExpectNothingAfterDestruction(page);
  EXPECT_EQ(page.Count(9), 1);
  EXPECT_TRUE(OtherToplevels(before).empty());
}

TEST_F(WebPageLifetimeTest, DestroyedWithASaveAndAPrintUnderWay) {
  RecordedPage page;
  ASSERT_TRUE(LoadAndWait(page, server_.Url("/page")));
  const std::string folder = g_get_tmp_dir();
  const std::string pid = std::to_string(::getpid());
  bool called = false;
  page.engine().SaveTo(folder + "/tavern-lifetime-" + pid + ".mhtml", [&](bool) { called = true; });
  page.engine().PrintToPdf(folder + "/tavern-lifetime-" + pid + ".pdf",
                           [&](bool) { called = true; });
  const std::vector<GtkWindow*> before = Toplevels();
  page.page().RunCommand(kPrintPreview);
  page.DestroyPage();
  ExpectNothingAfterDestruction(page);
  EXPECT_FALSE(called) << "a callback reached a destroyed page";
  EXPECT_TRUE(OtherToplevels(before).empty()) << "a preview opened for a destroyed page";
  g_remove((folder + "/tavern-lifetime-" + pid + ".mhtml").c_str());
  g_remove((folder + "/tavern-lifetime-" + pid + ".pdf").c_str());
}

}  // namespace
}  // namespace tavern::testing
