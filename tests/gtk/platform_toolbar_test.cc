// The toolbar: its buttons by index (the separator counted), their states,
// tooltips and clicks.
#include <gtest/gtest.h>

#include <gtkmm/separatortoolitem.h>

#include "app/main_window_definition.h"
#include "gtk/toolbar_component.h"
#include "platform_test_support.h"

namespace tavern::gtk::platform_test {
namespace {

class PlatformToolbarTest : public PlatformTest {
 protected:
  void SetUp() override {
    id_ = Load(MainWindowDefinition());
    toolbar_ = dynamic_cast<ToolbarComponent*>(platform().GetToolbar(Ref(id_, kToolbarName)));
    ASSERT_NE(toolbar_, nullptr);
  }
  int32_t id_ = 0;
  ToolbarComponent* toolbar_ = nullptr;
};

TEST_F(PlatformToolbarTest, ButtonsCarryTheirTooltipsAccessibleNamesAndStartStates) {
  const auto& buttons = FindComponent(MainWindowDefinition(), kToolbarName)->buttons;
  ASSERT_EQ(toolbar_->toolbar().get_n_items(), static_cast<int>(buttons.size()));
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
    SCOPED_TRACE(i);
    const ToolbarButtonDefinition& button = buttons[static_cast<std::size_t>(i)];
    Gtk::ToolItem* item = toolbar_->item(i);
    EXPECT_EQ(item->get_sensitive(), !button.disabled);
    EXPECT_EQ(toolbar_->ButtonState(i), button.disabled ? kButtonDisabled : 0u);
    if (button.style == ToolbarButtonStyle::kSeparator) {
      EXPECT_NE(dynamic_cast<Gtk::SeparatorToolItem*>(item), nullptr);
      EXPECT_EQ(toolbar_->main_part(i), nullptr);
      continue;
    }
    gchar* tooltip = gtk_widget_get_tooltip_text(toolbar_->main_part(i));
    EXPECT_STREQ(tooltip, button.tooltip.c_str());
    g_free(tooltip);
    AtkObject* accessible = gtk_widget_get_accessible(toolbar_->main_part(i));
    EXPECT_STREQ(atk_object_get_name(accessible), button.tooltip.c_str());
    EXPECT_EQ(atk_object_get_role(accessible), ATK_ROLE_PUSH_BUTTON);
    EXPECT_EQ(toolbar_->arrow_part(i) != nullptr, button.style == ToolbarButtonStyle::kDropDown);
  }
}

TEST_F(PlatformToolbarTest, StateFlagFourDisablesAndOtherFlagsAreKept) {
  toolbar_->AddButtonState(kForwardButton, kButtonDisabled | 1u);
  EXPECT_FALSE(toolbar_->item(kForwardButton)->get_sensitive());
  EXPECT_EQ(toolbar_->ButtonState(kForwardButton), kButtonDisabled | 1u);
  toolbar_->RemoveButtonState(kForwardButton, kButtonDisabled);
  EXPECT_TRUE(toolbar_->item(kForwardButton)->get_sensitive());
  EXPECT_EQ(toolbar_->ButtonState(kForwardButton), 1u);
  // Out of range: ignored.
  toolbar_->AddButtonState(99, kButtonDisabled);
  EXPECT_EQ(toolbar_->ButtonState(99), 0u);
  EXPECT_EQ(toolbar_->ButtonState(-1), 0u);
}

TEST_F(PlatformToolbarTest, ClicksRaiseTheButtonIndexAndDisabledButtonsStaySilent) {
  events_.records.clear();
  Click(toolbar_->main_part(kHomeButton));
  Click(toolbar_->main_part(kPrintButton));
  Click(toolbar_->main_part(kTextSizeButton));
  Click(toolbar_->main_part(kBackButton));  // disabled at start
  EXPECT_EQ(events_.Names(), (std::vector<std::string>{"toolbar 工具条1 0", "toolbar 工具条1 7",
                                                       "toolbar 工具条1 6"}));
  RecordingEvents::Record record;
  ASSERT_TRUE(events_.Has("toolbar 工具条1 0", &record));
  EXPECT_EQ(record.source.ref, Ref(id_, kToolbarName));
  EXPECT_EQ(record.source.kind, ComponentKind::kToolbar);
}

TEST_F(PlatformToolbarTest, TheArrowPartGivesThePointUnderTheButton) {
  events_.records.clear();
  Click(toolbar_->arrow_part(kTextSizeButton));
  EXPECT_EQ(events_.Names(), (std::vector<std::string>{"drop down 工具条1 6"}));
  const GdkRectangle button = ScreenBox(GTK_WIDGET(toolbar_->item(kTextSizeButton)->gobj()));
  EXPECT_EQ(events_.drop_down_point, (Point{button.x, button.y + button.height + 2}));
  // The main part starts where the whole button does.
  EXPECT_EQ(ScreenBox(toolbar_->main_part(kTextSizeButton)).x, button.x);
}

}  // namespace
}  // namespace tavern::gtk::platform_test
