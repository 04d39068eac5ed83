#include "gtk/web_page_engine.h"

#include <glibmm/main.h>

#include <glib/gstdio.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "components/web_view.h"
#include "gtk/error_page.h"
#include "gtk/print_preview_pdf.h"
#include "gtk/print_preview_window.h"
#include "gtk/web_page_address.h"
#include "gtk/web_page_event_value.h"
#include "gtk/web_page_load_error.h"
#include "gtk/web_page_popup_window.h"
#include "gtk/web_page_save.h"
#include "gtk/web_page_save_dialog.h"
#include "gtk/web_page_silence.h"
#include "gtk/web_page_zoom.h"

namespace tavern::gtk {
namespace {

WebKitWebView* NewView() {
  // Settings of its own, so that a text size stays with its page. Pages
  // that declare no character set are read as the program's GBK.
  WebKitSettings* settings = webkit_settings_new_with_settings(
      "zoom-text-only", TRUE, "javascript-can-open-windows-automatically", FALSE, "default-charset",
      "GBK", nullptr);
  GtkWidget* view = webkit_web_view_new_with_settings(settings);
  g_object_unref(settings);
  g_object_ref_sink(view);
  return WEBKIT_WEB_VIEW(view);
}

std::string RequestUri(WebKitNavigationAction* action) {
  WebKitURIRequest* request = webkit_navigation_action_get_request(action);
  const char* uri = request != nullptr ? webkit_uri_request_get_uri(request) : nullptr;
  return uri != nullptr ? uri : "";
}

bool IsAttachment(WebKitURIResponse* response) {
  SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
  if (headers == nullptr) return false;
  const char* disposition = soup_message_headers_get_one(headers, "Content-Disposition");
  return disposition != nullptr && g_ascii_strncasecmp(disposition, "attachment", 10) == 0;
}

// Downloads are not the page's business: a main document that cannot be
// shown is dropped rather than saved somewhere behind the user's back.
gboolean DecideResponse(WebKitResponsePolicyDecision* decision) {
  if (!webkit_response_policy_decision_is_main_frame_main_resource(decision)) return FALSE;
  WebKitURIResponse* response = webkit_response_policy_decision_get_response(decision);
  if (webkit_response_policy_decision_is_mime_type_supported(decision) && !IsAttachment(response)) {
    return FALSE;
  }
  webkit_policy_decision_ignore(WEBKIT_POLICY_DECISION(decision));
  return TRUE;
}

int Percent(double progress) {
  if (!std::isfinite(progress) || progress < 0) return 100;
  return static_cast<int>(std::clamp(std::lround(progress * 100), 0L, 100L));
}

// A temporary file that goes away with its last holder unless handed on.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) g_remove(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  std::string HandOn() { return std::exchange(path_, std::string()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::shared_ptr<TemporaryFile> NewPreviewFile() {
  gchar* path = nullptr;
  const gint fd = g_file_open_tmp("tavern-preview-XXXXXX.pdf", &path, nullptr);
  if (fd < 0) return nullptr;
  g_close(fd, nullptr);
  auto file = std::make_shared<TemporaryFile>(path);
  g_free(path);
  return file;
}

void ReleaseFinishedPrint(WebKitPrintOperation* operation, gpointer /*data*/) {
  g_object_unref(operation);
}

struct PageSetupRequest {
  std::shared_ptr<bool> alive;
  PrintSetup* print_setup;
};

}  // namespace

EnginePage::EnginePage(int font_size, Events events)
    : events_(std::move(events)),
      view_(NewView()),
      history_(webkit_web_view_get_back_forward_list(view_)),
      font_size_(ClampFontSize(font_size)) {
  webkit_web_view_set_zoom_level(view_, TextZoomForFontSize(font_size_));
  SilenceEngineQuestions(view_);
  g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
  g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
  g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
  g_signal_connect(view_, "load-failed-with-tls-errors", G_CALLBACK(OnLoadFailedWithTlsErrors),
                   this);
  g_signal_connect(view_, "notify::estimated-load-progress", G_CALLBACK(OnProgressChanged), this);
  g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitleChanged), this);
  g_signal_connect(view_, "mouse-target-changed", G_CALLBACK(OnMouseTargetChanged), this);
  g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
  g_signal_connect(view_, "web-process-terminated", G_CALLBACK(OnWebProcessTerminated), this);
  g_signal_connect(history_, "changed", G_CALLBACK(OnHistoryChanged), this);
}

