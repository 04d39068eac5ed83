#pragma once

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gtk/web_page.h"
#include "gtk/web_page_print_setup.h"

namespace tavern::gtk {

// The page that WebPage::Create makes: one WebKitWebView with settings of
// its own, its signals turned into the page's events.
class EnginePage final : public WebPage {
 public:
  EnginePage(int font_size, Events events);
  ~EnginePage() override;
  EnginePage(const EnginePage&) = delete;
  EnginePage& operator=(const EnginePage&) = delete;

  GtkWidget* widget() override;
  std::string url() const override;
  void set_url(std::string_view address) override;
  std::string StatusText() const override;
  std::string Caption() const override;
  int FontSize() const override;
  void SetFontSize(int size) override;
  void RunCommand(int code) override;
  bool CanGoBack() const override;
  bool CanGoForward() const override;

  // Saves the page as one MHTML file at `path`, as "save as" does once a
  // path is chosen. `done` gets whether it was saved, unless the page is gone.
  void SaveTo(const std::string& path, std::function<void(bool saved)> done);
  // Prints the page with its page setup into a PDF file at `path`, as the
  // print preview does. `done` gets whether it was printed, unless the page
  // is gone.
  void PrintToPdf(const std::string& path, std::function<void(bool printed)> done);

 private:
  std::string ViewUri() const;
  std::string ViewTitle() const;
  bool HasDocument() const;
  // The window the page is in, for dialogs; null when it is in none.
  GtkWindow* Toplevel() const;
  void ShowErrorPage(const std::string& address, const std::string& reason);
  // Takes `text` as the page's status text, telling the program when it changed.
  void ChangeStatusText(std::string text);
  void StopLoading();

  void SaveAs();
  void Print(GtkWindow* parent);
  void PrintPreview();
  void PageSetup();

  static gboolean OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                 WebKitPolicyDecisionType type, gpointer data);
  static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data);
  static gboolean OnLoadFailed(WebKitWebView* view, WebKitLoadEvent event, gchar* failing_uri,
                               GError* error, gpointer data);
  static gboolean OnLoadFailedWithTlsErrors(WebKitWebView* view, gchar* failing_uri,
                                            GTlsCertificate* certificate,
                                            GTlsCertificateFlags errors, gpointer data);
  static void OnProgressChanged(GObject* view, GParamSpec* property, gpointer data);
  static void OnTitleChanged(GObject* view, GParamSpec* property, gpointer data);
  static void OnMouseTargetChanged(WebKitWebView* view, WebKitHitTestResult* hit, guint modifiers,
                                   gpointer data);
  static void OnHistoryChanged(WebKitBackForwardList* list, WebKitBackForwardListItem* added,
                               gpointer removed, gpointer data);
  static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data);
  static void OnWebProcessTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason,
                                     gpointer data);
  static void OnPageSetupDone(GtkPageSetup* page_setup, gpointer data);

  const Events events_;
  // False from the start of the destructor on; callbacks that arrive later
  // hold a copy and find the page gone.
  const std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  WebKitWebView* const view_;
  WebKitBackForwardList* const history_;
  int font_size_;
  std::string status_text_;
  // The values that the event being handled now carries.
  std::optional<std::string> event_url_;
  std::optional<std::string> event_caption_;
  std::optional<std::string> event_status_text_;
  // Whether a load has started (or an error page is coming in) and not yet
  // finished.
  bool loading_ = false;
  // Whether any load of this view has committed a document.
  bool committed_ = false;
  // The address of a load that failed, until its end has been reported.
  std::string failed_uri_;
  // What the status bar is told once the next load has finished: why the
  // page's engine process ended, after its error page is in.
  std::string status_after_load_;
  PrintSetup print_setup_;
};

}  // namespace tavern::gtk
