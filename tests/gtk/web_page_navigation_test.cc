// Navigation as the handlers see it: the address about to be visited, the
// load's progress, title and end, cancelling, the history, stop and reload.
#include <gtest/gtest.h>

#include <algorithm>

#include "components/web_view.h"
#include "gtk/local_server.h"
#include "gtk/web_page_fixture.h"

namespace tavern::testing {
namespace {

std::string Page(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title +
         "</title></head><body>" + body + "</body></html>";
}

class WebPageNavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok());
    server_.AddPage("/a", "text/html", Page("页面甲", "<a id=\"to-b\" href=\"/b\">b</a>"));
    server_.AddPage("/b", "text/html", Page("页面乙", "b"));
    server_.AddPage("/c", "text/html", Page("页面丙", "c"));
    server_.AddPage("/title", "text/html", Page("酒馆首页 Tavern", "welcome"));
  }

  LocalServer server_;
  RecordedPage page_;
};

TEST_F(WebPageNavigationTest, ALoadRaisesNavigationProgressTitleAndCompletion) {
  const std::string address = server_.Url("/title");
  ASSERT_TRUE(LoadAndWait(page_, address)) << "no document-complete event for " << address;
  ASSERT_TRUE(WaitUntil([&] { return page_.page().Caption() == "酒馆首页 Tavern"; }))
      << "title never arrived, caption is \"" << page_.page().Caption() << "\"";

  ASSERT_NE(page_.Last(0), nullptr);
  EXPECT_EQ(page_.events().front().number, 0) << "the navigation event comes first";
  EXPECT_EQ(page_.Last(0)->url, address);
  EXPECT_EQ(page_.Last(5)->url, address);
  EXPECT_EQ(page_.page().url(), address);

  ASSERT_GT(page_.Count(3), 0);
  for (const PageEvent& event : page_.events()) {
    if (event.number == 3) {
      EXPECT_GE(event.value, 0);
      EXPECT_LE(event.value, 100);
    }
  }
  EXPECT_EQ(page_.Last(3)->value, 100);

  ASSERT_NE(page_.Last(7), nullptr);
  EXPECT_EQ(page_.Last(7)->caption, "酒馆首页 Tavern") << "Caption() during the title event";
}

TEST_F(WebPageNavigationTest, ALinkClickCarriesTheNewAddressWhileTheOldPageIsShown) {
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/a")));
  page_.ClearEvents();
  std::string shown_during_event;
  page_.during_event = [&](const PageEvent& event) {
    if (event.number == 0) shown_during_event = webkit_web_view_get_uri(page_.view());
  };
  RunScript(page_.view(), "document.getElementById('to-b').click()");
  ASSERT_TRUE(WaitUntil([&] { return page_.Last(5) && page_.Last(5)->url == server_.Url("/b"); }));
  EXPECT_EQ(page_.Last(0)->url, server_.Url("/b"));
  EXPECT_EQ(shown_during_event, server_.Url("/a"));
}

TEST_F(WebPageNavigationTest, AnEventHandledInsideAnotherKeepsTheirAddressesApart) {
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/a")));
  // As a handler that shows a message box does: a loop of its own, in which
  // the next page loads and completes.
  std::string before_inner;
  std::string after_inner;
  bool nested = false;
  page_.during_event = [&](const PageEvent& event) {
    if (event.number != 5 || nested) return;
    nested = true;
    page_.page().set_url(server_.Url("/b"));
    before_inner = page_.page().url();
    WaitUntil([&] { return page_.Last(5)->url == server_.Url("/b"); });
    after_inner = page_.page().url();
  };
  page_.page().RunCommand(kRefresh);
  ASSERT_TRUE(WaitUntil([&] { return !after_inner.empty(); }));
  EXPECT_EQ(before_inner, server_.Url("/a"));
  EXPECT_EQ(after_inner, server_.Url("/a")) << "the outer event's address is back";
  EXPECT_EQ(page_.page().url(), server_.Url("/b")) << "outside events: the page's address";
}

TEST_F(WebPageNavigationTest, FalseFromTheNavigationEventCancelsIt) {
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/a")));
  page_.answer_before_navigate = [&](const std::string& address) -> HandlerResult {
    if (address == server_.Url("/b")) return false;
    return std::nullopt;
  };
  page_.ClearEvents();
  page_.page().set_url(server_.Url("/b"));
  // A later navigation that is let through marks the end of the first one.
  ASSERT_TRUE(WaitUntil([&] { return page_.Count(0) == 1; }));
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/c")));

  EXPECT_EQ(server_.RequestCount("/b"), 0);
  for (const PageEvent& event : page_.events()) {
    EXPECT_FALSE(event.number == 5 && event.url == server_.Url("/b"));
    EXPECT_NE(event.caption, "无法打开此网页") << "a cancelled navigation shows no error page";
  }
  EXPECT_EQ(page_.page().url(), server_.Url("/c"));
}

