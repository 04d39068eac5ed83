// Saving, printing, the print preview and the page setup of a page.
#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <gtk/gtkunixprint.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "components/web_view.h"
#include "gtk/local_server.h"
#include "gtk/web_page_fixture.h"

namespace tavern::testing {
namespace {

constexpr char kPage[] = R"html(<!DOCTYPE html><html><head><meta charset="utf-8">
<title>存档 page</title></head><body><h1>Tavern</h1>
<p>tavern-save-marker</p><p>酒馆的页面</p></body></html>)html";

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

int PdfPageCount(const std::string& pdf) {
  static const std::regex kPageObject(R"(/Type\s*/Page[^s])");
  return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), kPageObject),
                                        std::sregex_iterator()));
}

std::vector<std::filesystem::path> PreviewFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(g_get_tmp_dir())) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("tavern-preview-") && name.ends_with(".pdf")) {
      files.push_back(entry.path());
    }
  }
  return files;
}

// A shown window that was not there before and that `is_wanted` picks;
// null when none came.
template <typename Predicate>
GtkWindow* WaitForWindow(const std::vector<GtkWindow*>& before, Predicate is_wanted) {
  GtkWindow* found = nullptr;
  WaitUntil([&] {
    for (GtkWindow* window : OtherToplevels(before)) {
      if (is_wanted(window)) found = window;
    }
    return found != nullptr;
  });
  return found;
}

// Cancels the print dialog once it shows. The dialog runs a loop of its own
// inside the call that opens it, so it is answered from a timer.
class PrintDialogAnswer {
 public:
  PrintDialogAnswer() : timer_(g_timeout_add(50, &PrintDialogAnswer::Look, this)) {}
  ~PrintDialogAnswer() {
    if (!answered_) g_source_remove(timer_);
  }
  PrintDialogAnswer(const PrintDialogAnswer&) = delete;
  PrintDialogAnswer& operator=(const PrintDialogAnswer&) = delete;

  bool answered() const { return answered_; }
  // The window the dialog was shown over.
  GtkWindow* parent() const { return parent_; }

 private:
  static gboolean Look(gpointer data) {
    auto* self = static_cast<PrintDialogAnswer*>(data);
    for (GtkWindow* window : Toplevels()) {
      if (GTK_IS_PRINT_UNIX_DIALOG(window) && gtk_widget_get_visible(GTK_WIDGET(window))) {
        self->parent_ = gtk_window_get_transient_for(window);
        self->answered_ = true;
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CANCEL);
        return G_SOURCE_REMOVE;
      }
    }
    return G_SOURCE_CONTINUE;
  }

  guint timer_;
  bool answered_ = false;
  GtkWindow* parent_ = nullptr;
};

// The button in `widget` whose label is `label`; null when there is none.
GtkButton* FindButton(GtkWidget* widget, const char* label) {
  if (GTK_IS_BUTTON(widget) && g_strcmp0(gtk_button_get_label(GTK_BUTTON(widget)), label) == 0) {
    return GTK_BUTTON(widget);
  }
  if (!GTK_IS_CONTAINER(widget)) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
  GtkButton* found = nullptr;
  for (GList* child = children; child != nullptr && found == nullptr; child = child->next) {
    found = FindButton(GTK_WIDGET(child->data), label);
  }
  g_list_free(children);
  return found;
}

class WebPageSavePrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ok());
    server_.AddPage("/page", "text/html", kPage);
    folder_ =
        std::filesystem::path(g_get_tmp_dir()) / ("tavern-save-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void LoadPage() {
    ASSERT_TRUE(LoadAndWait(page_, server_.Url("/page")));
    ASSERT_TRUE(WaitUntil([&] { return page_.page().Caption() == "存档 page"; }));
  }

  LocalServer server_;
  RecordedPage page_;
  std::filesystem::path folder_;
};

