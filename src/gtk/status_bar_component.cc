#include "gtk/status_bar_component.h"

#include "gtk/accessible.h"

namespace tavern::gtk {

StatusBarComponent::StatusBarComponent(ClientArea& area, const ComponentDefinition& definition)
    : Placed(area, definition.place, definition.dock, definition.visible),
      row_(Gtk::ORIENTATION_HORIZONTAL, 2) {
  row_.get_style_context()->add_class("tavern-status-bar");
  SetAccessibleRole(GTK_WIDGET(row_.gobj()), ATK_ROLE_STATUSBAR);
  SetAccessibleName(GTK_WIDGET(row_.gobj()), definition.accessible_name);
  for (const StatusBarPartDefinition& part_definition : definition.parts) {
    Part part{std::make_unique<Gtk::Frame>(), std::make_unique<Gtk::Label>(part_definition.text)};
    part.frame->set_shadow_type(Gtk::SHADOW_IN);
    part.label->set_xalign(0.0f);
    part.label->set_ellipsize(Pango::ELLIPSIZE_END);
    part.label->set_single_line_mode(true);
    part.frame->add(*part.label);
    const bool to_right_edge = part_definition.width < 0;
    if (!to_right_edge) part.frame->set_size_request(part_definition.width, -1);
    row_.pack_start(*part.frame, to_right_edge ? Gtk::PACK_EXPAND_WIDGET : Gtk::PACK_SHRINK);
    parts_.push_back(std::move(part));
  }
  row_.show_all_children();
  placement_.Attach(GTK_WIDGET(row_.gobj()));
}

StatusBarComponent::~StatusBarComponent() { placement_.Detach(); }

void StatusBarComponent::SetPartText(int part, std::string_view text) {
  if (Gtk::Label* label = part_label(part)) label->set_text(std::string(text));
}

std::string StatusBarComponent::PartText(int part) const {
  if (part < 0 || part >= static_cast<int>(parts_.size())) return {};
  return parts_[static_cast<std::size_t>(part)].label->get_text();
}

Gtk::Label* StatusBarComponent::part_label(int part) {
  if (part < 0 || part >= static_cast<int>(parts_.size())) return nullptr;
  return parts_[static_cast<std::size_t>(part)].label.get();
}

}  // namespace tavern::gtk
