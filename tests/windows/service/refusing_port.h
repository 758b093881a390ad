#pragma once

#include <winsock2.h>

namespace quillbox::testing {

// A TCP port on 127.0.0.1 that is bound but never listens, so a connection to it is refused
// for as long as the object lives.
class RefusingPort {
 public:
  RefusingPort() {
    WSADATA data;
    started_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (socket_ != INVALID_SOCKET &&
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port_ = ntohs(address.sin_port);
    }
  }
  ~RefusingPort() {
    if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
    if (started_) ::WSACleanup();
  }
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;

  int Port() const { return port_; }

 private:
  bool started_ = false;
  SOCKET socket_ = INVALID_SOCKET;
  int port_ = 0;
};

}  // namespace quillbox::testing
