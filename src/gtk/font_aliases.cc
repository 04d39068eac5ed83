#include "gtk/font_aliases.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

namespace tavern::gtk {
namespace {

// "same" binding keeps the asked-for family's strength, so the aliases win
// over fontconfig's generic fallbacks.
constexpr const char kAliasRules[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>宋体</family>
    <prefer><family>AR PL UMing CN</family></prefer>
  </alias>
  <alias binding="same">
    <family>SimSun</family>
    <prefer><family>AR PL UMing CN</family></prefer>
  </alias>
  <alias binding="same">
    <family>Segoe UI</family>
    <prefer><family>DejaVu Sans</family><family>AR PL UMing CN</family></prefer>
  </alias>
</fontconfig>
)";

}  // namespace

bool LoadFontAliases() {
  FcConfig* config = FcConfigGetCurrent();
  if (config == nullptr) return false;
  const bool loaded = FcConfigParseAndLoadFromMemory(
                          config, reinterpret_cast<const FcChar8*>(kAliasRules), FcTrue) == FcTrue;
  PangoFontMap* font_map = pango_cairo_font_map_get_default();
  if (PANGO_IS_FC_FONT_MAP(font_map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(font_map));
  return loaded;
}

}  // namespace tavern::gtk
