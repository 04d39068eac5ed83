#pragma once

#include <gtk/gtk.h>
#include <gtkmm/fixed.h>
#include <sigc++/connection.h>

#include <functional>
#include <map>

#include "components/component_ref.h"

namespace tavern::gtk {

class Placement;

// A window's client area: places each component's widget exactly at the
// place its Placement gives, whatever the widget would like. Its own
// preferred size is zero, so it never keeps the window from shrinking.
class ClientArea : public Gtk::Fixed {
 public:
  ClientArea();
  ~ClientArea() override;

  // Puts `widget` into the area at the place `placement` gives.
  void Put(GtkWidget* widget, const Placement& placement);
  // Takes `widget` out of the area.
  void Take(GtkWidget* widget);
  // Lays the children out again after a place changed.
  void Relayout();

  // The size before the first allocation.
  void set_planned_size(int width, int height);
  // The allocated width, or the planned one before the first allocation.
  int client_width() const;
  // The allocated height, or the planned one before the first allocation.
  int client_height() const;

  // Called (from an idle, after the allocation) when the size differs from
  // the one last reported; the size counts as reported from then on.
  void set_resized_handler(std::function<void()> handler);
  // Takes the present size as reported.
  void MarkSizeReported();

 protected:
  void get_preferred_width_vfunc(int& minimum_width, int& natural_width) const override;
  void get_preferred_height_vfunc(int& minimum_height, int& natural_height) const override;
  void get_preferred_width_for_height_vfunc(int height, int& minimum_width,
                                            int& natural_width) const override;
  void get_preferred_height_for_width_vfunc(int width, int& minimum_height,
                                            int& natural_height) const override;
  void on_size_allocate(Gtk::Allocation& allocation) override;
  void on_remove(Gtk::Widget* widget) override;

 private:
  void ReportSizeIfChanged();

  std::map<GtkWidget*, const Placement*> placements_;
  bool allocated_ = false;
  int planned_width_ = 0;
  int planned_height_ = 0;
  Point reported_size_{-1, -1};
  std::function<void()> resized_;
  sigc::connection pending_report_;
};

}  // namespace tavern::gtk
