#include "components/window_definition.h"

namespace tavern {

int FindMenuItem(const WindowDefinition& definition, const std::string& caption) {
  for (std::size_t i = 0; i < definition.menu.size(); ++i) {
    if (definition.menu[i].caption == caption) return static_cast<int>(i);
  }
  return -1;
}

const ComponentDefinition* FindComponent(const WindowDefinition& definition,
                                         const std::string& name) {
  for (const auto& component : definition.components) {
    if (component.name == name) return &component;
  }
  return nullptr;
}

std::vector<int> MenuChildren(const WindowDefinition& definition, int menu) {
  std::vector<int> children;
  if (menu < 0 || menu >= static_cast<int>(definition.menu.size())) return children;
  const int level = definition.menu[static_cast<std::size_t>(menu)].level;
  for (std::size_t i = static_cast<std::size_t>(menu) + 1; i < definition.menu.size(); ++i) {
    const int item_level = definition.menu[i].level;
    if (item_level <= level) break;
    if (item_level == level + 1) children.push_back(static_cast<int>(i));
  }
  return children;
}

}  // namespace tavern
