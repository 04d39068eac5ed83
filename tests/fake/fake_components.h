#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "components/component.h"
#include "components/component_ref.h"
#include "components/edit_box.h"
#include "components/status_bar.h"
#include "components/tab_strip.h"
#include "components/toolbar.h"
#include "components/web_view.h"

namespace tavern::fake {

// Lets a component tell the platform what the program did to it.
using OperationLog = std::function<void(const std::string&)>;

// The placed-component properties, kept in memory.
template <class Interface>
class Placed : public Interface {
 public:
  int left() const override { return place.left; }
  int top() const override { return place.top; }
  int width() const override { return place.width; }
  int height() const override { return place.height; }
  void set_width(int width) override {
    place.width = width;
    Log("width " + std::to_string(width));
  }
  void set_height(int height) override {
    place.height = height;
    Log("height " + std::to_string(height));
  }
  bool visible() const override { return shown; }
  void set_visible(bool visible) override {
    shown = visible;
    Log(visible ? "visible 1" : "visible 0");
  }
  std::string tag() const override { return tag_text; }
  void set_tag(std::string_view tag) override {
    tag_text = std::string(tag);
    Log("tag " + tag_text);
  }

  Rect place;
  bool shown = false;
  std::string tag_text;
  OperationLog log;

 protected:
  void Log(const std::string& what) const {
    if (log) log(what);
  }
};

class FakeLabel : public Placed<Component> {
 public:
  std::string text;
};

class FakeEditBox : public Placed<EditBox> {
 public:
  std::string text() const override { return text_; }
  void set_text(std::string_view text) override {
    text_ = std::string(text);
    Log("text " + text_);
  }
  std::string text_;
};

class FakeStatusBar : public Placed<StatusBar> {
 public:
  void SetPartText(int part, std::string_view text) override;
  std::string PartText(int part) const override;
  std::vector<std::string> parts;
  // Every text part 1 was given, in order.
  std::vector<std::string> history;
};

class FakeToolbar : public Placed<Toolbar> {
 public:
  void AddButtonState(int index, unsigned flags) override;
  void RemoveButtonState(int index, unsigned flags) override;
  unsigned ButtonState(int index) const override;
  std::vector<unsigned> states;
};

class FakeTabStrip : public Placed<Component> {
 public:
  explicit FakeTabStrip(std::vector<std::string> tabs) : model(std::move(tabs)) {}
  TabStrip model;
};

// A page that loads nothing: the test says what the engine would report.
class FakeWebView : public Placed<WebView> {
 public:
  std::string url() const override { return event_url ? *event_url : current_url; }
  void set_url(std::string_view address) override;
  std::string StatusText() const override {
    return event_status_text ? *event_status_text : status_text;
  }
  std::string Caption() const override { return event_caption ? *event_caption : title; }
  int FontSize() const override { return font_size; }
  void SetFontSize(int size) override;
  void RunCommand(int code) override;
  bool CanGoBack() const override { return can_go_back; }
  bool CanGoForward() const override { return can_go_forward; }

  std::string current_url;
  std::optional<std::string> event_url;
  std::string status_text;
  std::optional<std::string> event_status_text;
  std::string title;
  std::optional<std::string> event_caption;
  int font_size = 2;
  bool can_go_back = false;
  bool can_go_forward = false;
  std::vector<std::string> url_writes;
  std::vector<int> commands;
  // Called inside set_url, as a real page may raise its navigation event there.
  std::function<void(const std::string&)> on_url_write;
};

}  // namespace tavern::fake
