// The status text follows the link under the pointer, and changes raise the
// status-text event once each.
#include <gtest/gtest.h>

#include "gtk/local_server.h"
#include "gtk/web_page_fixture.h"

namespace tavern::testing {
namespace {

constexpr char kLinks[] = R"html(<!DOCTYPE html><html><head><title>links</title>
<style>body{margin:0} a{position:absolute;display:block;width:200px;height:40px}</style>
</head><body><a id="one" href="/one" style="left:20px;top:20px">one</a>
<a id="two" href="/two" style="left:20px;top:120px">two</a></body></html>)html";

class WebPageStatusTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok());
    server_.AddPage("/links", "text/html", kLinks);
    ASSERT_TRUE(LoadAndWait(page_, server_.Url("/links")));
    // The page must be on screen for the pointer to reach it.
    ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(page_.page().widget()); }));
  }

  // Moves the real pointer to (x, y) in the page.
  void PointAt(int x, int y) {
    GtkWidget* view = page_.page().widget();
    int origin_x = 0;
    int origin_y = 0;
    gdk_window_get_origin(gtk_widget_get_window(view), &origin_x, &origin_y);
    GtkAllocation allocation;
    gtk_widget_get_allocation(view, &allocation);
    GdkDisplay* display = gtk_widget_get_display(view);
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
    gdk_device_warp(pointer, gtk_widget_get_screen(view), origin_x + allocation.x + x,
                    origin_y + allocation.y + y);
    gdk_display_flush(display);
  }

  bool WaitForStatusText(const std::string& text) {
    return WaitUntil([&] { return page_.Last(6) && page_.Last(6)->status_text == text; });
  }

  LocalServer server_;
  RecordedPage page_;
};

TEST_F(WebPageStatusTextTest, FollowsTheLinkUnderThePointer) {
  EXPECT_EQ(page_.page().StatusText(), "");
  PointAt(60, 40);
  ASSERT_TRUE(WaitForStatusText(server_.Url("/one")))
      << "status text \"" << page_.page().StatusText() << "\"";
  EXPECT_EQ(page_.page().StatusText(), server_.Url("/one"));

  PointAt(80, 45);  // Still on the same link: nothing changes.
  PointAt(60, 140);
  ASSERT_TRUE(WaitForStatusText(server_.Url("/two")));
  EXPECT_EQ(page_.Count(6), 2) << "one event per change";

  PointAt(500, 400);
  ASSERT_TRUE(WaitForStatusText(""));
  EXPECT_EQ(page_.page().StatusText(), "");
  EXPECT_EQ(page_.Count(6), 3);
}

}  // namespace
}  // namespace tavern::testing
