#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "components/component.h"
#include "components/component_ref.h"
#include "components/edit_box.h"
#include "components/message_box.h"
#include "components/status_bar.h"
#include "components/tab_strip.h"
#include "components/toolbar.h"
#include "components/web_view.h"
#include "components/window_definition.h"
#include "components/window_events.h"

namespace tavern {

// Everything the program asks of the windowing system. One implementation
// per platform (GTK, and an in-memory one for tests). All calls are made on
// the GUI thread; calls that name a window or component that is gone do
// nothing and give empty results.
class WindowPlatform {
 public:
  virtual ~WindowPlatform() = default;

  // Builds a window from `definition` and shows the components marked
  // visible, then raises OnCreated and OnSizeChanged, each only while the
  // window still exists. `events` must outlive the window. Gives the
  // window's id, or nullopt when the window cannot be made.
  virtual std::optional<int32_t> LoadWindow(const WindowDefinition& definition,
                                            WindowEvents& events) = 0;
  // Builds a window as LoadWindow does, without an owner, disables every
  // other window of the program and runs a nested message loop until the
  // new window is destroyed; then gives each disabled window back the
  // enabled state it had.
  virtual void RunModal(const WindowDefinition& definition, WindowEvents& events) = 0;
  // Destroys the window once the handler now running has returned.
  virtual void CloseWindow(int32_t window_id) = 0;
  // Handles events until the program's last window has been destroyed.
  virtual void RunMessageLoop() = 0;

  // The component named `name` in the window's definition.
  virtual std::optional<ComponentRef> FindComponent(int32_t window_id, std::string_view name) = 0;
  // Copies a placed component at run time: same kind and window, the
  // template's present properties, place and size, not shown, directly
  // behind the template in the stacking order, events going to the
  // template's handlers. nullopt when the copy cannot be made.
  virtual std::optional<ComponentRef> CopyComponent(ComponentRef template_ref) = 0;
  // Destroys a run-time copy; none of its events is raised afterwards.
  virtual void DestroyComponent(ComponentRef ref) = 0;
  // Puts the component in front of every other component of its window,
  // without activating, moving, resizing, showing or hiding it.
  virtual void BringToTop(ComponentRef ref) = 0;
  // The width of the window's client area in pixels.
  virtual int ClientWidth(int32_t window_id) = 0;
  // The component whose event is being handled now.
  virtual EventSource CurrentEventSource() = 0;

  // The properties of any placed component; nullptr if there is none.
  virtual Component* GetComponent(ComponentRef ref) = 0;
  // The component as a web view; nullptr if it is not one.
  virtual WebView* GetWebView(ComponentRef ref) = 0;
  // The component as a tab strip; nullptr if it is not one.
  virtual TabStrip* GetTabStrip(ComponentRef ref) = 0;
  // The component as an edit box; nullptr if it is not one.
  virtual EditBox* GetEditBox(ComponentRef ref) = 0;
  // The component as a status bar; nullptr if it is not one.
  virtual StatusBar* GetStatusBar(ComponentRef ref) = 0;
  // The component as a toolbar; nullptr if it is not one.
  virtual Toolbar* GetToolbar(ComponentRef ref) = 0;

  // Enables or disables menu item `item` of the window, wherever it shows.
  virtual void SetMenuItemDisabled(int32_t window_id, int item, bool disabled) = 0;
  // Whether menu item `item` of the window is disabled.
  virtual bool MenuItemDisabled(int32_t window_id, int item) = 0;
  // Pops up the items under menu item `menu` with the pop-up's top left
  // corner at `screen_point`, tracking both mouse buttons; returns when the
  // pop-up has closed. A chosen item raises OnMenuItemSelected afterwards,
  // as an event of its own.
  virtual void PopupMenu(int32_t window_id, int menu, Point screen_point) = 0;
  // Where the mouse pointer is, in screen coordinates.
  virtual Point PointerPosition() = 0;

  // Shows a message box and returns when it has been closed; events go on
  // being handled meanwhile.
  virtual void ShowMessageBox(const MessageBoxRequest& request) = 0;

  // Registers a routine for exit processing.
  virtual void AddExitRoutine(std::function<void()> routine) = 0;
  // Forgets every registered exit routine.
  virtual void DropExitRoutines() = 0;
  // Exit processing: runs the registered exit routines, releases the
  // windows and ends the process with `code`.
  [[noreturn]] virtual void Exit(int code) = 0;

  // The folder that holds the program file, without a trailing separator.
  virtual std::string RunDirectory() = 0;
  // A monotonic clock in milliseconds.
  virtual int64_t NowMilliseconds() = 0;
};

}  // namespace tavern
