// Keyboard and button input: character events of edit boxes, push buttons,
// Esc as a close request.
#include <gtest/gtest.h>

#include "app/main_window_definition.h"
#include "gtk/button_component.h"
#include "gtk/edit_box_component.h"
#include "platform_test_support.h"

namespace tavern::gtk::platform_test {
namespace {

WindowDefinition FormWindow() {
  WindowDefinition w;
  w.name = "form";
  w.caption = "表单";
  w.outer_width = 326;
  w.outer_height = 137;
  w.minimize_box = false;
  w.maximize_box = false;
  ComponentDefinition edit;
  edit.name = "编辑框1";
  edit.kind = ComponentKind::kEditBox;
  edit.place = {88, 24, 224, 24};
  edit.tab_stop = true;
  edit.accessible_name = "主页地址";
  ComponentDefinition button;
  button.name = "按钮1";
  button.kind = ComponentKind::kButton;
  button.place = {200, 80, 56, 24};
  button.text = "确定";
  button.tab_stop = true;
  w.components = {edit, button};
  return w;
}

using PlatformInputTest = PlatformTest;

TEST_F(PlatformInputTest, TypedCharactersAreRaisedBeforeTheBoxTakesThemAndEnterIs13) {
  const int32_t id = Load(FormWindow());
  auto* edit = dynamic_cast<EditBoxComponent*>(platform().GetEditBox(Ref(id, "编辑框1")));
  ASSERT_NE(edit, nullptr);
  GtkWidget* entry = GTK_WIDGET(edit->entry().gobj());
  // The edit box, the first tab stop, is the window's focus from the start
  // (the window itself is active only once the pointer is over it).
  EXPECT_EQ(gtk_window_get_focus(GTK_WINDOW(window(id).window().gobj())), entry);
  std::vector<std::string> text_when_raised;
  events_.on_char = [&](int) { text_when_raised.push_back(edit->text()); };

  PressKey(entry, GDK_KEY_a);
  PressKey(entry, GDK_KEY_B, /*shift=*/true);
  PressKey(entry, GDK_KEY_Return);
  PressKey(entry, GDK_KEY_KP_Enter);
  EXPECT_EQ(events_.Names(),
            (std::vector<std::string>{"created", "size changed", "char 编辑框1 97",
                                      "char 编辑框1 66", "char 编辑框1 13", "char 编辑框1 13"}));
  // Each character reached the box after its event; Enter moved no focus.
  EXPECT_EQ(text_when_raised, (std::vector<std::string>{"", "a", "aB", "aB"}));
  EXPECT_EQ(edit->text(), "aB");
  EXPECT_TRUE(gtk_widget_has_focus(entry));
  RecordingEvents::Record record;
  ASSERT_TRUE(events_.Has("char 编辑框1 97", &record));
  EXPECT_EQ(record.source.ref, Ref(id, "编辑框1"));
  EXPECT_EQ(record.source.kind, ComponentKind::kEditBox);

  // Writing the text raises nothing.
  events_.records.clear();
  edit->set_text("http://example.org/");
  EXPECT_EQ(edit->text(), "http://example.org/");
  EXPECT_TRUE(events_.records.empty());
}

TEST_F(PlatformInputTest, APushButtonClickIsRaisedAndTheButtonIsNoDefault) {
  const int32_t id = Load(FormWindow());
  auto* button = dynamic_cast<ButtonComponent*>(platform().GetComponent(Ref(id, "按钮1")));
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(button->button().get_can_default());
  EXPECT_EQ(button->button().get_label(), "确定");
  events_.records.clear();
  Click(GTK_WIDGET(button->button().gobj()));
  EXPECT_EQ(events_.Names(), (std::vector<std::string>{"clicked 按钮1"}));
}

TEST_F(PlatformInputTest, EscClosesTheWindowOnceTheHandlerHasReturned) {
  const int32_t id = Load(FormWindow());
  auto* edit = dynamic_cast<EditBoxComponent*>(platform().GetEditBox(Ref(id, "编辑框1")));
  PressKey(GTK_WIDGET(edit->entry().gobj()), GDK_KEY_Escape);
  ASSERT_TRUE(WaitUntil([&] { return platform().window(id) == nullptr; }));
  RecordingEvents::Record destroyed;
  ASSERT_TRUE(events_.Has("destroyed", &destroyed));
  EXPECT_EQ(destroyed.source.ref, (ComponentRef{id, 0}));
  // The Esc reached the edit box as a character first (27).
  EXPECT_TRUE(events_.Has("char 编辑框1 27"));
}

TEST_F(PlatformInputTest, CloseWindowWaitsForTheHandlerAndTheLastWindowEndsTheLoop) {
  const int32_t first = Load(FormWindow());
  const int32_t second = Load(FormWindow());
  platform().CloseWindow(first);
  EXPECT_NE(platform().window(first), nullptr);  // not inside the call
  ASSERT_TRUE(WaitUntil([&] { return platform().window(first) == nullptr; }));
  platform().CloseWindow(second);
  // The message loop returns once the last window is gone.
  platform().RunMessageLoop();
  EXPECT_EQ(platform().window(second), nullptr);
  const std::vector<std::string> names = events_.Names();
  EXPECT_EQ(std::count(names.begin(), names.end(), "destroyed"), 2);
}

TEST_F(PlatformInputTest, ExitRunsTheRoutinesInOrderAndEndsWithTheCode) {
  EXPECT_EXIT(
      {
        platform().AddExitRoutine([] { std::fputs("first ", stderr); });
        platform().AddExitRoutine([] { std::fputs("second", stderr); });
        platform().Exit(-1);
      },
      ::testing::ExitedWithCode(255), "first second");
  EXPECT_EXIT(
      {
        platform().AddExitRoutine([] { std::fputs("dropped", stderr); });
        platform().DropExitRoutines();
        platform().Exit(0);
      },
      ::testing::ExitedWithCode(0), "^$");
}

}  // namespace
}  // namespace tavern::gtk::platform_test
