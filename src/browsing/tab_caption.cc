#include "browsing/tab_caption.h"

#include "text/gbk_width.h"

namespace tavern {

std::string MakeTabCaption(std::string_view text) {
  return FitToGbkLength(text, kTabCaptionLength);
}

}  // namespace tavern
