#pragma once

#include <string_view>

namespace tavern {

// The main window's caption: the product, its community site, the version
// and a credit line.
inline constexpr const char* kMainWindowCaption =
    "酒馆浏览器 · community.example.org 社区入口 · 1.0.1 · 酒馆社区出品";

// Opened when config.ini names no home page: the community's navigation page.
inline constexpr std::string_view kDefaultHomePage =
    "http://community.example.org/plugin.php?id=portal";

// The About box: eight lines joined by CR LF, none after the last.
inline constexpr std::string_view kAboutText =
    "             关于 酒馆浏览器 1.0\r\n"
    "-------------------------------------------\r\n"
    "    本浏览器由酒馆社区的志愿者制作。\r\n"
    "    本程序不主张任何权利，欢迎自由使用与转发。\r\n"
    "-------------------------------------------\r\n"
    "    酒馆社区 以游戏会友，以真诚相待。\r\n"
    "          ——来者皆是客，坐下慢慢聊。\r\n"
    "    http://community.example.org/";

}  // namespace tavern
