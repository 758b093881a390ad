// The offline copy's reader on any bytes: the sealed file's header and the copy inside it.
// The cryptography is replaced by a pass-through so that the fuzzer reaches the copy's parser
// through the same path as a file that opened.
#include <cstdlib>
#include <string_view>

#include "offline/sealed_copy.h"

using namespace quillbox;

namespace {

class PassThroughCipher : public CopyCipher {
 public:
  std::string RandomBytes(size_t count) override { return std::string(count, '\x5a'); }
  std::string DeriveKey(const std::string&, const std::string&, uint32_t) override { return std::string(32, 'k'); }
  std::string Seal(const std::string&, const std::string&, const std::string&, const std::string& plain) override {
    return plain + std::string(kCopyTagBytes, 't');
  }
  std::optional<std::string> Open(const std::string&, const std::string&, const std::string&,
                                  const std::string& sealed) override {
    return sealed.substr(0, sealed.size() - kCopyTagBytes);
  }
  std::string Hash(const std::string& bytes) override { return bytes; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  PassThroughCipher cipher;
  // What opens must seal and open again to the same copy.
  if (const std::optional<OfflineCopy> copy = OpenSealedCopy(bytes, u"pw", cipher)) {
    const std::string again = SerialiseCopy(*copy);
    const CopyKey key{std::string(32, 'k'), std::string(kCopySaltBytes, 's'), kCopyKeyIterations};
    const std::optional<OfflineCopy> reopened = OpenSealedCopy(SealCopy(*copy, key, cipher), u"pw", cipher);
    if (!reopened || SerialiseCopy(*reopened) != again) std::abort();
  }
  if (const std::optional<OfflineCopy> copy = ParseCopy(bytes)) {
    const std::optional<OfflineCopy> again = ParseCopy(SerialiseCopy(*copy));
    if (!again || again->subjects != copy->subjects || again->entries.size() != copy->entries.size()) std::abort();
  }
  return 0;
}
