// Run-time copies of the template web view: place, size, stacking, which
// page is mapped, and where their events go.
#include <gtest/gtest.h>

#include "app/main_window_definition.h"
#include "gtk/web_view_component.h"
#include "platform_test_support.h"

namespace tavern::gtk::platform_test {
namespace {

class PlatformWebViewTest : public PlatformTest {
 protected:
  void SetUp() override {
    id_ = Load(MainWindowDefinition());
    template_ = Ref(id_, kPageTemplateName);
  }
  ComponentRef Copy() {
    const std::optional<ComponentRef> copy = platform().CopyComponent(template_);
    EXPECT_TRUE(copy.has_value());
    return copy.value_or(ComponentRef{});
  }
  GtkWidget* WidgetOf(ComponentRef ref) {
    auto* view = dynamic_cast<WebViewComponent*>(platform().GetWebView(ref));
    return view == nullptr || view->page() == nullptr ? nullptr : view->page()->widget();
  }
  bool Mapped(ComponentRef ref) { return gtk_widget_get_mapped(WidgetOf(ref)); }
  StubPage& PageOf(std::size_t made) { return *pages_.made.at(made); }

  int32_t id_ = 0;
  ComponentRef template_;
};

TEST_F(PlatformWebViewTest, ACopyTakesTheTemplatesPlacePresentSizeAndTextSizeHiddenBehindIt) {
  WebView* model = platform().GetWebView(template_);
  ASSERT_NE(model, nullptr);
  model->set_width(700);
  model->set_height(400);
  model->SetFontSize(4);
  const ComponentRef copy = Copy();
  EXPECT_EQ(copy.window_id, id_);
  EXPECT_NE(copy.component_id, template_.component_id);
  WebView* view = platform().GetWebView(copy);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ((Rect{view->left(), view->top(), view->width(), view->height()}),
            (Rect{4, 56, 700, 400}));
  EXPECT_FALSE(view->visible());
  EXPECT_EQ(view->FontSize(), 4);
  EXPECT_EQ(PageOf(0).FontSize(), 4);
  // Directly behind the template in the stacking order.
  const std::vector<int32_t>& order = window(id_).stacking_order();
  const auto at = std::find(order.begin(), order.end(), template_.component_id);
  ASSERT_NE(at, order.end());
  ASSERT_NE(at + 1, order.end());
  EXPECT_EQ(*(at + 1), copy.component_id);
  // The page has the template's accessible name.
  EXPECT_STREQ(atk_object_get_name(gtk_widget_get_accessible(WidgetOf(copy))), "页面");
  // The template itself holds properties only.
  EXPECT_EQ(model->url(), "");
  EXPECT_FALSE(model->visible());
}

TEST_F(PlatformWebViewTest, ACopyFailsWhenThePageCannotBeMade) {
  pages_.refuse = true;
  EXPECT_FALSE(platform().CopyComponent(template_).has_value());
  // Only web views are copied.
  EXPECT_FALSE(platform().CopyComponent(Ref(id_, kAddressBoxName)).has_value());
}

TEST_F(PlatformWebViewTest, OnlyTheFrontMostShownPageIsMapped) {
  const ComponentRef first = Copy();
  const ComponentRef second = Copy();
  platform().GetWebView(first)->set_visible(true);
  platform().BringToTop(first);
  platform().GetWebView(second)->set_visible(true);
  ASSERT_TRUE(WaitUntil([&] { return Mapped(first); }));
  Settle();
  // The second was made behind the template, so the first stays in front.
  EXPECT_FALSE(Mapped(second));

  platform().BringToTop(second);
  ASSERT_TRUE(WaitUntil([&] { return Mapped(second); }));
  EXPECT_FALSE(Mapped(first));
  // Bringing to the top moves and resizes nothing and keeps both shown.
  WebView* view = platform().GetWebView(first);
  EXPECT_TRUE(view->visible());
  EXPECT_EQ((Rect{view->left(), view->top(), view->width(), view->height()}),
            (Rect{4, 56, 940, 528}));
  // The page widget is laid out at the component's place.
  GtkWidget* area = GTK_WIDGET(window(id_).client_area().gobj());
  const GdkRectangle box = BoxIn(WidgetOf(second), area);
  EXPECT_EQ((Rect{box.x, box.y, box.width, box.height}), (Rect{4, 56, 940, 528}));

  // Hiding the front page maps the one behind it.
  platform().GetWebView(second)->set_visible(false);
  ASSERT_TRUE(WaitUntil([&] { return Mapped(first); }));
}

TEST_F(PlatformWebViewTest, PageEventsReachTheTemplatesHandlersWithTheCopyAsSource) {
  const ComponentRef first = Copy();
  const ComponentRef second = Copy();
  // Events nest: inside the first page's event, the second raises one.
  EventSource after_inner;
  bool nested = false;
  events_.on_page_event = [&] {
    if (nested || platform().CurrentEventSource().ref != first) return;
    nested = true;
    PageOf(1).events().before_navigate();
    after_inner = platform().CurrentEventSource();
  };
  PageOf(0).events().title_change();
  ASSERT_EQ(events_.records.size(), 4u);  // created, size changed, title, before navigate
  const RecordingEvents::Record& title = events_.records[2];
  const RecordingEvents::Record& navigate = events_.records[3];
  EXPECT_EQ(title.what, "title 超文本浏览框_源");
  EXPECT_EQ(title.source.ref, first);
  EXPECT_EQ(title.source.kind, ComponentKind::kWebView);
  EXPECT_EQ(navigate.what, "before navigate 超文本浏览框_源");
  EXPECT_EQ(navigate.source.ref, second);
  EXPECT_EQ(after_inner.ref, first);
  EXPECT_EQ(platform().CurrentEventSource().ref, (ComponentRef{}));
}

TEST_F(PlatformWebViewTest, ADestroyedCopyRaisesNothingAndIsFreedAfterItsOwnEvent) {
  const ComponentRef copy = Copy();
  StubPage& page = PageOf(0);
  GtkWidget* widget = page.widget();
  g_object_add_weak_pointer(G_OBJECT(widget), reinterpret_cast<gpointer*>(&widget));
  WebPage::Events events = page.events();
  // The handler of the page's own event destroys it.
  bool destroyed = false;
  events_.on_page_event = [&] {
    if (destroyed) return;
    destroyed = true;
    platform().DestroyComponent(copy);
    EXPECT_EQ(platform().GetComponent(copy), nullptr);
    // Still inside its signal: the page lives on, silent.
    EXPECT_NE(widget, nullptr);
    events.title_change();
  };
  events.before_navigate();
  EXPECT_EQ(events_.Names().back(), "before navigate 超文本浏览框_源");
  ASSERT_TRUE(WaitUntil([&] { return widget == nullptr; }));
  // A template or form component is not destroyed.
  platform().DestroyComponent(template_);
  EXPECT_NE(platform().GetComponent(template_), nullptr);
}

}  // namespace
}  // namespace tavern::gtk::platform_test
