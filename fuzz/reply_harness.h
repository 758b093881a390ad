#pragma once
// Serves the fuzzer's bytes as the body of every reply.

#include <string>

#include "service/http_transport.h"
#include "service/service_client.h"

namespace quillbox::fuzz {

class BodyTransport : public HttpTransport {
 public:
  BodyTransport(const uint8_t* data, size_t size) : body_(reinterpret_cast<const char*>(data), size) {}
  std::string Get(const std::string&) override { return body_; }

 private:
  std::string body_;
};

inline const ServiceAccount& Account() {
  static const ServiceAccount account{u"http://svc.test", u"teacher@school.test", u"pw"};
  return account;
}

}  // namespace quillbox::fuzz
