#pragma once

#include <string>
#include <string_view>

#include "components/component.h"

namespace tavern {

// Codes of WebView::RunCommand.
enum WebViewCommand : int {
  kGoForward = 0,
  kGoBack = 1,
  kRefresh = 4,
  kStop = 5,
  kSaveAs = 6,
  kPrint = 7,
  kPrintPreview = 8,
  kPageSetup = 9,
};

// Commands of the command-state event.
enum WebViewCommandState : int {
  kNavigateForward = 0,
  kNavigateBack = 1,
};

inline constexpr int kSmallestFontSize = 0;
inline constexpr int kMediumFontSize = 2;
inline constexpr int kLargestFontSize = 4;

// A web view: one page of the web engine. Its events reach the handlers of
// the window it lives in (WindowEvents), with the view as the event source.
class WebView : public Component {
 public:
  // While a navigation-starting or document-ready event is handled: the
  // address that event carries; otherwise the address of the current page.
  virtual std::string url() const = 0;
  // Starts navigating to `address`; may raise the navigation-starting event
  // inside the call. An address without a scheme is taken as an http one.
  virtual void set_url(std::string_view address) = 0;
  // The engine's latest status text (the hovered link's address); empty
  // before the first. While a new-window event is handled: the address of
  // the page that asks to open.
  virtual std::string StatusText() const = 0;
  // While a title event is handled: the new title; otherwise the page's title.
  virtual std::string Caption() const = 0;
  // Text size, 0 smallest to 4 largest.
  virtual int FontSize() const = 0;
  // Sets the text size of this page only; values outside 0 to 4 are clamped.
  virtual void SetFontSize(int size) = 0;
  // Runs one of the WebViewCommand codes; codes 6 to 9 do nothing while no
  // document is loaded, unknown codes do nothing.
  virtual void RunCommand(int code) = 0;
  // Whether the page's history has an entry before the current one.
  virtual bool CanGoBack() const = 0;
  // Whether the page's history has an entry after the current one.
  virtual bool CanGoForward() const = 0;
};

}  // namespace tavern
