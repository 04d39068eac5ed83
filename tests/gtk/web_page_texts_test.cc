// The texts a page makes of its inputs: addresses to load, file names to
// offer, error pages and their reasons.
#include <gtest/gtest.h>

#include "gtk/error_page.h"
#include "gtk/web_page_address.h"
#include "gtk/web_page_load_error.h"
#include "gtk/web_page_save.h"

namespace tavern::gtk {
namespace {

TEST(WebPageAddressTest, GivesTheEngineAnAddressItCanLoad) {
  const struct {
    const char* typed;
    const char* loaded;
  } cases[] = {
      {"http://example.org/x", "http://example.org/x"},
      {"https://example.org/", "https://example.org/"},
      {"www.example.org/x", "http://www.example.org/x"},
      {"example.org", "http://example.org"},
      {"127.0.0.1:8080/x", "http://127.0.0.1:8080/x"},
      {"localhost:8080", "http://localhost:8080"},
      {"localhost:8080?q=1", "http://localhost:8080?q=1"},
      {"  example.org  ", "http://example.org"},
      {"\u3000example.org\u3000", "http://example.org"},
      {"about:blank", "about:blank"},
      {"file:///tmp/a.html", "file:///tmp/a.html"},
      {"mailto:someone@example.org", "mailto:someone@example.org"},
      {"/tmp/page one.html", "file:///tmp/page%20one.html"},
      {"//example.org/x", "http://example.org/x"},
      {"", "about:blank"},
      {"   ", "about:blank"},
      {"酒馆.example/首页", "http://酒馆.example/首页"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NavigableAddress(c.typed), c.loaded) << "typed \"" << c.typed << "\"";
  }
}

TEST(WebPageSaveNameTest, NamesTheFileAfterTheTitleOrTheHost) {
  const struct {
    const char* title;
    const char* uri;
    const char* name;
  } cases[] = {
      {"酒馆首页", "http://example.org/", "酒馆首页.mhtml"},
      {"  Tavern  ", "http://example.org/", "Tavern.mhtml"},
      {"a/b\\c:d*e?f\"g<h>i|j", "http://example.org/", "a_b_c_d_e_f_g_h_i_j.mhtml"},
      {".hidden", "http://example.org/", "_.hidden.mhtml"},
      {"", "http://www.example.org/x/y", "www.example.org.mhtml"},
      {"", "about:blank", "网页.mhtml"},
      {"", "", "网页.mhtml"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultSaveFileName(c.title, c.uri), c.name) << "title \"" << c.title << "\"";
  }
}

TEST(WebPageSaveNameTest, CutsALongTitleBetweenCharacters) {
  std::string title;
  for (int i = 0; i < 200; ++i) title += "酒";
  const std::string name = DefaultSaveFileName(title, "");
  EXPECT_TRUE(g_utf8_validate(name.c_str(), -1, nullptr));
  EXPECT_EQ(g_utf8_strlen(name.c_str(), -1), 120 + 6);
}

TEST(WebPageErrorPageTest, NamesTheAddressAndTheReasonAsText) {
  const std::string html =
      ErrorPageHtml("http://x/<script>alert(1)</script>?a=1&b='2'", "原因 <b>\"引号\"</b>");
  EXPECT_NE(html.find("<title>无法打开此网页</title>"), std::string::npos);
  EXPECT_NE(html.find("<h1>无法打开此网页</h1>"), std::string::npos);
  EXPECT_NE(html.find("http://x/&lt;script&gt;alert(1)&lt;/script&gt;?a=1&amp;b=&#39;2&#39;"),
            std::string::npos);
  EXPECT_NE(html.find("原因 &lt;b&gt;&quot;引号&quot;&lt;/b&gt;"), std::string::npos);
  EXPECT_EQ(html.find("<script>"), std::string::npos);
}

TEST(WebPageLoadErrorTest, OnlyStoppedOrTakenOverLoadsCountAsCancelled) {
  const struct {
    GQuark domain;
    int code;
    bool cancelled;
  } cases[] = {
      {WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED, true},
      {G_IO_ERROR, G_IO_ERROR_CANCELLED, true},
      {WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE, true},
      {WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD, true},
      {G_IO_ERROR, G_IO_ERROR_CONNECTION_REFUSED, false},
      {G_RESOLVER_ERROR, G_RESOLVER_ERROR_NOT_FOUND, false},
      {WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_CANNOT_SHOW_URI, false},
      {WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_TRANSPORT, false},
  };
  for (const auto& c : cases) {
    GError* error = g_error_new_literal(c.domain, c.code, "message");
    EXPECT_EQ(IsCancelledLoad(error), c.cancelled) << g_quark_to_string(c.domain) << " " << c.code;
    g_error_free(error);
  }
}

TEST(WebPageLoadErrorTest, ReasonsSayWhatWentWrongInOurWordsAndTheEngines) {
  GError* refused = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_CONNECTION_REFUSED,
                                        "Could not connect: Connection refused");
  EXPECT_EQ(LoadFailureReason(refused),
            "服务器拒绝了连接（Could not connect: Connection refused）");
  g_error_free(refused);
  GError* odd = g_error_new_literal(G_FILE_ERROR, G_FILE_ERROR_FAILED, "");
  EXPECT_EQ(LoadFailureReason(odd), "网页载入失败");
  g_error_free(odd);

  EXPECT_EQ(CertificateFailureReason(static_cast<GTlsCertificateFlags>(
                G_TLS_CERTIFICATE_UNKNOWN_CA | G_TLS_CERTIFICATE_EXPIRED)),
            "此网站的安全证书有问题：证书的颁发者不受信任；证书已过期");
  EXPECT_NE(WebProcessEndReason(WEBKIT_WEB_PROCESS_CRASHED).find("进程"), std::string::npos);
}

}  // namespace
}  // namespace tavern::gtk
