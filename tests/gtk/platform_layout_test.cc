// The window platform builds windows from their definitions: places, sizes,
// docking, the client width and the window's own events.
#include <gtest/gtest.h>

#include "app/main_window_definition.h"
#include "gtk/label_component.h"
#include "gtk/status_bar_component.h"
#include "platform_test_support.h"

namespace tavern::gtk::platform_test {
namespace {

WindowDefinition SmallWindow() {
  WindowDefinition w;
  w.name = "small";
  w.caption = "小窗口";
  w.outer_width = 400;
  w.outer_height = 300;
  ComponentDefinition label;
  label.name = "标签";
  label.kind = ComponentKind::kLabel;
  label.place = {10, 12, 80, 20};
  label.text = "名字：";
  ComponentDefinition hidden = label;
  hidden.name = "隐藏标签";
  hidden.visible = false;
  ComponentDefinition status;
  status.name = "状态";
  status.kind = ComponentKind::kStatusBar;
  status.dock = Dock::kBottom;
  status.place = {0, 0, 0, 20};
  status.parts = {{50, "状态："}, {-1, ""}};
  w.components = {label, hidden, status};
  return w;
}

using PlatformLayoutTest = PlatformTest;

TEST_F(PlatformLayoutTest, MainWindowComponentsSitWhereTheDefinitionPlacesThem) {
  const int32_t id = Load(MainWindowDefinition());
  PlatformWindow& main = window(id);
  GtkWidget* area = GTK_WIDGET(main.client_area().gobj());
  const int client_width = platform().ClientWidth(id);
  const int client_height = gtk_widget_get_allocated_height(area);
  EXPECT_EQ(client_width, gtk_widget_get_allocated_width(area));
  EXPECT_EQ(client_width, 957);

  struct Case {
    const char* name;
    Rect place;
  };
  const Case cases[] = {
      {kToolbarName, {0, 0, client_width, 32}},
      {kStatusBarName, {0, client_height - 20, client_width, 20}},
      {kTabStripName, {2, 32, 942, 24}},
      {kAddressBoxName, {280, 8, 664, 20}},
      {kAddressLabelName, {240, 0, 40, 32}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Component* component = platform().GetComponent(Ref(id, c.name));
    ASSERT_NE(component, nullptr);
    EXPECT_EQ((Rect{component->left(), component->top(), component->width(), component->height()}),
              c.place);
  }
  // The widgets themselves are laid out at those places.
  auto* label = dynamic_cast<LabelComponent*>(platform().GetComponent(Ref(id, kAddressLabelName)));
  ASSERT_NE(label, nullptr);
  const GdkRectangle label_box = BoxIn(GTK_WIDGET(label->label().gobj()), area);
  EXPECT_EQ((Rect{label_box.x, label_box.y, label_box.width, label_box.height}),
            (Rect{240, 0, 40, 32}));
  auto* status =
      dynamic_cast<StatusBarComponent*>(platform().GetStatusBar(Ref(id, kStatusBarName)));
  ASSERT_NE(status, nullptr);
  const GdkRectangle status_box = BoxIn(GTK_WIDGET(status->row().gobj()), area);
  EXPECT_EQ(status_box.y, client_height - 20);
  EXPECT_EQ(status_box.height, 20);
  EXPECT_EQ(status->PartText(0), "状态：");
  EXPECT_EQ(status->PartText(1), "");
}

TEST_F(PlatformLayoutTest, ComponentsMarkedHiddenStayHiddenAndTheTemplateHasNoWidget) {
  const int32_t id = Load(MainWindowDefinition());
  Component* page_template = platform().GetComponent(Ref(id, kPageTemplateName));
  ASSERT_NE(page_template, nullptr);
  EXPECT_FALSE(page_template->visible());
  EXPECT_EQ((Rect{page_template->left(), page_template->top(), page_template->width(),
                  page_template->height()}),
            (Rect{4, 56, 940, 528}));
  Component* look = platform().GetComponent(Ref(id, kMenuLookName));
  ASSERT_NE(look, nullptr);
  EXPECT_FALSE(look->visible());

  const int32_t small = Load(SmallWindow());
  auto* hidden = dynamic_cast<LabelComponent*>(platform().GetComponent(Ref(small, "隐藏标签")));
  ASSERT_NE(hidden, nullptr);
  EXPECT_FALSE(gtk_widget_get_mapped(GTK_WIDGET(hidden->label().gobj())));
  hidden->set_visible(true);
  EXPECT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(hidden->label().gobj())); }));
}