TEST_F(WebPageSavePrintTest, SaveToWritesTheWholePageAsMhtml) {
  LoadPage();
  const std::filesystem::path path = folder_ / "saved.mhtml";
  std::optional<bool> saved;
  page_.engine().SaveTo(path.string(), [&](bool ok) { saved = ok; });
  ASSERT_TRUE(WaitUntil([&] { return saved.has_value(); })) << "saving never finished";
  ASSERT_TRUE(*saved);
  const std::string content = ReadFile(path);
  EXPECT_NE(content.find("MIME-Version"), std::string::npos);
  EXPECT_NE(content.find("tavern-save-marker"), std::string::npos);
}

TEST_F(WebPageSavePrintTest, SaveAsAsksForAFileNamedAfterTheTitleAndSavesThere) {
  LoadPage();
  const std::vector<GtkWindow*> before = Toplevels();
  page_.page().RunCommand(kSaveAs);
  GtkWindow* dialog = WaitForWindow(before, [](GtkWindow* w) { return GTK_IS_FILE_CHOOSER(w); });
  ASSERT_NE(dialog, nullptr) << "no file chooser";
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  // A modal dialog left open would hold up the tests after this one.
  const auto close_dialog = [&] { gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL); };
  EXPECT_EQ(gtk_file_chooser_get_action(chooser), GTK_FILE_CHOOSER_ACTION_SAVE);
  EXPECT_TRUE(gtk_file_chooser_get_do_overwrite_confirmation(chooser));
  gchar* name = gtk_file_chooser_get_current_name(chooser);
  EXPECT_STREQ(name, "存档 page.mhtml");
  g_free(name);
  EXPECT_EQ(gtk_window_get_transient_for(dialog), page_.window());

  const std::filesystem::path path = folder_ / "chosen.mhtml";
  gtk_file_chooser_set_current_folder(chooser, folder_.c_str());
  gtk_file_chooser_set_current_name(chooser, "chosen.mhtml");
  const bool in_folder = WaitUntil([&] {
    gchar* chosen = gtk_file_chooser_get_filename(chooser);
    const bool there = chosen != nullptr && path == chosen;
    g_free(chosen);
    return there;
  });
  if (!in_folder) close_dialog();
  ASSERT_TRUE(in_folder) << "the chooser never went to " << folder_;
  gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  ASSERT_TRUE(WaitUntil([&] {
    return std::filesystem::exists(path) && std::filesystem::file_size(path) > 0 &&
           ReadFile(path).find("tavern-save-marker") != std::string::npos;
  })) << "nothing saved at "
      << path;
}

TEST_F(WebPageSavePrintTest, PrintToPdfGivesThePagesAsTheyWillPrint) {
  LoadPage();
  const std::filesystem::path path = folder_ / "printed.pdf";
  std::optional<bool> printed;
  page_.engine().PrintToPdf(path.string(), [&](bool ok) { printed = ok; });
  ASSERT_TRUE(WaitUntil([&] { return printed.has_value(); })) << "printing never finished";
  ASSERT_TRUE(*printed);
  const std::string pdf = ReadFile(path);
  ASSERT_TRUE(pdf.starts_with("%PDF")) << "not a PDF: " << pdf.substr(0, 16);
  EXPECT_GE(PdfPageCount(pdf), 1);
}

TEST_F(WebPageSavePrintTest, ThePreviewShowsAPdfInItsOwnWindowAndRemovesItWhenClosed) {
  LoadPage();
  const std::vector<std::filesystem::path> files_before = PreviewFiles();
  const std::vector<GtkWindow*> before = Toplevels();
  page_.page().RunCommand(kPrintPreview);
  GtkWindow* preview = WaitForWindow(
      before, [](GtkWindow* w) { return g_strcmp0(gtk_window_get_title(w), "打印预览") == 0; });
  ASSERT_NE(preview, nullptr) << "no preview window";
  const std::vector<std::filesystem::path> files = PreviewFiles();
  ASSERT_EQ(files.size(), files_before.size() + 1);
  EXPECT_GE(PdfPageCount(ReadFile(files.back())), 1);

  GtkButton* print = FindButton(GTK_WIDGET(preview), "打印(_P)…");
  ASSERT_NE(print, nullptr);
  {
    PrintDialogAnswer answer;
    gtk_button_clicked(print);
    EXPECT_TRUE(answer.answered()) << "printing from the preview shows no print dialog";
    EXPECT_EQ(answer.parent(), preview);
  }

  gtk_window_close(preview);
  ASSERT_TRUE(WaitUntil([&] { return PreviewFiles().size() == files_before.size(); }))
      << "the preview's PDF stays behind";
}

