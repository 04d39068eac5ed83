#include "gtk/placement.h"

#include "gtk/client_area.h"

namespace tavern::gtk {

Placement::Placement(ClientArea& area, Rect place, Dock dock, bool visible)
    : area_(area), place_(place), dock_(dock), visible_(visible) {}

Placement::~Placement() { Detach(); }

void Placement::Attach(GtkWidget* widget) {
  widget_ = widget;
  area_.Put(widget, *this);
  gtk_widget_set_visible(widget, visible_);
}

void Placement::Detach() {
  if (widget_ == nullptr) return;
  GtkWidget* widget = widget_;
  widget_ = nullptr;
  area_.Take(widget);
}

Rect Placement::rect() const {
  switch (dock_) {
    case Dock::kTop:
      return {0, 0, area_.client_width(), place_.height};
    case Dock::kBottom:
      return {0, area_.client_height() - place_.height, area_.client_width(), place_.height};
    case Dock::kNone:
      break;
  }
  return place_;
}

void Placement::set_width(int width) {
  if (dock_ != Dock::kNone || place_.width == width) return;
  place_.width = width;
  if (widget_ != nullptr) area_.Relayout();
}

void Placement::set_height(int height) {
  if (place_.height == height) return;
  place_.height = height;
  if (widget_ != nullptr) area_.Relayout();
}

void Placement::set_visible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (widget_ != nullptr) gtk_widget_set_visible(widget_, visible);
  if (visibility_observer_) visibility_observer_();
}

void Placement::set_visibility_observer(std::function<void()> observer) {
  visibility_observer_ = std::move(observer);
}

}  // namespace tavern::gtk
