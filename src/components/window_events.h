#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "components/component_ref.h"

namespace tavern {

// What a handler gives back to the component; std::nullopt is "no value".
using HandlerResult = std::optional<bool>;

// The handlers bound to one window's events. The platform calls them on the
// GUI thread; `component` is the name of the component in the window's
// definition. For the events of a web view copied at run time, `component`
// is its template's name and WindowPlatform::CurrentEventSource() names the
// copy. Every handler does nothing unless overridden.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;

  // The window and its components exist; raised once, inside the load.
  virtual void OnCreated(int32_t /*window_id*/) {}
  // The client area changed size; raised once inside the load, after OnCreated.
  virtual void OnSizeChanged(int32_t /*window_id*/) {}
  // The window is gone; its components can no longer be reached.
  virtual void OnDestroyed(int32_t /*window_id*/) {}

  // A character typed into an edit box, before the box takes it (13 is Enter).
  virtual void OnCharInput(const std::string& /*component*/, int /*character*/) {}
  // A push button was clicked.
  virtual void OnButtonClicked(const std::string& /*component*/) {}

  // The tab strip's current tab changed.
  virtual void OnCurrentTabChanged(const std::string& /*component*/) {}
  // The right mouse button was released over tab `index` of the strip.
  virtual void OnTabRightClicked(const std::string& /*component*/, int /*index*/) {}

  // Toolbar button `index` was clicked (for a drop-down button: its main part).
  virtual void OnToolbarButtonClicked(const std::string& /*component*/, int /*index*/) {}
  // The arrow part of drop-down button `index` was clicked; `below` is in
  // screen coordinates: the button's left edge, 2 pixels under its bottom edge.
  virtual void OnToolbarDropDown(const std::string& /*component*/, int /*index*/, Point /*below*/) {
  }

  // Menu item `item` (its index in the definition's list) was selected.
  virtual void OnMenuItemSelected(int /*item*/) {}

  // Web view events. The web view is CurrentEventSource().
  // 0: a navigation is about to start; false cancels it.
  virtual HandlerResult OnBeforeNavigate(const std::string& /*component*/) { return {}; }
  // 3: the load progressed to `percent`.
  virtual void OnProgressChange(const std::string& /*component*/, int /*percent*/) {}
  // 5: a document completed.
  virtual void OnDocumentComplete(const std::string& /*component*/) {}
  // 6: the status text changed.
  virtual void OnStatusTextChange(const std::string& /*component*/) {}
  // 7: the title changed.
  virtual void OnTitleChange(const std::string& /*component*/) {}
  // 8: going forward (command 0) or back (command 1) became allowed or not.
  virtual void OnCommandStateChange(const std::string& /*component*/, int /*command*/,
                                    bool /*enabled*/) {}
  // 9: the page asks for a new window; false cancels the engine's own window.
  virtual HandlerResult OnNewWindow(const std::string& /*component*/) { return {}; }
};

}  // namespace tavern
