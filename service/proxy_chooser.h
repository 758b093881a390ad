#pragma once
// Decides how each request reaches its URL, the way Windows programs follow the user's
// Internet settings, and remembers the decision for the scheme and host.

#include <map>
#include <mutex>
#include <string>

#include "service/proxy_lookup.h"

namespace quillbox {

struct ProxyRoute {
  enum class Kind {
    SystemDefault,  // the HTTP stack's own default configuration
    Direct,         // no proxy
    Proxy,          // through the proxy named in `proxy`
  };
  Kind kind = Kind::SystemDefault;
  std::string proxy;  // "host:port" when kind is Proxy

  bool operator==(const ProxyRoute& other) const { return kind == other.kind && proxy == other.proxy; }
};

class ProxyChooser {
 public:
  explicit ProxyChooser(ProxyLookup& lookup) : lookup_(lookup) {}

  // In this order: automatic detection or the configuration script of the user's settings,
  // when either is set and answers (asked about the scheme, host and port only); else the fixed proxy for the URL's scheme, unless the
  // bypass list names the host (then direct); else the stack's default. The first decision
  // for a scheme and host is kept for the object's life, so a slow detection runs once.
  ProxyRoute RouteFor(const std::string& url);

  // A request to url could not connect: a remembered proxy is forgotten, so the next request
  // looks again. Any other remembered route stays.
  void ConnectFailed(const std::string& url);

 private:
  ProxyRoute Decide(const std::string& lookupUrl, const std::string& scheme, const std::string& host);

  ProxyLookup& lookup_;
  std::mutex mutex_;
  std::map<std::string, ProxyRoute> remembered_;  // by "scheme://host", host in lower case
};

}  // namespace quillbox
