#pragma once

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/status_bar.h"
#include "components/window_definition.h"
#include "gtk/placed.h"

namespace tavern::gtk {

// A status bar: a row of sunken text parts. A part of width -1 runs to the
// right edge. No size grip.
class StatusBarComponent : public Placed<StatusBar> {
 public:
  StatusBarComponent(ClientArea& area, const ComponentDefinition& definition);
  ~StatusBarComponent() override;

  void SetPartText(int part, std::string_view text) override;
  std::string PartText(int part) const override;

  Gtk::Box& row() { return row_; }
  // The label of part `part`; nullptr for a part the bar does not have.
  Gtk::Label* part_label(int part);

 private:
  struct Part {
    std::unique_ptr<Gtk::Frame> frame;
    std::unique_ptr<Gtk::Label> label;
  };

  Gtk::Box row_;
  std::vector<Part> parts_;
};

}  // namespace tavern::gtk
