#include "gtk/web_page_load_error.h"

#include <string_view>
#include <utility>

namespace tavern::gtk {
namespace {

std::string_view FailureSentence(const GError* error) {
  if (error->domain == G_RESOLVER_ERROR) return "找不到服务器";
  if (error->domain == G_TLS_ERROR) return "无法建立安全连接";
  if (error->domain == G_IO_ERROR) {
    switch (error->code) {
      case G_IO_ERROR_CONNECTION_REFUSED:
        return "服务器拒绝了连接";
      case G_IO_ERROR_TIMED_OUT:
        return "连接服务器超时";
      case G_IO_ERROR_HOST_UNREACHABLE:
      case G_IO_ERROR_NETWORK_UNREACHABLE:
        return "无法连接到服务器所在的网络";
      case G_IO_ERROR_BROKEN_PIPE:  // the same code as G_IO_ERROR_CONNECTION_CLOSED
        return "服务器中断了连接";
      case G_IO_ERROR_NOT_FOUND:
        return "找不到此文件";
      default:
        break;
    }
  }
  if (error->domain == WEBKIT_POLICY_ERROR) {
    switch (error->code) {
      case WEBKIT_POLICY_ERROR_CANNOT_SHOW_MIME_TYPE:
        return "无法显示此类内容";
      case WEBKIT_POLICY_ERROR_CANNOT_SHOW_URI:
        return "无法显示此地址";
      case WEBKIT_POLICY_ERROR_CANNOT_USE_RESTRICTED_PORT:
        return "不允许访问此端口";
      default:
        break;
    }
  }
  if (error->domain == WEBKIT_NETWORK_ERROR) {
    switch (error->code) {
      case WEBKIT_NETWORK_ERROR_UNKNOWN_PROTOCOL:
        return "不支持此地址的协议";
      case WEBKIT_NETWORK_ERROR_FILE_DOES_NOT_EXIST:
        return "找不到此文件";
      default:
        break;
    }
  }
  return "网页载入失败";
}

}  // namespace

bool IsCancelledLoad(const GError* error) {
  return g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
         g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED) ||
         g_error_matches(error, WEBKIT_POLICY_ERROR,
                         WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
         g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD);
}

std::string LoadFailureReason(const GError* error) {
  std::string reason(FailureSentence(error));
  if (error->message != nullptr && error->message[0] != '\0') {
    reason += "（";
    reason += error->message;
    reason += "）";
  }
  return reason;
}

std::string CertificateFailureReason(GTlsCertificateFlags errors) {
  static constexpr std::pair<GTlsCertificateFlags, std::string_view> kProblems[] = {
      {G_TLS_CERTIFICATE_UNKNOWN_CA, "证书的颁发者不受信任"},
      {G_TLS_CERTIFICATE_BAD_IDENTITY, "证书与网站的名称不符"},
      {G_TLS_CERTIFICATE_NOT_ACTIVATED, "证书尚未生效"},
      {G_TLS_CERTIFICATE_EXPIRED, "证书已过期"},
      {G_TLS_CERTIFICATE_REVOKED, "证书已被吊销"},
      {G_TLS_CERTIFICATE_INSECURE, "证书使用的算法不安全"},
      {G_TLS_CERTIFICATE_GENERIC_ERROR, "证书无效"},
  };
  std::string reason = "此网站的安全证书有问题";
  std::string_view separator = "：";
  for (const auto& [flag, text] : kProblems) {
    if ((errors & flag) == 0) continue;
    reason += separator;
    reason += text;
    separator = "；";
  }
  return reason;
}

std::string WebProcessEndReason(WebKitWebProcessTerminationReason reason) {
  switch (reason) {
    case WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT:
      return "显示此网页的进程占用内存过多，已被终止";
    case WEBKIT_WEB_PROCESS_TERMINATED_BY_API:
      return "显示此网页的进程已被终止";
    case WEBKIT_WEB_PROCESS_CRASHED:
      break;
  }
  return "显示此网页的进程意外退出";
}

}  // namespace tavern::gtk