TEST_F(WebPageNavigationTest, TrueFromTheNavigationEventLetsItGoOn) {
  page_.answer_before_navigate = [](const std::string&) -> HandlerResult { return true; };
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/a")));
  EXPECT_EQ(server_.RequestCount("/a"), 1);
}

TEST_F(WebPageNavigationTest, AnAddressWithoutSchemeIsVisitedAsHttp) {
  const std::string typed = "  127.0.0.1:" + std::to_string(server_.port()) + "/b ";
  ASSERT_TRUE(LoadAndWait(page_, typed, server_.Url("/b")));
  EXPECT_EQ(page_.Last(0)->url, server_.Url("/b"));
  EXPECT_EQ(server_.RequestCount("/b"), 1);
}

TEST_F(WebPageNavigationTest, AnEmptyAddressShowsABlankPage) {
  ASSERT_TRUE(LoadAndWait(page_, "   ", "about:blank"));
  EXPECT_EQ(page_.page().url(), "about:blank");
}

TEST_F(WebPageNavigationTest, APageThatNamesNoCharacterSetIsReadAsGbk) {
  const std::string page = "<html><head><title>酒馆首页</title></head><body>g</body></html>";
  gchar* gbk = g_convert(page.c_str(), -1, "GBK", "UTF-8", nullptr, nullptr, nullptr);
  ASSERT_NE(gbk, nullptr);
  server_.AddPage("/gbk", "text/html", gbk);
  g_free(gbk);
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/gbk")));
  ASSERT_TRUE(WaitUntil([&] { return page_.page().Caption() == "酒馆首页"; }))
      << "caption \"" << page_.page().Caption() << "\"";
}

TEST_F(WebPageNavigationTest, HistoryReportsBothCommandsAndGoesBackAndForward) {
  EXPECT_FALSE(page_.page().CanGoBack());
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/a")));
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/b")));
  ASSERT_TRUE(WaitUntil([&] { return page_.page().CanGoBack(); }));

  auto last_state = [&](int command) -> std::optional<bool> {
    for (auto it = page_.events().rbegin(); it != page_.events().rend(); ++it) {
      if (it->number == 8 && it->value == command) return it->enabled;
    }
    return std::nullopt;
  };
  EXPECT_EQ(last_state(kNavigateBack), true);
  EXPECT_EQ(last_state(kNavigateForward), false);

  page_.ClearEvents();
  page_.page().RunCommand(kGoBack);
  ASSERT_TRUE(WaitUntil([&] { return page_.Last(5) && page_.Last(5)->url == server_.Url("/a"); }));
  EXPECT_EQ(last_state(kNavigateBack), false);
  EXPECT_EQ(last_state(kNavigateForward), true);
  EXPECT_FALSE(page_.page().CanGoBack());
  EXPECT_TRUE(page_.page().CanGoForward());
  EXPECT_EQ(page_.Count(8) % 2, 0) << "each history change reports both commands";

  page_.page().RunCommand(kGoForward);
  ASSERT_TRUE(WaitUntil([&] { return page_.Last(5) && page_.Last(5)->url == server_.Url("/b"); }));
  EXPECT_TRUE(page_.page().CanGoBack());
  EXPECT_FALSE(page_.page().CanGoForward());
}

TEST_F(WebPageNavigationTest, ReloadVisitsThePageAgain) {
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/a")));
  page_.ClearEvents();
  page_.page().RunCommand(kRefresh);
  ASSERT_TRUE(WaitUntil([&] { return page_.Count(5) > 0; }));
  EXPECT_EQ(server_.RequestCount("/a"), 2);
  EXPECT_EQ(page_.Last(5)->url, server_.Url("/a"));
}

TEST_F(WebPageNavigationTest, StopEndsALoadWithoutAnErrorPage) {
  // Long enough for the engine to look at the content before the rest.
  server_.AddStalledPage("/slow", "text/html; charset=utf-8",
                         "<html><head><title>慢</title></head><body>" + std::string(4096, ' '));
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/a")));
  page_.ClearEvents();
  page_.page().set_url(server_.Url("/slow"));
  ASSERT_TRUE(WaitUntil([&] { return page_.Last(7) && page_.Last(7)->caption == "慢"; }))
      << "the stalled page never showed its title";
  ASSERT_EQ(page_.Count(5), 0) << "the stalled page must still be loading";
  page_.page().RunCommand(kStop);
  ASSERT_TRUE(WaitUntil([&] { return page_.Count(5) > 0; })) << "a stopped load completes";
  // Give a wrongly shown error page the time to arrive before looking.
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/c")));
  for (const PageEvent& event : page_.events()) {
    EXPECT_NE(event.caption, "无法打开此网页");
  }
}

}  // namespace
}  // namespace tavern::testing
