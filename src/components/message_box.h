#pragma once

#include <string>

namespace tavern {

enum class MessageIcon { kNone, kError };

// A message box with one OK button and no owner window.
struct MessageBoxRequest {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::kNone;
  // Every window of the program is disabled until the box is closed.
  bool task_modal = true;

  friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

}  // namespace tavern
