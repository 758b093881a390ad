// A login key reply from the fuzzer, turned into the address the browser gets.
#include "reply_harness.h"
#include "service/website.h"

using namespace quillbox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BodyTransport http(data, size);
  const std::optional<std::string> key = ServiceClient(fuzz::Account(), http).FetchLoginKey();
  (void)WebsiteAddress(u"http://svc.test", key, u"index/edit");
  return 0;
}
