#pragma once

#include <string>

namespace quillbox {

// Why a request got no reply from the service. Kept apart because each points the teacher, or
// the school's IT, at a different cause.
struct TransportFailure {
  enum class Kind {
    None,              // a reply arrived (whatever its status), or the cause is not known
    NoReply,           // no connection, no reply, or a proxy that failed or answered in its place
    Certificate,       // the server's TLS certificate was not accepted
    NameNotResolved,   // the service's host name could not be resolved
  };
  Kind kind = Kind::None;
  std::u16string reason;  // for Certificate: what the HTTP stack said was wrong with it
};

// Blocking HTTP GET. The reply body comes back whatever the status code; every failure is
// silent and yields what was read until then (empty when nothing arrived).
class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  virtual std::string Get(const std::string& url) = 0;
  // Get, and when the request got no reply, why (left at Kind::None otherwise). A transport
  // that cannot tell the causes apart keeps this one.
  virtual std::string Fetch(const std::string& url, TransportFailure& failure) {
    failure = {};
    return Get(url);
  }
};

}  // namespace quillbox
