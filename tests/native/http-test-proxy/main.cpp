// A loopback forward proxy for testing the add-in's proxy support: it prints the port it
// listens on and serves each connection on its own thread.
// Usage: quillbox-http-test-proxy [--port N] [--log FILE] [--map NAME=IPV4]... [--refuse STATUS]

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <thread>

#include "forward_proxy.h"

int main(int argc, char** argv) {
  using namespace quillbox::testproxy;
  std::string error;
  const auto options = ParseProxyOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << argv[0] << ": " << error << "\n";
    return 2;
  }
  std::signal(SIGPIPE, SIG_IGN);
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  const int yes = 1;
  ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(options->port));
  socklen_t length = sizeof address;
  if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener, 64) != 0 ||
      ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    std::cerr << argv[0] << ": cannot listen on 127.0.0.1:" << options->port << "\n";
    return 1;
  }
  std::cout << "listening on http://127.0.0.1:" << ntohs(address.sin_port) << std::endl;

  static ForwardProxy proxy(*options);
  for (;;) {
    const int client = ::accept(listener, nullptr, nullptr);
    if (client < 0) continue;
    std::thread([client] { proxy.Serve(client); }).detach();
  }
}
