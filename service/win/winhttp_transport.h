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
  // Fetches url ("http://", "https://" in any case, or no scheme; an explicit ":port" is
  // honoured) and returns the reply body whatever its status code. Every failure is silent
  // and yields the bytes read until then. Certificates are always checked.
  // Through a proxy, a reply that the proxy itself gives (407, or 5xx) counts as a failure:
  // it is not the service's reply.
  std::string Get(const std::string& url) override;

 private:
  WinHttpProxyLookup lookup_;
  ProxyChooser proxies_{lookup_};  // remembered for this object's life
};

}  // namespace quillbox::win
