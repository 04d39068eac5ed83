#include "gtk/menu_label.h"

namespace tavern::gtk {

std::string MnemonicLabel(std::string_view caption) {
  std::string label;
  label.reserve(caption.size() + 2);
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const char c = caption[i];
    if (c == '_') {
      label += "__";
    } else if (c == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        label += '&';
        ++i;
      } else if (i + 1 < caption.size()) {
        label += '_';
      }
    } else {
      label += c;
    }
  }
  return label;
}

}  // namespace tavern::gtk
