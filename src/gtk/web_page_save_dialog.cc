#include "gtk/web_page_save_dialog.h"

#include <memory>
#include <utility>

namespace tavern::gtk {
namespace {

struct Question {
  std::function<void(const std::string&)> chosen;
};

void OnResponse(GtkDialog* dialog, gint response, gpointer data) {
  std::unique_ptr<Question> question(static_cast<Question*>(data));
  std::string path;
  if (response == GTK_RESPONSE_ACCEPT) {
    gchar* filename = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
    if (filename != nullptr) path = filename;
    g_free(filename);
  }
  gtk_widget_destroy(GTK_WIDGET(dialog));
  if (!path.empty() && question->chosen) question->chosen(path);
}

GtkFileFilter* MhtmlFilter() {
  GtkFileFilter* filter = gtk_file_filter_new();
  gtk_file_filter_set_name(filter, "网页，单个文件 (*.mhtml)");
  gtk_file_filter_add_pattern(filter, "*.mhtml");
  gtk_file_filter_add_pattern(filter, "*.mht");
  return filter;
}

const char* StartFolder() {
  const char* downloads = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
  if (downloads != nullptr && g_file_test(downloads, G_FILE_TEST_IS_DIR)) return downloads;
  return g_get_home_dir();
}

}  // namespace

void AskWhereToSave(GtkWindow* parent, const std::string& default_name,
                    std::function<void(const std::string& path)> chosen) {
  GtkWidget* dialog =
      gtk_file_chooser_dialog_new("另存为", parent, GTK_FILE_CHOOSER_ACTION_SAVE, "取消(_C)",
                                  GTK_RESPONSE_CANCEL, "保存(_S)", GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
  gtk_file_chooser_set_current_folder(chooser, StartFolder());
  gtk_file_chooser_set_current_name(chooser, default_name.c_str());
  gtk_file_chooser_add_filter(chooser, MhtmlFilter());
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  g_signal_connect(dialog, "response", G_CALLBACK(OnResponse), new Question{std::move(chosen)});
  gtk_widget_show(dialog);
}

}  // namespace tavern::gtk
