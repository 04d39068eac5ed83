// Pages that ask for a new window: the address the event carries, the
// answer false keeping the engine's window away, and scripts that try to
// open windows on their own.
#include <gtest/gtest.h>

#include "gtk/local_server.h"
#include "gtk/web_page_fixture.h"

namespace tavern::testing {
namespace {

constexpr char kOpener[] = R"html(<!DOCTYPE html><html><head><meta charset="utf-8">
<title>opener</title></head><body>
<a id="blank" href="/target" target="_blank">new window</a>
<button id="open" onclick="window.open('/opened')">open</button>
</body></html>)html";

// Opens a window as soon as it loads, with no user gesture, then tells so
// in its title.
constexpr char kOpensByItself[] = R"html(<!DOCTYPE html><html><head><meta charset="utf-8">
<title>loading</title></head><body><script>
window.addEventListener('load', () => setTimeout(() => {
  const opened = window.open('/auto');
  document.title = opened ? 'opened' : 'blocked';
}, 0));
</script></body></html>)html";

constexpr char kTarget[] = "<html><head><title>target</title></head><body>t</body></html>";

class WebPageNewWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok());
    server_.AddPage("/opener", "text/html", kOpener);
    server_.AddPage("/by-itself", "text/html", kOpensByItself);
    for (const char* path : {"/target", "/opened", "/auto"}) {
      server_.AddPage(path, "text/html", kTarget);
    }
    ASSERT_TRUE(LoadAndWait(page_, server_.Url("/opener")));
    page_.ClearEvents();
  }

  LocalServer server_;
  RecordedPage page_;
};

struct NewWindowCase {
  const char* name;
  const char* script;
  const char* path;
  friend void PrintTo(const NewWindowCase& c, std::ostream* out) { *out << c.name; }
};

class WebPageNewWindowRequestTest : public WebPageNewWindowTest,
                                    public ::testing::WithParamInterface<NewWindowCase> {};

TEST_P(WebPageNewWindowRequestTest, FalseOpensNoWindowAndStatusTextHeldTheAddress) {
  page_.answer_new_window = [](const std::string&) -> HandlerResult { return false; };
  const std::vector<GtkWindow*> before = Toplevels();
  RunScript(page_.view(), GetParam().script);
  ASSERT_TRUE(WaitUntil([&] { return page_.Count(9) > 0; })) << "no new-window event";
  EXPECT_EQ(page_.Last(9)->status_text, server_.Url(GetParam().path));
  EXPECT_EQ(page_.page().StatusText(), "") << "the address is there only during the event";

  // The page's own next load shows that the engine has moved on.
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/opener")));
  EXPECT_EQ(page_.Count(9), 1);
  EXPECT_TRUE(OtherToplevels(before).empty());
  EXPECT_EQ(server_.RequestCount(GetParam().path), 0);
}

TEST_P(WebPageNewWindowRequestTest, NoValueLetsAWindowOfItsOwnOpenThePage) {
  const std::vector<GtkWindow*> before = Toplevels();
  RunScript(page_.view(), GetParam().script);
  ASSERT_TRUE(WaitUntil([&] { return !OtherToplevels(before).empty(); })) << "no window was shown";
  ASSERT_TRUE(WaitUntil([&] { return server_.RequestCount(GetParam().path) == 1; }));
  EXPECT_EQ(page_.Count(9), 1);
  EXPECT_EQ(page_.page().url(), server_.Url("/opener")) << "the opener stays where it was";

  for (GtkWindow* window : OtherToplevels(before)) gtk_window_close(window);
  ASSERT_TRUE(WaitUntil([&] { return OtherToplevels(before).empty(); }));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, WebPageNewWindowRequestTest,
    ::testing::Values(NewWindowCase{"BlankTargetLink", "document.getElementById('blank').click()",
                                    "/target"},
                      NewWindowCase{"WindowOpenFromAClick",
                                    "document.getElementById('open').click()", "/opened"}),
    [](const ::testing::TestParamInfo<NewWindowCase>& test) { return test.param.name; });

TEST_F(WebPageNewWindowTest, AScriptCannotOpenAWindowWithoutTheUser) {
  ASSERT_TRUE(LoadAndWait(page_, server_.Url("/by-itself")));
  ASSERT_TRUE(WaitUntil([&] {
    return page_.page().Caption() == "blocked" || page_.page().Caption() == "opened";
  })) << "the page's script never ran, caption \""
      << page_.page().Caption() << "\"";
  EXPECT_EQ(page_.page().Caption(), "blocked");
  EXPECT_EQ(page_.Count(9), 0);
  EXPECT_EQ(server_.RequestCount("/auto"), 0);
}

}  // namespace
}  // namespace tavern::testing
