#pragma once

#include <gdkmm/pixbuf.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/toolitem.h>

#include <string>

namespace tavern::gtk {

// A toolbar button drawn with a separate arrow part: the main part and the
// arrow part are two flat buttons side by side.
class DropDownToolItem : public Gtk::ToolItem {
 public:
  DropDownToolItem(const Glib::RefPtr<Gdk::Pixbuf>& image, const std::string& tooltip);

  Gtk::Button& main_part() { return main_part_; }
  Gtk::Button& arrow_part() { return arrow_part_; }

 private:
  Gtk::Box row_;
  Gtk::Image main_image_;
  Gtk::Image arrow_image_;
  Gtk::Button main_part_;
  Gtk::Button arrow_part_;
};

}  // namespace tavern::gtk
