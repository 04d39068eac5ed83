#include "gtk/error_page.h"

namespace tavern::gtk {
namespace {

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:48px;color:#333;background:#fff}"
    "h1{font-size:22px;color:#b03030;margin-bottom:24px}"
    "p{font-size:14px;line-height:1.6}"
    ".address{font-family:monospace;word-break:break-all}";

}  // namespace

std::string EscapeHtml(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string ErrorPageHtml(std::string_view address, std::string_view reason) {
  std::string html = "<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>";
  html += kErrorPageTitle;
  html += "</title><style>";
  html += kStyle;
  html += "</style></head><body><h1>";
  html += kErrorPageTitle;
  html += "</h1><p>地址：<span class=\"address\">";
  html += EscapeHtml(address);
  html += "</span></p><p>原因：";
  html += EscapeHtml(reason);
  html += "</p><p>请检查地址是否正确，或稍后点击“刷新”再试。</p></body></html>";
  return html;
}

}  // namespace tavern::gtk
