#include "model/personalise.h"

#include <cstdint>
#include <vector>

#include "model/they_agreement.h"

namespace quillbox {
namespace {

// The word a pronoun marker stands for, or null for any other character.
const char16_t* PronounFor(char16_t c, PronounSet pronouns) {
  switch (c) {
    case u'~': return pronouns == PronounSet::kBoy ? u"his" : pronouns == PronounSet::kGirl ? u"her" : u"their";
    case u'^': return pronouns == PronounSet::kBoy ? u"he" : pronouns == PronounSet::kGirl ? u"she" : u"they";
    case u'*': return pronouns == PronounSet::kBoy ? u"him" : pronouns == PronounSet::kGirl ? u"her" : u"them";
    default: return nullptr;
  }
}

// "#", "~", "^" or "*": one bit each in two 64-bit masks over the characters below 128.
constexpr uint64_t kMarkersLow = (uint64_t{1} << u'#') | (uint64_t{1} << u'*');
constexpr uint64_t kMarkersHigh = (uint64_t{1} << (u'^' - 64)) | (uint64_t{1} << (u'~' - 64));
bool IsMarker(char16_t c) {
  if (c >= 128) return false;
  return (((c < 64 ? kMarkersLow : kMarkersHigh) >> (c & 63)) & 1) != 0;
}

// Appends text with its pronoun markers replaced ("#" is left as it is), noting where each
// "they" that "^" put in ends.
void AppendWithPronouns(std::u16string& out, std::u16string_view text, PronounSet pronouns,
                        std::vector<size_t>& theyEnds) {
  for (char16_t c : text) {
    if (const char16_t* word = PronounFor(c, pronouns)) {
      out.append(word);
      if (c == u'^' && pronouns == PronounSet::kThey) theyEnds.push_back(out.size());
    } else {
      out.push_back(c);
    }
  }
}

// Characters above U+00FF that the system's character classification counts as spaces.
bool IsWideSpace(char16_t c) {
  switch (c) {
    case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

}  // namespace

// One pass does the work of the four replacement steps: the pupil's name goes in for "#" with
// its own pronoun markers already replaced (the later steps would replace them), and a "#"
// inside the name stays, since the name step does not scan what it put in. Text between
// markers is copied in one piece.
std::u16string PersonaliseComment(std::u16string_view text, std::u16string_view pupilName, PronounSet pronouns) {
  std::u16string result;
  PersonaliseCommentInto(result, text, pupilName, pronouns);
  return result;
}

void PersonaliseCommentInto(std::u16string& result, std::u16string_view text, std::u16string_view pupilName,
                            PronounSet pronouns) {
  // Kept per thread between calls, so that relabelling a list allocates for none of them.
  thread_local std::vector<size_t> nameTheyEnds;
  thread_local std::u16string name;
  thread_local std::vector<size_t> theyEnds;
  thread_local std::u16string agreed;
  nameTheyEnds.clear();
  name.clear();
  AppendWithPronouns(name, pupilName, pronouns, nameTheyEnds);
  theyEnds.clear();
  result.clear();
  result.reserve(text.size() + text.size() / 4 + name.size());
  size_t copied = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (!IsMarker(c)) continue;
    result.append(text.data() + copied, i - copied);
    copied = i + 1;
    if (c == u'#') {
      for (size_t end : nameTheyEnds) theyEnds.push_back(result.size() + end);
      result.append(name);
    } else {
      result.append(PronounFor(c, pronouns));
      if (c == u'^' && pronouns == PronounSet::kThey) theyEnds.push_back(result.size());
    }
  }
  result.append(text.data() + copied, text.size() - copied);
  if (!theyEnds.empty()) {
    AgreeWithThey(result, theyEnds, agreed);
    result.swap(agreed);
  }
  if (!result.empty() && result[0] >= u'a' && result[0] <= u'z') {
    result[0] = static_cast<char16_t>(result[0] - u'a' + u'A');
  }
}

bool IsLabelSpace(char16_t c) {
  if (c <= 0xFF) return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0xA0;
  return IsWideSpace(c);
}

std::u16string ShortenLabel(std::u16string_view text) {
  std::u16string label;
  ShortenLabelInto(label, text);
  return label;
}

void ShortenLabelInto(std::u16string& label, std::u16string_view text) {
  if (text.size() <= kLabelLimit) {
    label.assign(text);
    return;
  }
  size_t cut = kLabelLimit;
  // Never leave half of a surrogate pair at the end of the label.
  const char16_t last = text[cut - 1];
  if (last >= 0xD800 && last <= 0xDBFF) --cut;
  while (cut > 0 && IsLabelSpace(text[cut - 1])) --cut;
  label.assign(text.substr(0, cut));
  label += u"...";
}

}  // namespace quillbox