EnginePage::~EnginePage() {
  *alive_ = false;
  g_signal_handlers_disconnect_by_data(view_, this);
  g_signal_handlers_disconnect_by_data(history_, this);
  webkit_web_view_stop_loading(view_);
  gtk_widget_destroy(GTK_WIDGET(view_));
  g_object_unref(view_);
}

GtkWidget* EnginePage::widget() { return GTK_WIDGET(view_); }

std::string EnginePage::url() const { return event_url_ ? *event_url_ : ViewUri(); }

void EnginePage::set_url(std::string_view address) {
  webkit_web_view_load_uri(view_, NavigableAddress(address).c_str());
}

std::string EnginePage::StatusText() const {
  return event_status_text_ ? *event_status_text_ : status_text_;
}

std::string EnginePage::Caption() const { return event_caption_ ? *event_caption_ : ViewTitle(); }

int EnginePage::FontSize() const { return font_size_; }

void EnginePage::SetFontSize(int size) {
  font_size_ = ClampFontSize(size);
  webkit_web_view_set_zoom_level(view_, TextZoomForFontSize(font_size_));
}

void EnginePage::RunCommand(int code) {
  switch (code) {
    case kGoForward:
      webkit_web_view_go_forward(view_);
      return;
    case kGoBack:
      webkit_web_view_go_back(view_);
      return;
    case kRefresh:
      webkit_web_view_reload(view_);
      return;
    case kStop:
      StopLoading();
      return;
    default:
      break;
  }
  if (!HasDocument()) return;
  switch (code) {
    case kSaveAs:
      SaveAs();
      return;
    case kPrint:
      Print(Toplevel());
      return;
    case kPrintPreview:
      PrintPreview();
      return;
    case kPageSetup:
      PageSetup();
      return;
    default:
      return;
  }
}

void EnginePage::StopLoading() {
  webkit_web_view_stop_loading(view_);
  if (committed_ || !webkit_web_view_is_loading(view_)) return;
  // A stop that reaches a new view while its engine process is still
  // starting is lost: the load neither goes on nor ends. Such a load is
  // ended on an empty page that keeps its address.
  constexpr unsigned kLostStopMilliseconds = 250;
  Glib::signal_timeout().connect_once(
      [this, alive = alive_, address = ViewUri()] {
        if (!*alive || committed_ || !webkit_web_view_is_loading(view_)) return;
        if (ViewUri() != address) return;
        webkit_web_view_load_alternate_html(view_, "", address.c_str(), nullptr);
      },
      kLostStopMilliseconds);
}

bool EnginePage::CanGoBack() const { return webkit_web_view_can_go_back(view_) == TRUE; }

bool EnginePage::CanGoForward() const { return webkit_web_view_can_go_forward(view_) == TRUE; }

void EnginePage::SaveTo(const std::string& path, std::function<void(bool saved)> done) {
  SavePageAsMhtml(view_, path, [alive = alive_, done = std::move(done)](bool saved) {
    if (*alive && done) done(saved);
  });
}

void EnginePage::PrintToPdf(const std::string& path, std::function<void(bool printed)> done) {
  PrintPageToPdf(view_, print_setup_.page_setup(), path,
                 [alive = alive_, done = std::move(done)](bool printed) {
                   if (*alive && done) done(printed);
                 });
}

std::string EnginePage::ViewUri() const {
  const char* uri = webkit_web_view_get_uri(view_);
  return uri != nullptr ? uri : "";
}

std::string EnginePage::ViewTitle() const {
  const char* title = webkit_web_view_get_title(view_);
  return title != nullptr ? title : "";
}

bool EnginePage::HasDocument() const { return !ViewUri().empty(); }

GtkWindow* EnginePage::Toplevel() const {
  GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view_));
  if (!gtk_widget_is_toplevel(top) || !GTK_IS_WINDOW(top)) return nullptr;
  return GTK_WINDOW(top);
}

void EnginePage::ShowErrorPage(const std::string& address, const std::string& reason) {
  webkit_web_view_load_alternate_html(view_, ErrorPageHtml(address, reason).c_str(),
                                      address.c_str(), nullptr);
}

