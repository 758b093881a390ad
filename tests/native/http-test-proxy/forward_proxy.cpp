#include "forward_proxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace quillbox::testproxy {
namespace {

bool SendAll(int fd, const std::string& data) {
  size_t sent = 0;
  while (sent < data.size()) {
    const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

// Reads up to the end of the request head; what came after it stays in `rest`.
bool ReadHead(int fd, std::string& head, std::string& rest) {
  std::string data;
  char buffer[4096];
  while (data.find("\r\n\r\n") == std::string::npos) {
    if (data.size() > 65536) return false;
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    data.append(buffer, static_cast<size_t>(n));
  }
  const size_t end = data.find("\r\n\r\n") + 4;
  head = data.substr(0, end);
  rest = data.substr(end);
  return true;
}

int ConnectTo(const std::string& address, int port) {
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(static_cast<uint16_t>(port));
  if (::inet_pton(AF_INET, address.c_str(), &target.sin_addr) != 1) return -1;
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&target), sizeof target) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Copies bytes both ways until either side closes.
void Pump(int a, int b) {
  pollfd fds[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
  char buffer[16384];
  for (;;) {
    if (::poll(fds, 2, 30000) <= 0) return;
    for (int i = 0; i < 2; ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      const ssize_t n = ::recv(fds[i].fd, buffer, sizeof buffer, 0);
      if (n <= 0 || !SendAll(fds[1 - i].fd, std::string(buffer, static_cast<size_t>(n)))) return;
    }
  }
}

std::string Reply(int status, const std::string& extraHeaders) {
  const std::string body = "test proxy: " + std::to_string(status) + "\n";
  return "HTTP/1.1 " + std::to_string(status) + " Test Proxy\r\n" + extraHeaders +
         "Content-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

// "host:port" (host may be "[v6]"); the port defaults to 80.
void SplitAuthority(const std::string& authority, std::string& host, int& port) {
  const size_t colon = authority.rfind(':');
  const size_t bracket = authority.rfind(']');
  port = 80;
  host = authority;
  if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
    host = authority.substr(0, colon);
    port = std::atoi(authority.c_str() + colon + 1);
  }
}

}  // namespace

std::string ForwardProxy::AddressOf(const std::string& host) const {
  const auto mapped = options_.hosts.find(host);
  if (mapped != options_.hosts.end()) return mapped->second;
  if (host == "localhost") return "127.0.0.1";
  if (host.rfind("127.", 0) == 0) return host;
  return {};
}

void ForwardProxy::Log(const std::string& entry) {
  if (options_.logPath.empty()) return;
  std::lock_guard<std::mutex> lock(logMutex_);
  std::ofstream(options_.logPath, std::ios::binary | std::ios::app) << entry;
}

void ForwardProxy::Serve(int client) {
  std::string head, rest;
  if (!ReadHead(client, head, rest)) {
    ::close(client);
    return;
  }
  // The log entry: the request line and headers without their CRs, then an empty line.
  std::string entry;
  for (char c : head.substr(0, head.size() - 2)) {
    if (c != '\r') entry += c;
  }
  Log(entry + "\n");

  std::istringstream lines(head);
  std::string method, target, version;
  lines >> method >> target >> version;

  if (options_.refuseWith != 0) {
    const std::string challenge = options_.refuseWith == 407
                                      ? "Proxy-Authenticate: Negotiate\r\nProxy-Authenticate: NTLM\r\n"
                                      : "";
    SendAll(client, Reply(options_.refuseWith, challenge));
    ::close(client);
    return;
  }

  std::string authority, path;
  if (method == "CONNECT") {
    authority = target;
  } else if (target.rfind("http://", 0) == 0) {
    const size_t slash = target.find('/', 7);
    authority = target.substr(7, slash == std::string::npos ? std::string::npos : slash - 7);
    path = slash == std::string::npos ? "/" : target.substr(slash);
  } else {
    SendAll(client, Reply(400, ""));
    ::close(client);
    return;
  }
  std::string host;
  int port = 80;
  SplitAuthority(authority, host, port);
  const std::string address = AddressOf(host);
  const int upstream = address.empty() ? -1 : ConnectTo(address, port);
  if (upstream < 0) {
    SendAll(client, Reply(502, ""));
    ::close(client);
    return;
  }

  bool ok;
  if (method == "CONNECT") {
    ok = SendAll(client, "HTTP/1.1 200 Connection established\r\n\r\n") && SendAll(upstream, rest);
  } else {
    std::string forwarded = method + " " + path + " " + version + "\r\n";
    std::string line;
    std::getline(lines, line);  // the rest of the request line
    while (std::getline(lines, line) && line != "\r") {
      const std::string name = line.substr(0, line.find(':'));
      if (name == "Proxy-Connection" || name == "Connection") continue;
      forwarded += line + "\n";
    }
    forwarded += "Connection: close\r\n\r\n";
    ok = SendAll(upstream, forwarded + rest);
  }
  if (ok) Pump(client, upstream);
  ::close(upstream);
  ::close(client);
}

}  // namespace quillbox::testproxy
