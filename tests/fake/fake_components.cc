#include "fake/fake_components.h"

#include <algorithm>

namespace tavern::fake {

void FakeStatusBar::SetPartText(int part, std::string_view text) {
  if (part < 0 || part >= static_cast<int>(parts.size())) return;
  parts[static_cast<std::size_t>(part)] = std::string(text);
  if (part == 1) history.emplace_back(text);
  Log("status " + std::to_string(part) + " " + std::string(text));
}

std::string FakeStatusBar::PartText(int part) const {
  if (part < 0 || part >= static_cast<int>(parts.size())) return {};
  return parts[static_cast<std::size_t>(part)];
}

void FakeToolbar::AddButtonState(int index, unsigned flags) {
  if (index < 0 || index >= static_cast<int>(states.size())) return;
  states[static_cast<std::size_t>(index)] |= flags;
}

void FakeToolbar::RemoveButtonState(int index, unsigned flags) {
  if (index < 0 || index >= static_cast<int>(states.size())) return;
  states[static_cast<std::size_t>(index)] &= ~flags;
}

unsigned FakeToolbar::ButtonState(int index) const {
  if (index < 0 || index >= static_cast<int>(states.size())) return 0;
  return states[static_cast<std::size_t>(index)];
}

void FakeWebView::set_url(std::string_view address) {
  url_writes.emplace_back(address);
  current_url = std::string(address);
  Log("url " + current_url);
  if (on_url_write) on_url_write(current_url);
}

void FakeWebView::SetFontSize(int size) {
  font_size = std::clamp(size, kSmallestFontSize, kLargestFontSize);
  Log("font " + std::to_string(font_size));
}

void FakeWebView::RunCommand(int code) {
  commands.push_back(code);
  Log("command " + std::to_string(code));
}

}  // namespace tavern::fake
