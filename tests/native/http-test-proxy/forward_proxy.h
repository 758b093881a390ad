#pragma once
// One client connection of the test proxy, handled to its end: CONNECT is tunnelled, an
// absolute-form request is forwarded in origin form with "Connection: close". Only loopback
// addresses and the proxy's own names are ever connected to; no name is looked up.

#include <mutex>
#include <string>
#include <utility>

#include "proxy_options.h"

namespace quillbox::testproxy {

class ForwardProxy {
 public:
  explicit ForwardProxy(ProxyOptions options) : options_(std::move(options)) {}
  void Serve(int client);  // closes client

 private:
  // The IPv4 address for a host name, or empty when the proxy does not forward there.
  std::string AddressOf(const std::string& host) const;
  void Log(const std::string& entry);

  ProxyOptions options_;
  std::mutex logMutex_;
};

}  // namespace quillbox::testproxy
