#pragma once

#include <gtkmm/entry.h>

#include <string>
#include <string_view>

#include "components/edit_box.h"
#include "components/window_definition.h"
#include "gtk/component_context.h"
#include "gtk/placed.h"

namespace tavern::gtk {

// A single-line edit box. Each typed character raises OnCharInput before the
// entry takes it (Enter as 13); the entry then takes it as usual.
class EditBoxComponent : public Placed<EditBox> {
 public:
  EditBoxComponent(ClientArea& area, const ComponentDefinition& definition,
                   ComponentContext context);
  ~EditBoxComponent() override;

  std::string text() const override;
  void set_text(std::string_view text) override;

  Gtk::Entry& entry() { return entry_; }

 private:
  bool on_entry_key_press_event(GdkEventKey* event);

  ComponentContext context_;
  Gtk::Entry entry_;
};

// The character a key press types, as the character-input event numbers it
// (Enter 13, others their Unicode code point); 0 when the key types none.
int TypedCharacter(const GdkEventKey& event);

}  // namespace tavern::gtk
