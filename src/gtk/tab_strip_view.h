#pragma once

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/notebook.h>

#include <memory>
#include <string>
#include <vector>

#include "components/tab_strip.h"

namespace tavern::gtk {

// Draws a TabStrip model as a row of notebook tabs (with empty pages), which
// also gives assistive technologies "page tab" nodes. The model is the
// authority: the view follows its changes, and the user's clicks go into
// the model (a left click through SetCurrentTab, the right button's release
// through RightClickTab); the notebook's own page switching never decides.
// Hidden tabs are not drawn; many tabs scroll with arrows.
class TabStripView {
 public:
  TabStripView(TabStrip& model, const std::string& font_family, int font_pixels);
  ~TabStripView();

  Gtk::Notebook& widget() { return notebook_; }
  // Shows the model's tabs, captions, hidden flags and current tab.
  void Sync();
  // The index of the drawn tab under the point (root window coordinates),
  // -1 over the empty part.
  int TabAt(double root_x, double root_y);
  // The caption label of tab `index`, for hit tests and tests.
  Gtk::Label* tab_label(int index);

 private:
  struct Page {
    std::unique_ptr<Gtk::Box> child;
    std::unique_ptr<Gtk::Label> label;
  };

  void on_notebook_switch_page(Gtk::Widget* page, guint index);
  bool on_notebook_button_release_event(GdkEventButton* event);

  TabStrip& model_;
  Pango::AttrList caption_attributes_;
  Gtk::Notebook notebook_;
  std::vector<Page> pages_;
  // Set while the view itself changes the notebook.
  bool syncing_ = false;
};

}  // namespace tavern::gtk