void EnginePage::ChangeStatusText(std::string text) {
  if (text == status_text_) return;
  status_text_ = std::move(text);
  if (const auto handler = events_.status_text_change) handler();
}

void EnginePage::SaveAs() {
  AskWhereToSave(Toplevel(), DefaultSaveFileName(ViewTitle(), ViewUri()),
                 [this, alive = alive_](const std::string& path) {
                   if (*alive) SaveTo(path, nullptr);
                 });
}

void EnginePage::Print(GtkWindow* parent) {
  WebKitPrintOperation* operation = webkit_print_operation_new(view_);
  webkit_print_operation_set_print_settings(operation, print_setup_.print_settings());
  if (print_setup_.page_setup() != nullptr) {
    webkit_print_operation_set_page_setup(operation, print_setup_.page_setup());
  }
  // A second reference lives until the operation has finished printing.
  g_object_ref(operation);
  const gulong finished =
      g_signal_connect(operation, "finished", G_CALLBACK(ReleaseFinishedPrint), nullptr);
  const std::shared_ptr<bool> alive = alive_;
  const WebKitPrintOperationResponse response =
      webkit_print_operation_run_dialog(operation, parent);
  if (response == WEBKIT_PRINT_OPERATION_RESPONSE_CANCEL) {
    g_signal_handler_disconnect(operation, finished);
    g_object_unref(operation);
  } else if (*alive) {
    print_setup_.set_print_settings(webkit_print_operation_get_print_settings(operation));
    print_setup_.set_page_setup(webkit_print_operation_get_page_setup(operation));
  }
  g_object_unref(operation);
}

void EnginePage::PrintPreview() {
  std::shared_ptr<TemporaryFile> file = NewPreviewFile();
  if (!file) return;
  PrintToPdf(file->path(), [this, file](bool printed) {
    if (!printed) return;
    PrintPreviewWindow::Open(Toplevel(), file->HandOn(), [this, alive = alive_](GtkWindow* parent) {
      if (!*alive) return false;
      Print(parent);
      return true;
    });
  });
}

void EnginePage::PageSetup() {
  gtk_print_run_page_setup_dialog_async(Toplevel(), print_setup_.page_setup(),
                                        print_setup_.print_settings(), OnPageSetupDone,
                                        new PageSetupRequest{alive_, &print_setup_});
}

void EnginePage::OnPageSetupDone(GtkPageSetup* page_setup, gpointer data) {
  std::unique_ptr<PageSetupRequest> request(static_cast<PageSetupRequest*>(data));
  if (*request->alive) request->print_setup->set_page_setup(page_setup);
}

gboolean EnginePage::OnDecidePolicy(WebKitWebView* /*view*/, WebKitPolicyDecision* decision,
                                    WebKitPolicyDecisionType type, gpointer data) {
  if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
    return DecideResponse(WEBKIT_RESPONSE_POLICY_DECISION(decision));
  }
  if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
  auto* page = static_cast<EnginePage*>(data);
  const auto handler = page->events_.before_navigate;
  if (!handler) return FALSE;
  WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
      WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  const std::shared_ptr<bool> alive = page->alive_;
  g_object_ref(decision);
  HandlerResult result;
  {
    EventValue address(alive, page->event_url_, RequestUri(action));
    result = handler();
  }
  if (*alive && result != false) {
    webkit_policy_decision_use(decision);
  } else {
    webkit_policy_decision_ignore(decision);
  }
  g_object_unref(decision);
  return TRUE;
}

void EnginePage::OnLoadChanged(WebKitWebView* /*view*/, WebKitLoadEvent event, gpointer data) {
  auto* page = static_cast<EnginePage*>(data);
  if (event == WEBKIT_LOAD_COMMITTED) page->committed_ = true;
  if (event != WEBKIT_LOAD_FINISHED) {
    page->loading_ = true;
    return;
  }
  page->loading_ = false;
  // A failed load ends on the page before it; what completed is the
  // address that was asked for, whose error page follows.
  std::string address = std::exchange(page->failed_uri_, std::string());
  if (address.empty()) address = page->ViewUri();
  const std::shared_ptr<bool> alive = page->alive_;
  if (const auto handler = page->events_.document_complete) {
    EventValue value(alive, page->event_url_, std::move(address));
    handler();
  }
  if (*alive && !page->status_after_load_.empty()) {
    page->ChangeStatusText(std::exchange(page->status_after_load_, std::string()));
  }
}

