#include "gtk/drop_down_tool_item.h"

#include "gtk/accessible.h"
#include "gtk/toolbar_images.h"

namespace tavern::gtk {

DropDownToolItem::DropDownToolItem(const Glib::RefPtr<Gdk::Pixbuf>& image,
                                   const std::string& tooltip)
    : row_(Gtk::ORIENTATION_HORIZONTAL, 0),
      main_image_(image),
      arrow_image_(DrawDropDownArrow(9, image ? image->get_height() : 20)) {
  main_part_.set_image(main_image_);
  main_part_.set_always_show_image(true);
  arrow_part_.set_image(arrow_image_);
  arrow_part_.set_always_show_image(true);
  for (Gtk::Button* part : {&main_part_, &arrow_part_}) {
    part->set_relief(Gtk::RELIEF_NONE);
    part->set_focus_on_click(false);
    part->set_can_default(false);
  }
  main_part_.get_style_context()->add_class("tavern-drop-down-main");
  arrow_part_.get_style_context()->add_class("tavern-drop-down-arrow");
  SetAccessibleName(GTK_WIDGET(main_part_.gobj()), tooltip, tooltip);
  SetAccessibleName(GTK_WIDGET(arrow_part_.gobj()), tooltip + "下拉", tooltip);
  // On the parts themselves: the item hands a tooltip only to its child.
  main_part_.Gtk::Widget::set_tooltip_text(tooltip);
  arrow_part_.Gtk::Widget::set_tooltip_text(tooltip);
  row_.pack_start(main_part_, Gtk::PACK_SHRINK);
  row_.pack_start(arrow_part_, Gtk::PACK_SHRINK);
  add(row_);
  show_all_children();
}

}  // namespace tavern::gtk
