#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "gtk/program_fixture.h"

extern char** environ;

namespace tavern::testing {
namespace {

// Three pages open: tab 1 the home page, tabs 2 and 3 typed.
class TabsTest : public ProgramOnGtk {
 protected:
  void SetUp() override {
    for (const char* name : {"/one", "/two", "/three"}) {
      server_.AddPage(name, "text/html", Page(std::string("Page ") + (name + 1), "<p>text</p>"));
    }
    server_.AddStalledPage("/slow", "text/html", "<html><head><title>Slow</title></head><body>");
    WriteHomePage(server_.Url("/one"));
    ASSERT_TRUE(Start());
    OpenTyped(server_.Url("/two"));
    ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
    OpenTyped(server_.Url("/three"));
    ASSERT_TRUE(WaitFor([&] { return boxes().size() == 3; }));
    ASSERT_TRUE(WaitLoaded(2, server_.Url("/two")));
    ASSERT_TRUE(WaitLoaded(3, server_.Url("/three")));
  }
  // Right-clicks tab `index` and chooses "关闭当前页" in the pop-up.
  void CloseFromTab(int index) {
    const int before = boxes().size();
    WhenPopupOpens([](Gtk::Menu& menu) { ChooseItem(menu, "关闭当前页"); });
    ClickTab(index, 3);
    ASSERT_TRUE(WaitFor([&] { return boxes().size() == before - 1; }));
  }
};

TEST_F(TabsTest, ClickingATabShowsItsPageAndAddress) {
  ClickTab(1);
  ASSERT_TRUE(WaitFor([&] { return tabs().CurrentTab() == 1; }));
  EXPECT_EQ(FrontTab(), 1);
  EXPECT_EQ(address_box().text(), server_.Url("/one"));
  EXPECT_EQ(PageOfTab(1).width(), platform_->ClientWidth(1) - 1);
}

TEST_F(TabsTest, ClosingInTheMiddleShowsTheFollowingPage) {
  ClickTab(2);
  ASSERT_TRUE(WaitFor([&] { return tabs().CurrentTab() == 2; }));
  CloseFromTab(2);
  EXPECT_EQ(tabs().CurrentTab(), 2);
  EXPECT_EQ(PageOfTab(2).url(), server_.Url("/three"));
  EXPECT_EQ(FrontTab(), 2);
  EXPECT_EQ(address_box().text(), server_.Url("/three"));
}

TEST_F(TabsTest, TheMenuOverAnotherTabClosesTheCurrentOne) {
  CloseFromTab(1);
  EXPECT_EQ(boxes().size(), 2);
  EXPECT_EQ(PageOfTab(1).url(), server_.Url("/one"));
  EXPECT_EQ(PageOfTab(2).url(), server_.Url("/two"));
  EXPECT_EQ(tabs().CurrentTab(), 1) << "the last tab closed: tab 1 becomes current";
  EXPECT_EQ(FrontTab(), 1);
}

TEST_F(TabsTest, ClosingTheOnlyPageLeavesTheBlankTabAlone) {
  CloseFromTab(3);
  CloseFromTab(2);
  address_box().set_text("kept");
  CloseFromTab(1);
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(tabs().TabCount(), 1);
  EXPECT_EQ(tabs().CurrentTab(), 0);
  EXPECT_TRUE(gtk_widget_get_mapped(GTK_WIDGET(tab_view().tab_label(0)->gobj())));
  EXPECT_EQ(address_box().text(), "kept");
  // With no page the pop-up's item does nothing.
  WhenPopupOpens([](Gtk::Menu& menu) { ChooseItem(menu, "关闭当前页"); });
  ClickTab(0, 3);
  Linger(std::chrono::milliseconds(200));
  EXPECT_EQ(tabs().TabCount(), 1);
}

TEST_F(TabsTest, ARightClickOverTheEmptyPartShowsNoMenu) {
  GtkWidget* strip = GTK_WIDGET(tab_view().widget().gobj());
  GtkAllocation box;
  gtk_widget_get_allocation(strip, &box);
  // Far right of the strip, where no tab is.
  int x = 0, y = 0;
  gtk_widget_translate_coordinates(strip, GTK_WIDGET(main_window().window().gobj()), box.width - 10,
                                   box.height / 2, &x, &y);
  bool popped = false;
  WhenPopupOpens([&](Gtk::Menu& menu) {
    popped = true;
    menu.deactivate();
  });
  int origin_x = 0, origin_y = 0;
  gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(main_window().window().gobj())), &origin_x,
                        &origin_y);
  ClickAt({origin_x + x, origin_y + y}, 3);
  Linger(std::chrono::milliseconds(300));
  EXPECT_FALSE(popped);
  EXPECT_EQ(boxes().size(), 3);
}

TEST_F(TabsTest, ClosingAPageWhileItLoadsIsSafe) {
  OpenTyped(server_.Url("/slow"));
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 4; }));
  ASSERT_TRUE(WaitFor([&] { return webkit_web_view_is_loading(ViewOfTab(4)); }));
  CloseFromTab(4);
  Linger(std::chrono::milliseconds(300));
  EXPECT_EQ(tabs().CurrentTab(), 1);
  EXPECT_EQ(StatusText().find("Slow"), std::string::npos);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(tabs().tab(k).caption.rfind("Page", 0), 0u);
}

TEST_F(TabsTest, OnlyTheFrontPageIsOnScreen) {
  EXPECT_EQ(FrontTab(), 3);
  ClickTab(2);
  ASSERT_TRUE(WaitFor([&] { return FrontTab() == 2; }));
  EXPECT_EQ(RunScript(3, "document.visibilityState"), "hidden");
  EXPECT_EQ(RunScript(2, "document.visibilityState"), "visible");
}

// A window manager, so that the window can be maximised.
class WindowManager {
 public:
  WindowManager() {
    const char* argv[] = {"openbox", "--sm-disable", nullptr};
    if (posix_spawnp(&pid_, "openbox", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
      pid_ = 0;
    }
    Linger(std::chrono::milliseconds(700));
  }
  ~WindowManager() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  bool running() const { return pid_ != 0; }

 private:
  pid_t pid_ = 0;
};

TEST_F(TabsTest, TheLayoutFollowsMaximiseAndRestore) {
  WindowManager manager;
  ASSERT_TRUE(manager.running());
  const int normal_width = platform_->ClientWidth(1);
  Gtk::Window& window = main_window().window();
  window.maximize();
  ASSERT_TRUE(WaitFor([&] { return platform_->ClientWidth(1) > normal_width + 100; }))
      << "the window manager did not maximise the window";
  const auto fitted = [&](int k) {
    const int width = platform_->ClientWidth(1);
    return PageOfTab(k).width() == width - 1 && tab_strip_component().width() == width - 1 &&
           address_box().width() == std::max(50, width - 10 - 280);
  };
  EXPECT_TRUE(WaitFor([&] { return fitted(3); }));
  const int maximised_page_width = PageOfTab(3).width();
  EXPECT_LT(PageOfTab(1).width(), maximised_page_width) << "pages behind keep their size";
  window.unmaximize();
  ASSERT_TRUE(WaitFor([&] { return platform_->ClientWidth(1) == normal_width; }))
      << "the window did not come back to its size";
  EXPECT_TRUE(WaitFor([&] { return fitted(3); }));
  ClickTab(1);
  EXPECT_TRUE(WaitFor([&] { return fitted(1); }));
}

}  // namespace
}  // namespace tavern::testing