TEST_F(WebPageSavePrintTest, APreviewThatOutlivesItsPageNoLongerPrints) {
  LoadPage();
  const std::vector<GtkWindow*> before = Toplevels();
  page_.page().RunCommand(kPrintPreview);
  GtkWindow* preview = WaitForWindow(
      before, [](GtkWindow* w) { return g_strcmp0(gtk_window_get_title(w), "打印预览") == 0; });
  ASSERT_NE(preview, nullptr) << "no preview window";
  page_.DestroyPage();
  GtkButton* print = FindButton(GTK_WIDGET(preview), "打印(_P)…");
  ASSERT_NE(print, nullptr);
  {
    PrintDialogAnswer answer;
    // A print dialog would run inside the click, and be answered there.
    gtk_button_clicked(print);
    EXPECT_FALSE(answer.answered()) << "a print dialog for a page that is gone";
  }
  EXPECT_FALSE(gtk_widget_get_sensitive(GTK_WIDGET(print)));
  gtk_window_close(preview);
  ASSERT_TRUE(WaitUntil([&] { return OtherToplevels(before).empty(); }));
}

TEST_F(WebPageSavePrintTest, TheChosenPageSetupIsUsedByLaterPrints) {
  LoadPage();
  const std::vector<GtkWindow*> before = Toplevels();
  page_.page().RunCommand(kPageSetup);
  GtkWindow* dialog =
      WaitForWindow(before, [](GtkWindow* w) { return GTK_IS_PAGE_SETUP_UNIX_DIALOG(w); });
  ASSERT_NE(dialog, nullptr) << "no page setup dialog";
  GtkPageSetup* landscape = gtk_page_setup_new();
  gtk_page_setup_set_orientation(landscape, GTK_PAGE_ORIENTATION_LANDSCAPE);
  gtk_page_setup_unix_dialog_set_page_setup(GTK_PAGE_SETUP_UNIX_DIALOG(dialog), landscape);
  g_object_unref(landscape);
  gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);

  const std::filesystem::path path = folder_ / "landscape.pdf";
  std::optional<bool> printed;
  page_.engine().PrintToPdf(path.string(), [&](bool ok) { printed = ok; });
  ASSERT_TRUE(WaitUntil([&] { return printed.has_value(); }));
  const std::string pdf = ReadFile(path);
  std::smatch box;
  ASSERT_TRUE(
      std::regex_search(pdf, box, std::regex(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+))")));
  EXPECT_GT(std::stod(box[1]), std::stod(box[2])) << "the page is not landscape";
}

TEST_F(WebPageSavePrintTest, PrintShowsThePrintDialogOverThePage) {
  LoadPage();
  const std::vector<GtkWindow*> before = Toplevels();
  PrintDialogAnswer answer;
  page_.page().RunCommand(kPrint);
  EXPECT_TRUE(answer.answered()) << "no print dialog";
  EXPECT_EQ(answer.parent(), page_.window());
  EXPECT_TRUE(OtherToplevels(before).empty());
}

TEST_F(WebPageSavePrintTest, DocumentCommandsDoNothingBeforeAnythingIsLoaded) {
  const std::vector<GtkWindow*> before = Toplevels();
  for (const int code :
       std::initializer_list<int>{kSaveAs, kPrint, kPrintPreview, kPageSetup, 2, 3, 10, -1}) {
    page_.page().RunCommand(code);
  }
  // A load shows the engine at work meanwhile; then nothing may have opened.
  LoadPage();
  EXPECT_TRUE(OtherToplevels(before).empty());
}

}  // namespace
}  // namespace tavern::testing
