// UTF-8 and UTF-16 conversion: any input converts, and a converted text round-trips.
#include <cstdlib>
#include <string>

#include "common/text_utf.h"

using namespace quillbox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string text = Utf8ToUtf16(bytes);
  const std::string utf8 = Utf16ToUtf8(text);
  if (Utf8ToUtf16(utf8) != text) std::abort();

  std::u16string units;
  for (size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  const std::string fromUnits = Utf16ToUtf8(units);
  if (Utf16ToUtf8(Utf8ToUtf16(fromUnits)) != fromUnits) std::abort();
  return 0;
}