TEST_F(PlatformLayoutTest, CreatedThenSizeChangedAreRaisedInsideTheLoadWithThePlannedSize) {
  int width_seen = 0, status_top_seen = 0;
  struct Probe : RecordingEvents {
    using RecordingEvents::RecordingEvents;
    std::function<void(int32_t)> on_size;
    void OnSizeChanged(int32_t id) override {
      RecordingEvents::OnSizeChanged(id);
      if (on_size) on_size(id);
    }
  } probe(raw_platform_);
  probe.on_size = [&](int32_t id) {
    width_seen = platform().ClientWidth(id);
    status_top_seen = platform().GetStatusBar(Ref(id, "状态"))->top();
  };
  const std::optional<int32_t> id = platform().LoadWindow(SmallWindow(), probe);
  ASSERT_TRUE(id);
  // Both came inside the load, in this order, with the window as source.
  ASSERT_EQ(probe.Names(), (std::vector<std::string>{"created", "size changed"}));
  for (const auto& record : probe.records) {
    EXPECT_EQ(record.source.ref, (ComponentRef{*id, 0}));
    EXPECT_EQ(record.source.kind, ComponentKind::kWindow);
  }
  // Before the first allocation the planned client area counts.
  EXPECT_EQ(width_seen, 400);
  EXPECT_EQ(status_top_seen, 300 - 20);
  // The real allocation of a window without a menu bar is the same size:
  // no second event.
  Settle();
  EXPECT_EQ(probe.Names().size(), 2u);
  EXPECT_EQ(platform().GetStatusBar(Ref(*id, "状态"))->top(), 280);
}

TEST_F(PlatformLayoutTest, ResizingRaisesSizeChangedAndTheWindowCanShrinkAgain) {
  const int32_t id = Load(MainWindowDefinition());
  Gtk::Window& gtk_window = window(id).window();
  events_.records.clear();

  gtk_window.resize(1200, 900);
  ASSERT_TRUE(WaitUntil([&] { return platform().ClientWidth(id) == 1200; }));
  ASSERT_TRUE(WaitUntil([&] { return events_.Has("size changed"); }));
  Component* status = platform().GetComponent(Ref(id, kStatusBarName));
  GtkWidget* area = GTK_WIDGET(window(id).client_area().gobj());
  EXPECT_EQ(status->top(), gtk_widget_get_allocated_height(area) - 20);
  EXPECT_EQ(status->width(), 1200);

  // The components (942 and 664 wide) do not hold the window at its size.
  events_.records.clear();
  gtk_window.resize(500, 400);
  ASSERT_TRUE(WaitUntil([&] { return platform().ClientWidth(id) == 500; }));
  ASSERT_TRUE(WaitUntil([&] { return events_.Has("size changed"); }));
  int width = 0, height = 0;
  gtk_window.get_size(width, height);
  EXPECT_EQ(width, 500);
  EXPECT_EQ(height, 400);
}

TEST_F(PlatformLayoutTest, WindowsAreCentredOnTheScreenWithTheirCaption) {
  struct Case {
    WindowDefinition definition;
  };
  WindowDefinition fixed = SmallWindow();
  fixed.outer_width = 326;
  fixed.outer_height = 137;
  fixed.maximize_box = false;
  fixed.minimize_box = false;
  for (const WindowDefinition& definition : {MainWindowDefinition(), fixed}) {
    SCOPED_TRACE(definition.caption);
    const int32_t id = Load(definition);
    Gtk::Window& gtk_window = window(id).window();
    EXPECT_EQ(gtk_window.get_title(), definition.caption);
    GdkRectangle screen;
    gdk_monitor_get_geometry(gdk_display_get_monitor(gdk_display_get_default(), 0), &screen);
    int x = 0, y = 0, width = 0, height = 0;
    gtk_window.get_window()->get_root_origin(x, y);
    gtk_window.get_size(width, height);
    EXPECT_EQ(x, (screen.width - definition.outer_width) / 2);
    EXPECT_EQ(y, (screen.height - definition.outer_height) / 2);
    EXPECT_EQ(width, definition.outer_width);
    EXPECT_EQ(height, definition.outer_height);
    // The window manager is told that the edges cannot be dragged.
    GdkWMDecoration decorations;
    ASSERT_TRUE(gdk_window_get_decorations(gtk_window.get_window()->gobj(), &decorations));
    EXPECT_EQ(decorations & GDK_DECOR_RESIZEH, 0);
    EXPECT_EQ((decorations & GDK_DECOR_MAXIMIZE) != 0, definition.maximize_box);
  }
}

}  // namespace
}  // namespace tavern::gtk::platform_test
