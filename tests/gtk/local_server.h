#pragma once

#include <libsoup/soup.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace tavern::testing {

// An HTTP server on 127.0.0.1, at a port that was free, for the tests of the
// real platform. It answers inside the test process's main loop (the
// default main context): requests are served while the test iterates it.
// Paths that were not added get a 404 page.
class LocalServer {
 public:
  // Answers one request: set the status and the response on `message`.
  using Handler = std::function<void(SoupServerMessage* message)>;

  // A plain HTTP server. When it cannot listen, ok() is false.
  LocalServer();
  // An HTTPS server with the certificate and key in `pem`, both PEM text.
  explicit LocalServer(const std::string& pem);
  ~LocalServer();
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;

  // Whether the server listens.
  bool ok() const { return port_ != 0; }
  // "http://127.0.0.1:PORT" (https for a TLS server), without a final "/".
  const std::string& base_url() const { return base_url_; }
  // base_url() followed by `path` ("/page.html").
  std::string Url(std::string_view path) const;
  int port() const { return port_; }

  // Serves `body` as `content_type` with status 200 at `path`.
  void AddPage(const std::string& path, const std::string& content_type, const std::string& body);
  // Hands the requests for `path` to `handler`.
  void AddHandler(const std::string& path, Handler handler);
  // Sends `head` as the start of a `content_type` page at `path` and then
  // never ends it: a page that goes on loading while the server lives.
  void AddStalledPage(const std::string& path, const std::string& content_type,
                      const std::string& head);

  // How many requests for `path` have arrived.
  int RequestCount(const std::string& path) const;

  // A port on 127.0.0.1 that nothing listens on: connecting is refused.
  static int UnusedPort();

 private:
  void Listen(bool tls);
  static void OnRequest(SoupServer* server, SoupServerMessage* message, const char* path,
                        GHashTable* query, gpointer data);

  SoupServer* server_ = nullptr;
  int port_ = 0;
  std::string base_url_;
  std::map<std::string, Handler> handlers_;
  std::map<std::string, int> request_counts_;
};

}  // namespace tavern::testing
