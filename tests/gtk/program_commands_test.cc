#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/product.h"
#include "gtk/program_fixture.h"
#include "settings/settings_window_definition.h"

namespace tavern::testing {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The first descendant of `widget` of GType `type`.
GtkWidget* FindDescendant(GtkWidget* widget, GType type) {
  if (G_TYPE_CHECK_INSTANCE_TYPE(widget, type)) return widget;
  if (!GTK_IS_CONTAINER(widget)) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
  GtkWidget* found = nullptr;
  for (GList* it = children; it != nullptr && found == nullptr; it = it->next) {
    found = FindDescendant(GTK_WIDGET(it->data), type);
  }
  g_list_free(children);
  return found;
}

class CommandsTest : public ProgramOnGtk {
 protected:
  void SetUp() override {
    server_.AddPage("/home", "text/html",
                    Page("Home", "<p id=t style=\"font-size:16px\">Tavern text to measure</p>"));
    WriteHomePage(server_.Url("/home"));
    ASSERT_TRUE(Start());
  }
  double TextHeight(int k) {
    return std::stod(RunScript(k, "document.getElementById('t').getBoundingClientRect().height"));
  }
};

TEST_F(CommandsTest, RefreshLoadsThePageAgain) {
  const int requests = server_.RequestCount("/home");
  Click(toolbar().main_part(4));
  EXPECT_TRUE(WaitFor([&] { return server_.RequestCount("/home") == requests + 1; }));
  SelectMenu("刷新(&R)");
  EXPECT_TRUE(WaitFor([&] { return server_.RequestCount("/home") == requests + 2; }));
}

TEST_F(CommandsTest, ATextSizeChangesTheTextOfTheCurrentPageOnly) {
  OpenTyped(server_.Url("/home"));
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
  ASSERT_TRUE(WaitLoaded(2, server_.Url("/home")));
  const double medium = TextHeight(2);
  SelectMenu("最大(&G)");
  ASSERT_TRUE(WaitFor([&] { return TextHeight(2) > medium * 1.2; }));
  EXPECT_EQ(TextHeight(1), medium) << "the other page keeps its size";
  SelectMenu("最小(&A)");
  EXPECT_TRUE(WaitFor([&] { return TextHeight(2) < medium; }));
}

TEST_F(CommandsTest, TheTextSizeButtonRefreshesAndTheChosenSizeFollows) {
  const int requests = server_.RequestCount("/home");
  const double medium = TextHeight(1);
  WhenPopupOpens([](Gtk::Menu& menu) { ChooseItem(menu, "较大(_L)"); });
  Click(toolbar().main_part(6));
  EXPECT_TRUE(WaitFor([&] { return server_.RequestCount("/home") == requests + 1; }));
  ASSERT_TRUE(WaitLoaded(1, server_.Url("/home")));
  EXPECT_TRUE(WaitFor([&] { return TextHeight(1) > medium; }));
}

TEST_F(CommandsTest, TheArrowShowsTheSizesAndRefreshesNothing) {
  const int requests = server_.RequestCount("/home");
  bool shown = false;
  WhenPopupOpens([&](Gtk::Menu& menu) {
    shown = menu.get_children().size() == 5;
    menu.deactivate();
  });
  Click(toolbar().arrow_part(6));
  ASSERT_TRUE(WaitFor([&] { return shown; }));
  Linger(std::chrono::milliseconds(300));
  EXPECT_EQ(server_.RequestCount("/home"), requests);
}

TEST_F(CommandsTest, SaveAsWritesAFileThatHoldsThePage) {
  const std::string path = run_directory() + "/saved.mhtml";
  WhenWindowOpens([&](GtkWindow* window) {
    ASSERT_TRUE(GTK_IS_FILE_CHOOSER(window));
    auto* chooser = GTK_FILE_CHOOSER(window);
    gtk_file_chooser_set_current_folder(chooser, run_directory().c_str());
    gtk_file_chooser_set_current_name(chooser, "saved.mhtml");
    // The chooser takes a folder asynchronously: answer once it shows it.
    WaitFor([&] {
      gchar* chosen = gtk_file_chooser_get_filename(chooser);
      const bool ready = chosen != nullptr && path == chosen;
      g_free(chosen);
      return ready;
    });
    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_ACCEPT);
  });
  SelectMenu("另存为(&A)");
  ASSERT_TRUE(WaitFor([&] {
    return std::filesystem::exists(path) && ReadFile(path).find("Tavern text") != std::string::npos;
  })) << "no saved page at "
      << path;
}

