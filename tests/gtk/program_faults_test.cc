#include <gtest/gtest.h>

#include <string>

#include "gtk/program_fixture.h"

namespace tavern::testing {
namespace {

class FaultsTest : public ProgramOnGtk {
 protected:
  void SetUp() override {
    server_.AddPage("/home", "text/html", Page("Home", "<p>home</p>"));
    server_.AddPage("/second", "text/html", Page("Second", "<p>second</p>"));
    WriteHomePage(server_.Url("/home"));
    ASSERT_TRUE(Start());
  }
  bool CaptionStartsWith(int k, const std::string& text) {
    return tabs().tab(k).caption.rfind(text, 0) == 0;
  }
};

// The engine process of the front page dies: that tab and the status bar
// say so, the other tab and the program go on, and refresh brings the
// page back.
TEST_F(FaultsTest, AnEndedEngineProcessLeavesTheOtherTabsAndRefreshRecovers) {
  OpenTyped(server_.Url("/second"));
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
  ASSERT_TRUE(WaitLoaded(2, server_.Url("/second")));
  const int requests = server_.RequestCount("/second");

  webkit_web_view_terminate_web_process(ViewOfTab(2));
  ASSERT_TRUE(WaitFor([&] { return CaptionStartsWith(2, "无法打开此网页"); }))
      << "caption \"" << tabs().tab(2).caption << "\"";
  EXPECT_TRUE(WaitFor([&] { return StatusText() == "显示此网页的进程已被终止"; }))
      << "status \"" << StatusText() << "\"";
  EXPECT_EQ(RunScript(1, "document.title"), "Home");
  EXPECT_EQ(FrontTab(), 2);

  Click(toolbar().main_part(4));
  EXPECT_TRUE(WaitFor([&] { return server_.RequestCount("/second") == requests + 1; }));
  EXPECT_TRUE(WaitFor([&] { return CaptionStartsWith(2, "Second"); }))
      << "caption \"" << tabs().tab(2).caption << "\"";
}

}  // namespace
}  // namespace tavern::testing
