#include "gtk/web_page_zoom.h"

#include <algorithm>
#include <array>

#include "components/web_view.h"

namespace tavern::gtk {
namespace {

constexpr std::array<double, 5> kTextZoom = {0.7, 0.85, 1.0, 1.2, 1.45};

}  // namespace

int ClampFontSize(int size) { return std::clamp(size, kSmallestFontSize, kLargestFontSize); }

double TextZoomForFontSize(int size) { return kTextZoom[ClampFontSize(size)]; }

}  // namespace tavern::gtk
