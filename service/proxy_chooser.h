#pragma once
// Decides how each request reaches its URL, the way Windows programs follow the user's
// Internet settings, and remembers the decision for the scheme and host.

#include <map>
#include <mutex>
#include <string>
#include <vector>

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

  // The routes to try for url, in order, never empty. In this order of sources: automatic
  // detection or the configuration script of the user's settings, when either is set and
  // answers (asked about the scheme, host and port only), whose proxy list is tried entry by
  // entry ("DIRECT" in it and a bypass list naming the host mean direct); else the fixed
  // proxy for the URL's scheme, unless the bypass list names the host (then direct); else the
  // stack's default. The decision for a scheme and host is remembered, so that a slow
  // detection runs once, until a request cannot connect on any of its routes.
  std::vector<ProxyRoute> RoutesFor(const std::string& url);

  // A request to url connected on route: later requests to its scheme and host take only it.
  void Reached(const std::string& url, const ProxyRoute& route);

  // A request to url could not connect on any of its routes: whatever was remembered for the
  // scheme and host is forgotten (proxy, direct or default), so the next request looks again.
  void ConnectFailed(const std::string& url);

 private:
  std::vector<ProxyRoute> Decide(const std::string& lookupUrl, const std::string& scheme, const std::string& host);

  ProxyLookup& lookup_;
  std::mutex mutex_;
  std::map<std::string, std::vector<ProxyRoute>> remembered_;  // by "scheme://host", host in lower case
};

}  // namespace quillbox
