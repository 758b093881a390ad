#pragma once
// The add-in's HTTP GET on WinHTTP, synchronous: one session, connection and request per
// call, all closed before it returns.

#include <string>

#include "service/http_transport.h"

namespace quillbox::win {

class WinHttpTransport : public HttpTransport {
 public:
  // Fetches url ("http://", "https://" in any case, or no scheme; an explicit ":port" is
  // honoured) and returns the reply body whatever its status code. Every failure is silent
  // and yields the bytes read until then. Certificates are always checked.
  std::string Get(const std::string& url) override;
};

}  // namespace quillbox::win
