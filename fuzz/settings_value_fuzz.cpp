// Registry value bytes of any type and length turned into the base URL.
#include <cstdlib>
#include <string_view>

#include "settings/base_url_value.h"

using namespace quillbox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint32_t type = data[0] % 12;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::u16string url = BaseUrlFromRegistryValue(true, type, bytes);
  if (url.size() > bytes.size() / 2) std::abort();
  if (url.find(u'\0') != std::u16string::npos) std::abort();
  return 0;
}
