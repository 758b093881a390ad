#include "model/pupil_memory.h"

#include <algorithm>

#include "model/personalise.h"

namespace quillbox {
namespace {

// Simple lower-case mapping of the capitals of the scripts in which pupils' names are usually
// typed; other characters are compared as they are.
char16_t Lower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  // Latin Extended-A pairs capitals and small letters as even and odd code points, except
  // between U+0138 and U+0148 and from U+0179 on, where the capital is the odd one.
  if (c >= 0x100 && c <= 0x137 && c % 2 == 0) return static_cast<char16_t>(c + 1);
  if (c >= 0x139 && c <= 0x148 && c % 2 == 1) return static_cast<char16_t>(c + 1);
  if (c >= 0x14A && c <= 0x177 && c % 2 == 0) return static_cast<char16_t>(c + 1);
  if (c >= 0x179 && c <= 0x17E && c % 2 == 1) return static_cast<char16_t>(c + 1);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
  return c;
}

}  // namespace

std::u16string TrimmedName(std::u16string_view name) {
  size_t begin = 0;
  size_t end = name.size();
  while (begin < end && IsLabelSpace(name[begin])) ++begin;
  while (end > begin && IsLabelSpace(name[end - 1])) --end;
  return std::u16string(name.substr(begin, end - begin));
}

std::u16string PupilKey(std::u16string_view name) {
  std::u16string key = TrimmedName(name);
  for (char16_t& c : key) c = Lower(c);
  return key;
}

std::optional<PronounSet> PupilMemory::PronounsFor(std::u16string_view name) const {
  const auto found = pronouns_.find(PupilKey(name));
  if (found == pronouns_.end()) return std::nullopt;
  return found->second;
}

void PupilMemory::RememberPronouns(std::u16string_view name, PronounSet pronouns) {
  std::u16string key = PupilKey(name);
  if (!key.empty()) pronouns_[std::move(key)] = pronouns;
}

void PupilMemory::RecordUse(const std::u16string& comment, std::u16string_view name) {
  std::u16string key = PupilKey(name);
  std::vector<Pupil>& pupils = usedFor_[comment];
  const bool known = std::any_of(pupils.begin(), pupils.end(), [&key](const Pupil& p) { return p.key == key; });
  if (!known) pupils.push_back(Pupil{std::move(key), TrimmedName(name)});
}

bool PupilMemory::WasUsedFor(const std::u16string& comment, std::u16string_view name) const {
  const auto found = usedFor_.find(comment);
  if (found == usedFor_.end()) return false;
  const std::u16string key = PupilKey(name);
  return std::any_of(found->second.begin(), found->second.end(), [&key](const Pupil& p) { return p.key == key; });
}

std::u16string PupilMemory::UsedForList(const std::u16string& comment) const {
  std::u16string list;
  const auto found = usedFor_.find(comment);
  if (found == usedFor_.end()) return list;
  for (const Pupil& pupil : found->second) {
    if (!list.empty()) list += u", ";
    list += pupil.shown;
  }
  return list;
}

void PupilMemory::Forget() {
  pronouns_.clear();
  usedFor_.clear();
}

}  // namespace quillbox
