#include "gtk/message_dialog.h"

#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/messagedialog.h>

#include <string>

namespace tavern::gtk {
namespace {

std::string WithLineBreaks(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    result += text[i];
  }
  return result;
}

// In the Song font a Latin character is half as wide as a Chinese one, so
// lines indented with spaces keep the shape they were written in.
constexpr const char kTextFont[] = "宋体 10.5";

}  // namespace

void RunMessageDialog(const MessageBoxRequest& request) {
  const bool error = request.icon == MessageIcon::kError;
  Gtk::MessageDialog dialog(WithLineBreaks(request.text), /*use_markup=*/false,
                            error ? Gtk::MESSAGE_ERROR : Gtk::MESSAGE_OTHER, Gtk::BUTTONS_OK,
                            /*modal=*/true);
  dialog.set_title(request.caption);
  dialog.set_position(Gtk::WIN_POS_CENTER);
  dialog.set_resizable(false);

  Gtk::Box* message_area = dialog.get_message_area();
  if (message_area != nullptr) {
    for (Gtk::Widget* child : message_area->get_children()) {
      if (auto* label = dynamic_cast<Gtk::Label*>(child)) {
        Pango::AttrList attributes;
        auto font = Pango::Attribute::create_attr_font_desc(Pango::FontDescription(kTextFont));
        attributes.insert(font);
        label->set_attributes(attributes);
        label->set_xalign(0.0f);
        label->set_selectable(false);
        break;
      }
    }
  }
  Gtk::Image icon;
  if (error && message_area != nullptr) {
    if (auto* row = dynamic_cast<Gtk::Box*>(message_area->get_parent())) {
      icon.set_from_icon_name("dialog-error", Gtk::ICON_SIZE_DIALOG);
      icon.set_valign(Gtk::ALIGN_START);
      row->pack_start(icon, Gtk::PACK_SHRINK);
      row->reorder_child(icon, 0);
      icon.show();
    }
  }
  dialog.run();
  dialog.hide();
}

}  // namespace tavern::gtk
