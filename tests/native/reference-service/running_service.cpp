#include "running_service.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quillbox::reference::testing {

TemporaryDirectory::TemporaryDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "refsvc-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

// Connections made before the thread starts serving wait in the listening socket's queue.
RunningService::RunningService(const ServiceOptions& options) : service_(options) {
  service_.Listen(0);
  thread_ = std::thread([this] { service_.Serve(); });
}

RunningService::~RunningService() {
  service_.Stop();
  thread_.join();
}

std::unique_ptr<httplib::Client> RunningService::Client() const {
  auto client = std::make_unique<httplib::Client>("127.0.0.1", port());
  client->set_url_encode(false);
  client->set_keep_alive(false);
  return client;
}

namespace {

// Length of a complete reply at the start of text (head, then Content-Length bytes of body),
// or 0 while it is incomplete.
size_t CompleteReplyLength(const std::string& text) {
  const size_t headEnd = text.find("\r\n\r\n");
  if (headEnd == std::string::npos) return 0;
  std::string head = text.substr(0, headEnd);
  for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const size_t field = head.find("\r\ncontent-length:");
  const size_t bodyLength =
      field == std::string::npos ? 0 : std::strtoul(head.c_str() + field + 17, nullptr, 10);
  const size_t total = headEnd + 4 + bodyLength;
  return text.size() >= total ? total : 0;
}

}  // namespace

std::string RawExchange(int port, const std::string& request) {
  const int socketHandle = socket(AF_INET, SOCK_STREAM, 0);
  if (socketHandle < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string reply;
  if (connect(socketHandle, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      send(socketHandle, request.data(), request.size(), MSG_NOSIGNAL) ==
          static_cast<ssize_t>(request.size())) {
    // Read until the first reply is complete: a refused request may leave the connection open.
    char buffer[4096];
    ssize_t received;
    while (CompleteReplyLength(reply) == 0 &&
           (received = recv(socketHandle, buffer, sizeof buffer, 0)) > 0) {
      reply.append(buffer, static_cast<size_t>(received));
    }
  }
  close(socketHandle);
  return reply;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace quillbox::reference::testing
