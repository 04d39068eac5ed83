#include "gtk/web_page.h"

#include "gtk/web_page_engine.h"

namespace tavern::gtk {

std::unique_ptr<WebPage> WebPage::Create(int font_size, Events events) {
  auto page = std::make_unique<EnginePage>(font_size, std::move(events));
  if (page->widget() == nullptr) return nullptr;
  return page;
}

}  // namespace tavern::gtk
