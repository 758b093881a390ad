// A loopback HTTP or HTTPS server with canned replies, for testing the add-in's transport
// against a real server: it prints the port it listens on, answers by path alone and logs
// every request line and header (and, over TLS, the handshake) to a file.

#include <httplib.h>
#include <openssl/ssl.h>

#include <iostream>
#include <memory>

#include "canned_replies.h"
#include "request_log.h"
#include "server_options.h"

namespace {

using quillbox::testserver::RequestLog;

// OpenSSL's info callback carries no user data; the one log of this process lives here.
RequestLog* tlsEventLog = nullptr;

void LogTlsEvent(const SSL* /*ssl*/, int where, int value) {
  if (!tlsEventLog) return;
  if (where & SSL_CB_HANDSHAKE_START) tlsEventLog->Append("TLS handshake started\n\n");
  if (where & SSL_CB_HANDSHAKE_DONE) tlsEventLog->Append("TLS handshake completed\n\n");
  if ((where & SSL_CB_ALERT) && (where & SSL_CB_READ)) {
    tlsEventLog->Append(std::string("TLS alert from client: ") + SSL_alert_desc_string_long(value) +
                        "\n\n");
  }
}

std::unique_ptr<httplib::Server> MakeServer(const quillbox::testserver::ServerOptions& options) {
  if (!options.UsesTls()) return std::make_unique<httplib::Server>();
  auto server = std::make_unique<httplib::SSLServer>(options.certPath.c_str(), options.keyPath.c_str());
  if (!server->is_valid()) return nullptr;
  SSL_CTX_set_info_callback(server->ssl_context(), LogTlsEvent);
  return server;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quillbox::testserver;
  const std::string program = argc > 0 ? argv[0] : "quillbox-http-test-server";
  const ParsedOptions parsed = ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.options) {
    std::cerr << program << ": " << parsed.error << "\n" << ServerUsage(program);
    return 2;
  }
  const ServerOptions& options = *parsed.options;
  if (options.showHelp) {
    std::cout << ServerUsage(program);
    return 0;
  }

  RequestLog log(options.logPath);
  tlsEventLog = &log;
  const auto server = MakeServer(options);
  if (!server) {
    std::cerr << program << ": cannot use certificate " << options.certPath << " with key "
              << options.keyPath << "\n";
    return 1;
  }
  server->set_read_timeout(options.readTimeoutSeconds, 0);
  server->set_keep_alive_max_count(1);

  // Logged before the reply is written, so a client that has its reply finds its request in
  // the log.
  server->set_pre_routing_handler([&log](const httplib::Request& request, httplib::Response&) {
    const HeaderList headers = WireHeaders(HeaderList(request.headers.begin(), request.headers.end()));
    log.Append(FormatRequest(request.method, request.target, request.version, headers));
    return httplib::Server::HandlerResponse::Unhandled;
  });
  const auto answer = [&options](const httplib::Request& request, httplib::Response& response) {
    const CannedReply reply = ReplyFor(request.path, options.replies);
    response.status = reply.status;
    response.set_content(reply.body, reply.contentType.c_str());
  };
  server->Get(".*", answer);

  int port = options.port;
  if (port == 0) {
    port = server->bind_to_any_port("127.0.0.1");
  } else if (!server->bind_to_port("127.0.0.1", port)) {
    port = -1;
  }
  if (port <= 0) {
    std::cerr << program << ": cannot listen on 127.0.0.1:" << options.port << "\n";
    return 1;
  }
  std::cout << "listening on " << (options.UsesTls() ? "https" : "http") << "://127.0.0.1:" << port
            << std::endl;
  return server->listen_after_bind() ? 0 : 1;
}
