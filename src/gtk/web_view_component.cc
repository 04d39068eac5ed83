#include "gtk/web_view_component.h"

#include <algorithm>

#include "gtk/accessible.h"

namespace tavern::gtk {

WebViewComponent::WebViewComponent(ClientArea& area, const ComponentDefinition& definition)
    : Placed(area, definition.place, definition.dock, definition.visible),
      accessible_name_(definition.accessible_name),
      font_size_(std::clamp(definition.font_size, kSmallestFontSize, kLargestFontSize)) {}

WebViewComponent::WebViewComponent(ClientArea& area, const WebViewComponent& model,
                                   ComponentContext context)
    : Placed(area, model.placement().rect(), Dock::kNone, /*visible=*/false),
      context_(std::move(context)),
      accessible_name_(model.accessible_name_),
      font_size_(model.FontSize()) {}

WebViewComponent::~WebViewComponent() {
  silenced_ = true;
  placement_.Detach();
  page_.reset();
}

template <class Handler>
decltype(auto) WebViewComponent::RaiseUnlessSilenced(Handler&& raise) {
  using Result = decltype(context_.Raise(raise));
  if (silenced_ || context_.events == nullptr) return Result();
  return context_.Raise(raise);
}

WebPage::Events WebViewComponent::PageEvents() {
  WebPage::Events events;
  events.before_navigate = [this] {
    return RaiseUnlessSilenced(
        [&](WindowEvents& handlers) { return handlers.OnBeforeNavigate(context_.name); });
  };
  events.progress_change = [this](int percent) {
    RaiseUnlessSilenced(
        [&](WindowEvents& handlers) { handlers.OnProgressChange(context_.name, percent); });
  };
  events.document_complete = [this] {
    RaiseUnlessSilenced(
        [&](WindowEvents& handlers) { handlers.OnDocumentComplete(context_.name); });
  };
  events.status_text_change = [this] {
    RaiseUnlessSilenced(
        [&](WindowEvents& handlers) { handlers.OnStatusTextChange(context_.name); });
  };
  events.title_change = [this] {
    RaiseUnlessSilenced([&](WindowEvents& handlers) { handlers.OnTitleChange(context_.name); });
  };
  events.command_state_change = [this](int command, bool enabled) {
    RaiseUnlessSilenced([&](WindowEvents& handlers) {
      handlers.OnCommandStateChange(context_.name, command, enabled);
    });
  };
  events.new_window = [this] {
    return RaiseUnlessSilenced(
        [&](WindowEvents& handlers) { return handlers.OnNewWindow(context_.name); });
  };
  return events;
}

void WebViewComponent::SetPage(std::unique_ptr<WebPage> page) {
  page_ = std::move(page);
  GtkWidget* widget = page_->widget();
  SetAccessibleName(widget, accessible_name_);
  placement_.Attach(widget);
}

std::string WebViewComponent::url() const { return page_ ? page_->url() : std::string(); }

void WebViewComponent::set_url(std::string_view address) {
  if (page_) page_->set_url(address);
}

std::string WebViewComponent::StatusText() const {
  return page_ ? page_->StatusText() : std::string();
}

std::string WebViewComponent::Caption() const { return page_ ? page_->Caption() : std::string(); }

int WebViewComponent::FontSize() const { return page_ ? page_->FontSize() : font_size_; }

void WebViewComponent::SetFontSize(int size) {
  font_size_ = std::clamp(size, kSmallestFontSize, kLargestFontSize);
  if (page_) page_->SetFontSize(size);
}

void WebViewComponent::RunCommand(int code) {
  if (page_) page_->RunCommand(code);
}

bool WebViewComponent::CanGoBack() const { return page_ && page_->CanGoBack(); }

bool WebViewComponent::CanGoForward() const { return page_ && page_->CanGoForward(); }

}  // namespace tavern::gtk
