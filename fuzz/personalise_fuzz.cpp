// Personalisation and label shortening with fuzzed names and comments.
#include <cstdlib>
#include <string>

#include "model/personalise.h"

using namespace quillbox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const auto pronouns = static_cast<PronounSet>(data[0] % 3);
  const size_t nameUnits = data[1] % 16;
  std::u16string units;
  for (size_t i = 2; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  const std::u16string name = units.substr(0, std::min(nameUnits, units.size()));
  const std::u16string comment = units.substr(name.size());

  const std::u16string text = PersonaliseComment(comment, name, pronouns);
  for (char16_t marker : {u'~', u'^', u'*'}) {
    if (text.find(marker) != std::u16string::npos) std::abort();  // every pronoun marker is replaced
  }
  const std::u16string label = ShortenLabel(text);
  if (label.size() > kLabelLimit + 3) std::abort();
  if (text.size() > kLabelLimit) {
    if (label.size() < 3 || label.compare(label.size() - 3, 3, u"...") != 0) std::abort();
    const size_t kept = label.size() - 3;
    // No surrogate pair of the text is split: a kept high surrogate is not followed by its
    // low half in the text.
    if (kept > 0 && label[kept - 1] >= 0xD800 && label[kept - 1] <= 0xDBFF && text[kept] >= 0xDC00 &&
        text[kept] <= 0xDFFF) {
      std::abort();
    }
  } else if (label != text) {
    std::abort();
  }
  return 0;
}
