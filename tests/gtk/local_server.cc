#include "gtk/local_server.h"

#include <cstdio>
#include <utility>

namespace tavern::testing {
namespace {

void Respond(SoupServerMessage* message, const std::string& content_type, const std::string& body) {
  soup_server_message_set_status(message, SOUP_STATUS_OK, nullptr);
  soup_server_message_set_response(message, content_type.c_str(), SOUP_MEMORY_COPY, body.data(),
                                   body.size());
}

}  // namespace

LocalServer::LocalServer() {
  server_ = soup_server_new(nullptr, nullptr);
  Listen(/*tls=*/false);
}

LocalServer::LocalServer(const std::string& pem) {
  GError* error = nullptr;
  GTlsCertificate* certificate =
      g_tls_certificate_new_from_pem(pem.c_str(), static_cast<gssize>(pem.size()), &error);
  if (certificate == nullptr) {
    std::fprintf(stderr, "LocalServer: bad certificate: %s\n", error->message);
    g_error_free(error);
    return;
  }
  server_ = soup_server_new("tls-certificate", certificate, nullptr);
  g_object_unref(certificate);
  Listen(/*tls=*/true);
}

LocalServer::~LocalServer() {
  if (server_ == nullptr) return;
  soup_server_disconnect(server_);
  g_object_unref(server_);
}

void LocalServer::Listen(bool tls) {
  soup_server_add_handler(server_, nullptr, OnRequest, this, nullptr);
  GError* error = nullptr;
  const auto options = static_cast<SoupServerListenOptions>(SOUP_SERVER_LISTEN_IPV4_ONLY |
                                                            (tls ? SOUP_SERVER_LISTEN_HTTPS : 0));
  if (!soup_server_listen_local(server_, 0, options, &error)) {
    std::fprintf(stderr, "LocalServer: cannot listen: %s\n", error->message);
    g_error_free(error);
    return;
  }
  GSList* uris = soup_server_get_uris(server_);
  if (uris != nullptr) port_ = g_uri_get_port(static_cast<GUri*>(uris->data));
  g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
  base_url_ = std::string(tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

std::string LocalServer::Url(std::string_view path) const { return base_url_ + std::string(path); }

void LocalServer::AddPage(const std::string& path, const std::string& content_type,
                          const std::string& body) {
  AddHandler(path, [content_type, body](SoupServerMessage* message) {
    Respond(message, content_type, body);
  });
}

void LocalServer::AddHandler(const std::string& path, Handler handler) {
  handlers_[path] = std::move(handler);
}

void LocalServer::AddStalledPage(const std::string& path, const std::string& content_type,
                                 const std::string& head) {
  AddHandler(path, [content_type, head](SoupServerMessage* message) {
    soup_server_message_set_status(message, SOUP_STATUS_OK, nullptr);
    SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
    soup_message_headers_set_encoding(headers, SOUP_ENCODING_CHUNKED);
    soup_message_headers_set_content_type(headers, content_type.c_str(), nullptr);
    // The body is never completed, so the response stays open.
    soup_message_body_append(soup_server_message_get_response_body(message), SOUP_MEMORY_COPY,
                             head.data(), head.size());
  });
}

int LocalServer::RequestCount(const std::string& path) const {
  const auto found = request_counts_.find(path);
  return found == request_counts_.end() ? 0 : found->second;
}

int LocalServer::UnusedPort() {
  // Bind a port, let it go: nothing listens there for a good while after.
  GSocket* socket =
      g_socket_new(G_SOCKET_FAMILY_IPV4, G_SOCKET_TYPE_STREAM, G_SOCKET_PROTOCOL_TCP, nullptr);
  if (socket == nullptr) return 0;
  GInetAddress* loopback = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
  GSocketAddress* any_port = g_inet_socket_address_new(loopback, 0);
  int port = 0;
  if (g_socket_bind(socket, any_port, FALSE, nullptr)) {
    GSocketAddress* bound = g_socket_get_local_address(socket, nullptr);
    if (bound != nullptr) {
      port = g_inet_socket_address_get_port(G_INET_SOCKET_ADDRESS(bound));
      g_object_unref(bound);
    }
  }
  g_socket_close(socket, nullptr);
  g_object_unref(socket);
  g_object_unref(any_port);
  g_object_unref(loopback);
  return port;
}

void LocalServer::OnRequest(SoupServer* /*server*/, SoupServerMessage* message, const char* path,
                            GHashTable* /*query*/, gpointer data) {
  auto* self = static_cast<LocalServer*>(data);
  ++self->request_counts_[path];
  const auto found = self->handlers_.find(path);
  if (found == self->handlers_.end()) {
    const std::string body = "<html><head><title>404</title></head><body>no page</body></html>";
    soup_server_message_set_status(message, SOUP_STATUS_NOT_FOUND, nullptr);
    soup_server_message_set_response(message, "text/html", SOUP_MEMORY_COPY, body.data(),
                                     body.size());
    return;
  }
  // A copy: a handler may add pages while it runs.
  const Handler handler = found->second;
  handler(message);
}

}  // namespace tavern::testing
