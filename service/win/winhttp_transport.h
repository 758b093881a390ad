#pragma once
// The add-in's HTTP GET on WinHTTP, synchronous: one session, connection and request per
// call, all closed before it returns. Each session is opened with the route the user's
// Internet settings give the URL (a proxy, direct, or WinHTTP's default).

#include <string>

#include "service/http_transport.h"
#include "service/proxy_chooser.h"
#include "service/win/winhttp_proxy_lookup.h"

namespace quillbox::win {

class WinHttpTransport : public HttpTransport {
 public:
  // Routes from the user's Internet settings, read through WinHTTP.
  WinHttpTransport() : proxies_(ownLookup_) {}
  // Routes from the given settings and answers (which must outlive the transport).
  explicit WinHttpTransport(ProxyLookup& lookup) : proxies_(lookup) {}

  // Fetches url ("http://", "https://" in any case, or no scheme; an explicit ":port" is
  // honoured) and returns the reply body whatever its status code. Every failure is silent
  // and yields the bytes read until then. Certificates are always checked.
  // Through a proxy, a reply that the proxy itself gives counts as a failure: a 407, and for
  // plain http a 5xx (inside an https tunnel a 5xx can only be the service's own reply).
  // The routes of a proxy list are tried in order until one connects.
  std::string Get(const std::string& url) override;
  std::string Fetch(const std::string& url, TransportFailure& failure) override;

 private:
  WinHttpProxyLookup ownLookup_;
  ProxyChooser proxies_;  // remembered for this object's life
};

}  // namespace quillbox::win
