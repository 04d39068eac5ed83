#pragma once

#include <compare>
#include <cstdint>

namespace tavern {

// Names one component instance: the window it lives in and its id there.
// Both numbers are handed out by the window platform.
struct ComponentRef {
  int32_t window_id = 0;
  int32_t component_id = 0;

  friend auto operator<=>(const ComponentRef&, const ComponentRef&) = default;
};

// What a component is; the platform reports it for the source of an event.
enum class ComponentKind {
  kWindow,
  kTabStrip,
  kStatusBar,
  kWebView,
  kEditBox,
  kLabel,
  kToolbar,
  kMenuLook,
  kButton,
};

// The component whose event is being handled.
struct EventSource {
  ComponentRef ref;
  ComponentKind kind = ComponentKind::kWindow;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tavern