TEST_F(CommandsTest, PrintPreviewShowsThePagesAsTheyWillPrint) {
  SelectMenu("打印预览(&V)");
  GtkWindow* preview = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    for (GtkWindow* window : OtherWindows()) {
      if (std::string(gtk_window_get_title(window) ? gtk_window_get_title(window) : "") ==
          "打印预览") {
        preview = window;
      }
    }
    return preview != nullptr;
  }));
  auto* view = WEBKIT_WEB_VIEW(FindDescendant(GTK_WIDGET(preview), WEBKIT_TYPE_WEB_VIEW));
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(WaitFor([&] { return webkit_web_view_get_uri(view) != nullptr; }));
  const std::string uri = webkit_web_view_get_uri(view);
  gchar* file = g_filename_from_uri(uri.c_str(), nullptr, nullptr);
  ASSERT_NE(file, nullptr) << uri;
  const std::string pdf = ReadFile(file);
  g_free(file);
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_NE(pdf.find("/Type /Page"), std::string::npos);
  gtk_window_close(preview);
}

TEST_F(CommandsTest, TheAboutBoxShowsItsTextUnderItsCaption) {
  std::string title, text;
  WhenWindowOpens([&](GtkWindow* window) {
    title = gtk_window_get_title(window) ? gtk_window_get_title(window) : "";
    ASSERT_TRUE(GTK_IS_MESSAGE_DIALOG(window));
    gchar* message = nullptr;
    g_object_get(window, "text", &message, nullptr);
    text = message ? message : "";
    g_free(message);
    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
  });
  SelectMenu("关于浏览器(&B)");
  ASSERT_TRUE(WaitFor([&] { return !title.empty(); }));
  EXPECT_EQ(title, "信息：");
  std::string expected(kAboutText);
  std::erase(expected, '\r');
  EXPECT_EQ(text, expected);
  EXPECT_TRUE(WaitFor([&] { return OtherWindows().empty(); }));
  EXPECT_TRUE(main_window().window().get_sensitive());
}

TEST_F(CommandsTest, TheSettingsWindowStoresTheTypedAddress) {
  bool main_disabled = false;
  WhenWindowOpens([&](GtkWindow* window) {
    EXPECT_STREQ(gtk_window_get_title(window), "首页设置");
    main_disabled = !main_window().window().get_sensitive();
    gtk::PlatformWindow* settings = platform_->window(2);
    ASSERT_NE(settings, nullptr);
    auto& edit = dynamic_cast<gtk::EditBoxComponent&>(
        *settings->GetComponent(*settings->FindComponent(kHomePageEditName)));
    EXPECT_EQ(edit.text(), "");
    edit.entry().grab_focus();
    edit.entry().set_text(server_.Url("/elsewhere"));
    PressKey(GTK_WIDGET(edit.entry().gobj()), GDK_KEY_Return);
  });
  SelectMenu("首页设置(&G)");
  ASSERT_TRUE(WaitFor([&] { return main_disabled && OtherWindows().empty(); }));
  EXPECT_TRUE(main_window().window().get_sensitive());
  EXPECT_NE(ReadConfig().find(server_.Url("/elsewhere")), std::string::npos);
  // The running program keeps its home page.
  SelectMenu("首页(&H)");
  ASSERT_TRUE(WaitFor([&] { return boxes().size() == 2; }));
  EXPECT_TRUE(WaitLoaded(2, server_.Url("/home")));
}

}  // namespace
}  // namespace tavern::testing
