// Text sizes: each page's own, text only, clamped to 0 to 4.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gtk/local_server.h"
#include "gtk/web_page_fixture.h"

namespace tavern::testing {
namespace {

constexpr char kText[] = R"html(<!DOCTYPE html><html><head><meta charset="utf-8">
<title>text</title></head><body><span id="t">Tavern 酒馆 text size</span></body></html>)html";

double Number(RecordedPage& page, const std::string& script) {
  return std::strtod(RunScript(page.view(), script).c_str(), nullptr);
}

double TextWidth(RecordedPage& page) {
  return Number(page, "document.getElementById('t').getBoundingClientRect().width");
}

class WebPageFontSizeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok());
    server_.AddPage("/text", "text/html", kText);
  }

  LocalServer server_;
};

TEST_F(WebPageFontSizeTest, ALargerSizeGrowsTheTextOfItsOwnPageOnly) {
  RecordedPage changed;
  RecordedPage other;
  ASSERT_TRUE(LoadAndWait(changed, server_.Url("/text")));
  ASSERT_TRUE(LoadAndWait(other, server_.Url("/text")));
  const double medium = TextWidth(changed);
  ASSERT_GT(medium, 0);
  EXPECT_DOUBLE_EQ(TextWidth(other), medium);
  const double viewport = Number(changed, "window.innerWidth");

  changed.page().SetFontSize(4);
  ASSERT_TRUE(WaitUntil([&] { return TextWidth(changed) > medium * 1.3; }))
      << "text width stays " << TextWidth(changed) << " against " << medium;
  EXPECT_EQ(changed.page().FontSize(), 4);
  EXPECT_EQ(Number(changed, "window.innerWidth"), viewport) << "only the text grows";
  EXPECT_DOUBLE_EQ(TextWidth(other), medium);
  EXPECT_EQ(other.page().FontSize(), 2);

  changed.page().SetFontSize(0);
  ASSERT_TRUE(WaitUntil([&] { return TextWidth(changed) < medium * 0.8; }));
}

TEST_F(WebPageFontSizeTest, APageStartsAtTheSizeItWasMadeWith) {
  RecordedPage small(0);
  RecordedPage medium(2);
  ASSERT_TRUE(LoadAndWait(small, server_.Url("/text")));
  ASSERT_TRUE(LoadAndWait(medium, server_.Url("/text")));
  EXPECT_EQ(small.page().FontSize(), 0);
  EXPECT_LT(TextWidth(small), TextWidth(medium) * 0.8);
}

TEST(WebPageFontSizeRangeTest, SizesOutsideTheRangeAreClampedAndEachSizeHasItsOwnZoom) {
  struct Case {
    int asked;
    int kept;
  };
  const Case cases[] = {{-3, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {9, 4}};
  RecordedPage page;
  double previous_zoom = 0;
  for (const Case& c : cases) {
    page.page().SetFontSize(c.asked);
    EXPECT_EQ(page.page().FontSize(), c.kept) << "asked " << c.asked;
    const double zoom = webkit_web_view_get_zoom_level(page.view());
    if (c.asked >= 1 && c.asked <= 4) {
      EXPECT_GT(zoom, previous_zoom) << "size " << c.kept;
    }
    if (c.kept == 2) {
      EXPECT_DOUBLE_EQ(zoom, 1.0);
    }
    previous_zoom = zoom;
  }
  RecordedPage clamped(7);
  EXPECT_EQ(clamped.page().FontSize(), 4);
}

}  // namespace
}  // namespace tavern::testing
