#pragma once

#include <string>

#include "components/window_platform.h"

namespace tavern {

// The home page's place in config.ini.
inline constexpr const char* kHomePageSection = "主页";
inline constexpr const char* kHomePageKey = "homepage";

// The path of config.ini: the run directory and "/config.ini".
inline std::string ConfigPath(WindowPlatform& platform) {
  return platform.RunDirectory() + "/config.ini";
}

}  // namespace tavern
