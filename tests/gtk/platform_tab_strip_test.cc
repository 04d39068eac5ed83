// The tab strip view: the model decides, the view draws it and feeds the
// user's clicks into it.
#include <gtest/gtest.h>

#include "app/main_window_definition.h"
#include "gtk/tab_strip_component.h"
#include "platform_test_support.h"

namespace tavern::gtk::platform_test {
namespace {

class PlatformTabStripTest : public PlatformTest {
 protected:
  void SetUp() override {
    id_ = Load(MainWindowDefinition());
    strip_ref_ = Ref(id_, kTabStripName);
    strip_ = dynamic_cast<TabStripComponent*>(platform().GetComponent(strip_ref_));
    ASSERT_NE(strip_, nullptr);
  }
  TabStrip& model() { return strip_->model(); }
  GtkWidget* Label(int index) { return GTK_WIDGET(strip_->view().tab_label(index)->gobj()); }
  bool Drawn(int index) { return gtk_widget_get_mapped(Label(index)); }

  int32_t id_ = 0;
  ComponentRef strip_ref_;
  TabStripComponent* strip_ = nullptr;
};

TEST_F(PlatformTabStripTest, ALeftClickMakesTheTabCurrentWithTheStripAsSource) {
  ASSERT_EQ(model().InsertTab("第一页"), 1);
  ASSERT_EQ(model().InsertTab("第二页"), 2);
  Settle();
  events_.records.clear();

  Click(Label(2));
  EXPECT_EQ(model().CurrentTab(), 2);
  RecordingEvents::Record changed;
  ASSERT_TRUE(events_.Has("tab changed 高级选择夹1", &changed));
  EXPECT_EQ(changed.source.ref, strip_ref_);
  EXPECT_EQ(changed.source.kind, ComponentKind::kTabStrip);
  // The view follows the model: the notebook shows the same tab.
  EXPECT_EQ(strip_->view().widget().get_current_page(), 2);

  // A click on the tab that is current already changes nothing.
  events_.records.clear();
  Click(Label(2));
  EXPECT_FALSE(events_.Has("tab changed 高级选择夹1"));
}

TEST_F(PlatformTabStripTest, TheRightButtonOverATabReportsItsIndexAndNothingOverTheEmptyPart) {
  ASSERT_EQ(model().InsertTab("第一页"), 1);
  Settle();
  events_.records.clear();

  Click(Label(1), 3);
  EXPECT_EQ(events_.Names(), (std::vector<std::string>{"tab right clicked 高级选择夹1 1"}));
  EXPECT_EQ(model().CurrentTab(), 0);

  // Right of the last tab, still on the strip.
  events_.records.clear();
  const GdkRectangle strip = ScreenBox(GTK_WIDGET(strip_->view().widget().gobj()));
  ClickAt(strip.x + strip.width - 20, strip.y + strip.height / 2, 3);
  EXPECT_TRUE(events_.records.empty());
}

TEST_F(PlatformTabStripTest, HiddenTabsAreNotDrawnAndTheViewFollowsEveryChange) {
  ASSERT_EQ(model().InsertTab("第一页"), 1);
  model().SetCurrentTab(1);
  ASSERT_TRUE(model().SetTabHidden(0, true));
  Settle();
  EXPECT_FALSE(Drawn(0));
  EXPECT_TRUE(Drawn(1));
  EXPECT_EQ(strip_->view().widget().get_current_page(), 1);

  ASSERT_TRUE(model().SetTabCaption(1, "新的标题"));
  EXPECT_EQ(strip_->view().tab_label(1)->get_text(), "新的标题");

  // Deleting the last page shows the blank tab again, as the model says.
  ASSERT_TRUE(model().SetTabHidden(0, false));
  ASSERT_TRUE(model().DeleteTab(1));
  Settle();
  EXPECT_EQ(strip_->view().widget().get_n_pages(), 1);
  EXPECT_TRUE(Drawn(0));
  EXPECT_EQ(strip_->view().widget().get_current_page(), 0);
}

TEST_F(PlatformTabStripTest, CaptionsUseTheStripFontAndTheStripStays24PixelsHigh) {
  ASSERT_EQ(model().InsertTab("酒馆社区首页        "), 1);
  Settle();
  PangoLayout* layout = strip_->view().tab_label(1)->get_layout()->gobj();
  PangoContext* context = pango_layout_get_context(layout);
  PangoFontDescription* asked = pango_font_description_from_string("宋体");
  pango_font_description_set_absolute_size(asked, 12 * PANGO_SCALE);
  PangoFont* font = pango_context_load_font(context, asked);
  ASSERT_NE(font, nullptr);
  PangoFontDescription* loaded = pango_font_describe(font);
  EXPECT_STREQ(pango_font_description_get_family(loaded), "AR PL UMing CN");
  pango_font_description_free(loaded);
  pango_font_description_free(asked);
  g_object_unref(font);
  EXPECT_EQ(gtk_widget_get_allocated_height(GTK_WIDGET(strip_->view().widget().gobj())), 24);
  // Every label of the strip carries the asked font.
  const PangoAttrList* attributes = pango_layout_get_attributes(layout);
  ASSERT_NE(attributes, nullptr);
}

TEST_F(PlatformTabStripTest, ManyTabsStayReachableThroughScrolling) {
  for (int i = 1; i <= 40; ++i) ASSERT_EQ(model().InsertTab("第" + std::to_string(i) + "页   "), i);
  model().SetCurrentTab(40);
  Settle();
  EXPECT_TRUE(strip_->view().widget().get_scrollable());
  // The current tab is scrolled into sight and can be clicked.
  ASSERT_TRUE(Drawn(40));
  events_.records.clear();
  Click(Label(40), 3);
  EXPECT_TRUE(events_.Has("tab right clicked 高级选择夹1 40"));
}

}  // namespace
}  // namespace tavern::gtk::platform_test
