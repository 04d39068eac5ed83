#pragma once

namespace tavern::gtk {

// Teaches fontconfig the Windows font names that the windows ask for:
// "宋体" and "SimSun" become the installed Song-style CJK font, "Segoe UI" an
// installed sans font with a CJK fallback. Call before GTK lays out any text;
// a font map made earlier is told to reload. Gives false if fontconfig
// refused the rules.
bool LoadFontAliases();

}  // namespace tavern::gtk
