#include "hostile_server.h"

#include <ws2tcpip.h>

#include <stdexcept>

namespace quillbox::testing {
namespace {

void SendAll(SOCKET connection, const char* data, size_t size) {
  while (size > 0) {
    const int chunk = static_cast<int>(size < (1u << 20) ? size : (1u << 20));
    const int sent = ::send(connection, data, chunk, 0);
    if (sent <= 0) return;  // the client went away
    data += sent;
    size -= static_cast<size_t>(sent);
  }
}

std::string Headers(size_t contentLength) {
  return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
         std::to_string(contentLength) + "\r\nConnection: close\r\n\r\n";
}

// The request head, up to the blank line; empty when the client sent none within 5 s.
std::string ReadRequestHead(SOCKET connection) {
  DWORD timeout = 5000;
  ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    const int received = ::recv(connection, buffer, sizeof buffer, 0);
    if (received <= 0) break;
    head.append(buffer, static_cast<size_t>(received));
  }
  return head;
}

struct WinsockSession {
  WinsockSession() {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
  }
  ~WinsockSession() { ::WSACleanup(); }
};

}  // namespace

Misbehaviour Answer(std::string body) {
  return [body = std::move(body)](SOCKET connection, HANDLE) {
    const std::string headers = Headers(body.size());
    SendAll(connection, headers.data(), headers.size());
    SendAll(connection, body.data(), body.size());
  };
}

Misbehaviour ResetAfter(std::string body, size_t declaredLength) {
  return [body = std::move(body), declaredLength](SOCKET connection, HANDLE stop) {
    const std::string headers = Headers(declaredLength);
    SendAll(connection, headers.data(), headers.size());
    SendAll(connection, body.data(), body.size());
    ::WaitForSingleObject(stop, 300);
    // A zero linger time makes closesocket send a reset instead of an orderly close.
    const linger abortive = {1, 0};
    ::setsockopt(connection, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive), sizeof abortive);
  };
}

Misbehaviour Silent(DWORD holdMilliseconds) {
  return [holdMilliseconds](SOCKET, HANDLE stop) { ::WaitForSingleObject(stop, holdMilliseconds); };
}

HostileServer::HostileServer(std::vector<std::pair<std::string, Misbehaviour>> routes)
    : routes_(std::move(routes)) {
  static WinsockSession winsock;
  stop_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (listener_ == INVALID_SOCKET || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, 8) != 0) {
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  int length = sizeof address;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

HostileServer::~HostileServer() {
  // Wakes the accepting thread with a connection of its own rather than closing the socket
  // it waits on.
  stopping_ = true;
  ::SetEvent(stop_);
  const SOCKET wake = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<u_short>(port_));
  ::connect(wake, reinterpret_cast<sockaddr*>(&address), sizeof address);
  thread_.join();
  ::closesocket(wake);
  ::closesocket(listener_);
  ::CloseHandle(stop_);
}

std::string HostileServer::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> HostileServer::RequestLines() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requestLines_;
}

void HostileServer::Serve() {
  for (;;) {
    const SOCKET connection = ::accept(listener_, nullptr, nullptr);
    if (connection == INVALID_SOCKET) return;
    if (stopping_) {
      ::closesocket(connection);
      return;
    }
    Handle(connection);
    ::closesocket(connection);
  }
}

void HostileServer::Handle(SOCKET connection) {
  const std::string head = ReadRequestHead(connection);
  const std::string line = head.substr(0, head.find("\r\n"));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requestLines_.push_back(line);
  }
  for (const auto& [fragment, misbehaviour] : routes_) {
    if (line.find(fragment) != std::string::npos) {
      misbehaviour(connection, stop_);
      return;
    }
  }
  Answer("")(connection, stop_);
}

}  // namespace quillbox::testing
