#include "gtk/client_area.h"

#include <glibmm/main.h>

#include <algorithm>

#include "gtk/placement.h"

namespace tavern::gtk {

ClientArea::ClientArea() { set_name("tavern-client-area"); }

ClientArea::~ClientArea() { pending_report_.disconnect(); }

void ClientArea::Put(GtkWidget* widget, const Placement& placement) {
  placements_[widget] = &placement;
  const Rect place = placement.rect();
  gtk_fixed_put(gobj(), widget, place.left, place.top);
}

void ClientArea::Take(GtkWidget* widget) {
  if (placements_.count(widget) == 0) return;
  gtk_container_remove(GTK_CONTAINER(gobj()), widget);
}

void ClientArea::Relayout() { queue_resize(); }

void ClientArea::set_planned_size(int width, int height) {
  planned_width_ = width;
  planned_height_ = height;
}

int ClientArea::client_width() const { return allocated_ ? get_allocated_width() : planned_width_; }

int ClientArea::client_height() const {
  return allocated_ ? get_allocated_height() : planned_height_;
}

void ClientArea::set_resized_handler(std::function<void()> handler) {
  resized_ = std::move(handler);
}

void ClientArea::MarkSizeReported() { reported_size_ = {client_width(), client_height()}; }

void ClientArea::get_preferred_width_vfunc(int& minimum_width, int& natural_width) const {
  minimum_width = natural_width = 0;
}

void ClientArea::get_preferred_height_vfunc(int& minimum_height, int& natural_height) const {
  minimum_height = natural_height = 0;
}

void ClientArea::get_preferred_width_for_height_vfunc(int /*height*/, int& minimum_width,
                                                      int& natural_width) const {
  minimum_width = natural_width = 0;
}

void ClientArea::get_preferred_height_for_width_vfunc(int /*width*/, int& minimum_height,
                                                      int& natural_height) const {
  minimum_height = natural_height = 0;
}

void ClientArea::on_size_allocate(Gtk::Allocation& allocation) {
  set_allocation(allocation);
  allocated_ = true;
  for (const auto& [widget, placement] : placements_) {
    if (!gtk_widget_get_visible(widget)) continue;
    // GTK wants every child measured before it is given a size.
    GtkRequisition ignored;
    gtk_widget_get_preferred_size(widget, &ignored, nullptr);
    const Rect place = placement->rect();
    GtkAllocation child{allocation.get_x() + place.left, allocation.get_y() + place.top,
                        std::max(1, place.width), std::max(1, place.height)};
    gtk_widget_size_allocate(widget, &child);
  }
  if (Point{client_width(), client_height()} != reported_size_ && !pending_report_.connected()) {
    // Handlers may change places or run nested loops: not inside an allocation.
    pending_report_ = Glib::signal_idle().connect(
        [this] {
          ReportSizeIfChanged();
          return false;
        },
        Glib::PRIORITY_HIGH_IDLE);
  }
}

void ClientArea::on_remove(Gtk::Widget* widget) {
  placements_.erase(widget->gobj());
  Gtk::Fixed::on_remove(widget);
}

void ClientArea::ReportSizeIfChanged() {
  const Point size{client_width(), client_height()};
  if (size == reported_size_) return;
  reported_size_ = size;
  if (resized_) resized_();
}

}  // namespace tavern::gtk
