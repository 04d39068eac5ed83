#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "components/web_view.h"
#include "components/window_definition.h"
#include "gtk/component_context.h"
#include "gtk/placed.h"
#include "gtk/web_page.h"

namespace tavern::gtk {

// A web view component. The template of a window holds properties only: it
// has no page, is never shown and never navigates. A run-time copy wraps a
// WebPage: the place, size, shown state and tag are the platform's, the
// rest is the page's, and the page's events reach the window's handlers
// with the copy as the event source.
class WebViewComponent : public Placed<WebView> {
 public:
  // The template, as its definition describes it.
  WebViewComponent(ClientArea& area, const ComponentDefinition& definition);
  // A copy of `model` at its place and present size, not shown, with a
  // page yet to be given by SetPage.
  WebViewComponent(ClientArea& area, const WebViewComponent& model, ComponentContext context);
  ~WebViewComponent() override;

  // The events a page of this component raises.
  WebPage::Events PageEvents();
  // Takes the page and puts its widget into the client area.
  void SetPage(std::unique_ptr<WebPage> page);
  WebPage* page() { return page_.get(); }
  // From now on the page's events reach no handler.
  void Silence() { silenced_ = true; }

  std::string url() const override;
  void set_url(std::string_view address) override;
  std::string StatusText() const override;
  std::string Caption() const override;
  int FontSize() const override;
  void SetFontSize(int size) override;
  void RunCommand(int code) override;
  bool CanGoBack() const override;
  bool CanGoForward() const override;

 private:
  // Raises an event of the page unless the component has been silenced.
  template <class Handler>
  decltype(auto) RaiseUnlessSilenced(Handler&& raise);

  ComponentContext context_;
  std::string accessible_name_;
  int font_size_;
  bool silenced_ = false;
  std::unique_ptr<WebPage> page_;
};

}  // namespace tavern::gtk