gboolean EnginePage::OnLoadFailed(WebKitWebView* /*view*/, WebKitLoadEvent /*event*/,
                                  gchar* failing_uri, GError* error, gpointer data) {
  if (IsCancelledLoad(error)) return FALSE;
  auto* page = static_cast<EnginePage*>(data);
  const std::string address = failing_uri != nullptr ? failing_uri : "";
  page->ShowErrorPage(address, LoadFailureReason(error));
  page->failed_uri_ = address;
  return TRUE;
}

gboolean EnginePage::OnLoadFailedWithTlsErrors(WebKitWebView* /*view*/, gchar* failing_uri,
                                               GTlsCertificate* /*certificate*/,
                                               GTlsCertificateFlags errors, gpointer data) {
  auto* page = static_cast<EnginePage*>(data);
  const std::string address = failing_uri != nullptr ? failing_uri : "";
  page->ShowErrorPage(address, CertificateFailureReason(errors));
  page->failed_uri_ = address;
  return TRUE;
}

void EnginePage::OnProgressChanged(GObject* view, GParamSpec* /*property*/, gpointer data) {
  auto* page = static_cast<EnginePage*>(data);
  // The engine moves the progress before it asks whether the navigation may
  // start at all; a load is reported from its start on.
  if (!page->loading_) return;
  const auto handler = page->events_.progress_change;
  if (handler) handler(Percent(webkit_web_view_get_estimated_load_progress(WEBKIT_WEB_VIEW(view))));
}

void EnginePage::OnTitleChanged(GObject* /*view*/, GParamSpec* /*property*/, gpointer data) {
  auto* page = static_cast<EnginePage*>(data);
  const auto handler = page->events_.title_change;
  if (!handler) return;
  EventValue caption(page->alive_, page->event_caption_, page->ViewTitle());
  handler();
}

void EnginePage::OnMouseTargetChanged(WebKitWebView* /*view*/, WebKitHitTestResult* hit,
                                      guint /*modifiers*/, gpointer data) {
  auto* page = static_cast<EnginePage*>(data);
  std::string text;
  if (webkit_hit_test_result_context_is_link(hit)) {
    const char* link = webkit_hit_test_result_get_link_uri(hit);
    if (link != nullptr) text = link;
  }
  page->ChangeStatusText(std::move(text));
}

void EnginePage::OnHistoryChanged(WebKitBackForwardList* /*list*/,
                                  WebKitBackForwardListItem* /*added*/, gpointer /*removed*/,
                                  gpointer data) {
  auto* page = static_cast<EnginePage*>(data);
  const auto handler = page->events_.command_state_change;
  if (!handler) return;
  const std::shared_ptr<bool> alive = page->alive_;
  // The engine does not say which of the two changed: report both.
  handler(kNavigateForward, page->CanGoForward());
  if (*alive) handler(kNavigateBack, page->CanGoBack());
}

GtkWidget* EnginePage::OnCreate(WebKitWebView* view, WebKitNavigationAction* action,
                                gpointer data) {
  auto* page = static_cast<EnginePage*>(data);
  const auto handler = page->events_.new_window;
  if (handler) {
    const std::shared_ptr<bool> alive = page->alive_;
    EventValue status_text(alive, page->event_status_text_, RequestUri(action));
    const HandlerResult result = handler();
    if (!*alive || result == false) return nullptr;
  }
  return GTK_WIDGET(PopupWindow::Open(view));
}

void EnginePage::OnWebProcessTerminated(WebKitWebView* /*view*/,
                                        WebKitWebProcessTerminationReason reason, gpointer data) {
  auto* page = static_cast<EnginePage*>(data);
  const std::string address = page->ViewUri();
  if (address.empty()) return;
  // The page stays where it was, with a page that says why it is gone;
  // "refresh" brings it back.
  page->status_after_load_ = WebProcessEndReason(reason);
  page->ShowErrorPage(address, page->status_after_load_);
}

}  // namespace tavern::gtk
