#include "gtk/tab_strip_view.h"

namespace tavern::gtk {
namespace {

// A tab's caption font as Pango attributes, so that no theme overrides it.
Pango::AttrList CaptionAttributes(const std::string& font_family, int font_pixels) {
  Pango::AttrList attributes;
  Pango::FontDescription font;
  if (!font_family.empty()) font.set_family(font_family);
  if (font_pixels > 0) font.set_absolute_size(font_pixels * PANGO_SCALE);
  auto attribute = Pango::Attribute::create_attr_font_desc(font);
  attributes.insert(attribute);
  return attributes;
}

}  // namespace

TabStripView::TabStripView(TabStrip& model, const std::string& font_family, int font_pixels)
    : model_(model), caption_attributes_(CaptionAttributes(font_family, font_pixels)) {
  notebook_.set_scrollable(true);
  notebook_.set_show_border(false);
  notebook_.get_style_context()->add_class("tavern-tab-strip");
  notebook_.signal_switch_page().connect(
      sigc::mem_fun(*this, &TabStripView::on_notebook_switch_page));
  notebook_.signal_button_release_event().connect(
      sigc::mem_fun(*this, &TabStripView::on_notebook_button_release_event), /*after=*/false);
  Sync();
}

TabStripView::~TabStripView() {
  // The pages leave the notebook before their widgets go.
  syncing_ = true;
  while (notebook_.get_n_pages() > 0) notebook_.remove_page(-1);
}

void TabStripView::Sync() {
  syncing_ = true;
  const int count = model_.TabCount();
  while (static_cast<int>(pages_.size()) > count) {
    notebook_.remove_page(static_cast<int>(pages_.size()) - 1);
    pages_.pop_back();
  }
  while (static_cast<int>(pages_.size()) < count) {
    Page page{std::make_unique<Gtk::Box>(), std::make_unique<Gtk::Label>()};
    page.label->set_attributes(caption_attributes_);
    page.label->get_style_context()->add_class("tavern-tab-caption");
    page.label->show();
    notebook_.append_page(*page.child, *page.label);
    pages_.push_back(std::move(page));
  }
  for (int i = 0; i < count; ++i) {
    Page& page = pages_[static_cast<std::size_t>(i)];
    const TabStrip::Tab& tab = model_.tab(i);
    if (page.label->get_text() != tab.caption) page.label->set_text(tab.caption);
    page.child->set_visible(!tab.hidden);
  }
  if (model_.CanBeCurrent(model_.CurrentTab()) &&
      notebook_.get_current_page() != model_.CurrentTab()) {
    notebook_.set_current_page(model_.CurrentTab());
  }
  syncing_ = false;
}

int TabStripView::TabAt(double root_x, double root_y) {
  for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
    if (!model_.CanBeCurrent(i)) continue;
    GtkWidget* label = GTK_WIDGET(pages_[static_cast<std::size_t>(i)].label->gobj());
    if (!gtk_widget_get_mapped(label)) continue;
    GdkWindow* window = gtk_widget_get_window(label);
    if (window == nullptr) continue;
    int origin_x = 0, origin_y = 0;
    gdk_window_get_origin(window, &origin_x, &origin_y);
    GtkAllocation box;
    gtk_widget_get_allocation(label, &box);
    const double x = root_x - origin_x - box.x, y = root_y - origin_y - box.y;
    if (x >= 0 && y >= 0 && x < box.width && y < box.height) return i;
  }
  return -1;
}

Gtk::Label* TabStripView::tab_label(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return nullptr;
  return pages_[static_cast<std::size_t>(index)].label.get();
}

void TabStripView::on_notebook_switch_page(Gtk::Widget* /*page*/, guint index) {
  if (syncing_) return;
  // The user chose a tab (click or keyboard): the model decides, and the
  // view shows what it decided.
  model_.SetCurrentTab(static_cast<int>(index));
  Sync();
}

bool TabStripView::on_notebook_button_release_event(GdkEventButton* event) {
  if (event->button != 3) return false;
  const int index = TabAt(event->x_root, event->y_root);
  if (index >= 0) model_.RightClickTab(index);
  return index >= 0;
}

}  // namespace tavern::gtk
