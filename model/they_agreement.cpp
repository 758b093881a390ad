#include "model/they_agreement.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace quillbox {
namespace {

constexpr char16_t kRightQuote = 0x2019;  // the typographic apostrophe Word puts in

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool IsApostrophe(char16_t c) { return c == u'\'' || c == kRightQuote; }

// Letters of any script count as word characters, so that a word with an accented letter is
// read whole (and then matches none of the lists below). U+2000 to U+2BFF (punctuation, the
// typographic apostrophe among it, and symbols) are not letters.
bool IsLetter(char16_t c) {
  if (c < 0xC0) return IsAsciiLetter(c);
  if (c == 0xD7 || c == 0xF7) return false;
  return c < 0x2000 || c >= 0x2C00;
}

bool IsGap(char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0; }

// A word of up to 16 characters as two numbers, so that looking it up in the lists below is a
// comparison of numbers; longer words become a value that no listed word has.
struct PackedWord {
  uint64_t low = 0;
  uint64_t high = 0;
  constexpr bool operator==(const PackedWord& other) const { return low == other.low && high == other.high; }
};

constexpr PackedWord Pack(std::string_view s) {
  PackedWord packed;
  if (s.size() > 16) {
    packed.low = packed.high = ~uint64_t{0};
    return packed;
  }
  for (size_t i = 0; i < s.size(); ++i) {
    const uint64_t byte = static_cast<unsigned char>(s[i]);
    if (i < 8) {
      packed.low |= byte << (8 * i);
    } else {
      packed.high |= byte << (8 * (i - 8));
    }
  }
  return packed;
}

template <size_t N>
constexpr std::array<PackedWord, N> PackAll(const std::array<std::string_view, N>& words) {
  std::array<PackedWord, N> packed{};
  for (size_t i = 0; i < N; ++i) packed[i] = Pack(words[i]);
  return packed;
}

// A word of the text and its key for the lists below: lower case, "'" for either apostrophe,
// "\x01" for a letter outside ASCII. Words longer than the key are read whole but keyed by
// their last kKeyLength characters, which is all the suffix rules look at; no listed word is
// that long.
struct Word {
  static constexpr size_t kKeyLength = 24;
  size_t begin = 0;
  size_t end = 0;
  char key[kKeyLength] = {};
  size_t keyLength = 0;
  PackedWord packed;

  std::string_view Key() const { return std::string_view(key, keyLength); }
};

// The word starting at pos: letters, with apostrophes and hyphens inside it.
Word ReadWord(const std::u16string& text, size_t pos) {
  Word word;
  word.begin = pos;
  size_t i = pos;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (IsLetter(c) || ((IsApostrophe(c) || c == u'-') && i > pos && i + 1 < text.size() && IsLetter(text[i + 1]))) {
      ++i;
    } else {
      break;
    }
  }
  word.end = i;
  for (size_t k = i - pos > Word::kKeyLength ? i - Word::kKeyLength : pos; k < i; ++k) {
    const char16_t c = text[k];
    char keyed = '\x01';
    if (IsAsciiLetter(c)) {
      keyed = static_cast<char>(IsUpper(c) ? c - u'A' + 'a' : c);
    } else if (IsApostrophe(c)) {
      keyed = '\'';
    } else if (c == u'-') {
      keyed = '-';
    }
    word.key[word.keyLength++] = keyed;
  }
  word.packed = Pack(word.Key());
  return word;
}

// Compared character by character: the tails are a few letters, too short for memcmp to pay.
bool EndsWith(std::string_view s, std::string_view tail) {
  if (s.size() < tail.size()) return false;
  const size_t from = s.size() - tail.size();
  for (size_t i = 0; i < tail.size(); ++i) {
    if (s[from + i] != tail[i]) return false;
  }
  return true;
}

template <size_t N>
bool OneOf(const Word& word, const std::array<PackedWord, N>& words) {
  return std::find(words.begin(), words.end(), word.packed) != words.end();
}

// Words that may stand between "they" and its verb.
constexpr std::array<PackedWord, 24> kAdverbs = PackAll<24>({
    "always", "sometimes", "often",  "usually", "also",    "still",  "never",  "rarely",
    "seldom", "even",      "just",   "already", "now",     "generally", "not", "ever",
    "very",   "quite",     "too",    "rather",  "almost",  "then",   "once",   "soon"});

bool IsAdverb(const Word& word) {
  return (word.keyLength >= 4 && EndsWith(word.Key(), "ly")) || OneOf(word, kAdverbs);
}

// Forms of be, have, do and go, with their negatives.
struct Irregular {
  PackedWord singular;
  std::string_view plural;
};
constexpr std::array<Irregular, 9> kIrregular = {{{Pack("is"), "are"},
                                                   {Pack("was"), "were"},
                                                   {Pack("has"), "have"},
                                                   {Pack("does"), "do"},
                                                   {Pack("goes"), "go"},
                                                   {Pack("isn't"), "aren't"},
                                                   {Pack("wasn't"), "weren't"},
                                                   {Pack("hasn't"), "haven't"},
                                                   {Pack("doesn't"), "don't"}}};

// Words ending in "s" that are not verbs and so never lose it.
constexpr std::array<PackedWord, 18> kNotVerbs = PackAll<18>({
    "this",   "thus",       "his",        "hers",    "its",     "yes",     "plus",    "less",   "unless",
    "across", "perhaps",    "towards",    "afterwards", "besides", "whereas", "regardless", "ours", "yours"});

// Past participles that do not end in "ed".
constexpr std::array<PackedWord, 58> kParticiples = PackAll<58>({
    "been",   "become",  "begun",   "brought", "built",   "caught",  "chosen",  "come",    "done",   "drawn",
    "driven", "eaten",   "fallen",  "felt",    "found",   "forgotten", "given", "gone",    "got",    "gotten",
    "grown",  "had",     "heard",   "held",    "kept",    "known",   "learnt",  "left",    "led",    "lost",
    "made",   "meant",   "met",     "paid",    "put",     "read",    "run",     "said",    "seen",   "set",
    "shown",  "sought",  "spent",   "spoken",  "stood",   "taken",   "taught",  "thought", "told",   "understood",
    "won",    "written", "overcome", "undertaken", "risen", "swum",  "flown",   "sung"});

// Words in "ed" that after "he's" describe the pupil rather than say what they have done.
constexpr std::array<PackedWord, 30> kEdAdjectives = PackAll<30>({
    "interested", "motivated", "determined", "dedicated",  "focused",     "focussed",   "organised",
    "organized",  "disorganised", "disorganized", "talented", "gifted",  "skilled",    "reserved",
    "pleased",    "excited",   "engaged",    "committed",  "confused",    "concerned",  "worried",
    "tired",      "bored",     "distracted", "prepared",   "unprepared",  "relaxed",    "experienced",
    "advanced",   "well-behaved"});

bool IsParticiple(const Word& word) {
  if (OneOf(word, kParticiples)) return true;
  const std::string_view key = word.Key();
  return key.size() >= 4 && EndsWith(key, "ed") && !OneOf(word, kEdAdjectives) && !EndsWith(key, "-motivated");
}

bool IsConsonant(char c) { return c >= 'a' && c <= 'z' && std::string_view("aeiou").find(c) == std::string_view::npos; }

// Writes a lower-case replacement in the case of the word it replaces, with its apostrophe.
void AppendInCaseOf(std::u16string& out, const std::u16string& text, const Word& word, std::string_view lower) {
  const size_t length = word.end - word.begin;
  bool allUpper = length > 1;
  char16_t apostrophe = u'\'';
  for (size_t i = word.begin; i < word.end; ++i) {
    if (IsApostrophe(text[i])) apostrophe = text[i];
    if (IsAsciiLetter(text[i]) && !IsUpper(text[i])) allUpper = false;
  }
  const bool capital = IsUpper(text[word.begin]);
  for (size_t i = 0; i < lower.size(); ++i) {
    const char c = lower[i];
    if (c == '\'') {
      out.push_back(apostrophe);
    } else if (allUpper || (capital && i == 0)) {
      out.push_back(static_cast<char16_t>(c - 'a' + 'A'));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
}

// The plural form of a third-person verb, appended to out; any other word is copied as it is.
// True when the word was a third-person verb.
bool AppendAgreed(std::u16string& out, const std::u16string& text, const Word& word) {
  const std::string_view key = word.Key();
  const std::u16string_view original(text.data() + word.begin, word.end - word.begin);
  for (const Irregular& form : kIrregular) {
    if (word.packed == form.singular) {
      AppendInCaseOf(out, text, word, form.plural);
      return true;
    }
  }
  const bool regular = key.size() >= 3 && EndsWith(key, "s") && !EndsWith(key, "ss") && !EndsWith(key, "us") &&
                       !EndsWith(key, "is") && !EndsWith(key, "'s") && !OneOf(word, kNotVerbs);
  if (!regular) {
    out.append(original);
    return false;
  }
  if (key.size() >= 4 && EndsWith(key, "ies") && IsConsonant(key[key.size() - 4])) {
    out.append(original.substr(0, original.size() - 3));
    out.push_back(IsUpper(original[original.size() - 3]) ? u'Y' : u'y');
  } else if (EndsWith(key, "sses") || EndsWith(key, "shes") || EndsWith(key, "ches") || EndsWith(key, "xes") ||
             EndsWith(key, "zzes") || EndsWith(key, "oes")) {
    out.append(original.substr(0, original.size() - 2));
  } else {
    out.append(original.substr(0, original.size() - 1));
  }
  return true;
}

// Words that may stand between a verb and "and", "or" or "but" joining a second verb to it.
constexpr std::array<PackedWord, 5> kVerbModifiers = PackAll<5>({"hard", "well", "too", "again", "more"});
constexpr std::array<PackedWord, 3> kConjunctions = PackAll<3>({"and", "or", "but"});

size_t SkipGaps(const std::u16string& text, size_t pos) {
  while (pos < text.size() && IsGap(text[pos])) ++pos;
  return pos;
}

// The first word after pos that is not one of the adverbs, when only gaps and adverbs come
// before it and it ends before limit (the next "they", which is handled on its own).
bool FindGoverned(const std::u16string& text, size_t pos, size_t limit, Word& found) {
  for (;;) {
    pos = SkipGaps(text, pos);
    if (pos >= text.size() || !IsLetter(text[pos])) return false;
    Word word = ReadWord(text, pos);
    if (word.end >= limit) return false;
    if (!IsAdverb(word)) {
      found = std::move(word);
      return true;
    }
    pos = word.end;
  }
}

// "'s" (either apostrophe) right behind a "they", not followed by a letter.
bool IsContractedS(const std::u16string& text, size_t pos) {
  return pos + 1 < text.size() && IsApostrophe(text[pos]) && (text[pos + 1] == u's' || text[pos + 1] == u'S') &&
         (pos + 2 >= text.size() || !IsLetter(text[pos + 2]));
}

}  // namespace

void AgreeWithThey(const std::u16string& text, const std::vector<size_t>& theyEnds, std::u16string& out) {
  out.clear();
  out.reserve(text.size() + 8);
  size_t copied = 0;
  for (size_t k = 0; k < theyEnds.size(); ++k) {
    const size_t end = theyEnds[k];
    if (end < copied) continue;
    const size_t limit = k + 1 < theyEnds.size() ? theyEnds[k + 1] : text.size() + 1;
    out.append(text, copied, end - copied);
    copied = end;
    if (IsContractedS(text, end)) {
      Word next;
      const bool participle = FindGoverned(text, end + 2, limit, next) && IsParticiple(next);
      const bool upper = text[end + 1] == u'S';
      out.push_back(text[end]);
      out.append(participle ? (upper ? u"VE" : u"ve") : (upper ? u"RE" : u"re"));
      copied = end + 2;
      continue;
    }
    // The verb, then any verb joined to it ("they listen carefully and contribute"): after
    // adverbs and "and", "or" or "but" only, so "and tests show" after a noun stays alone.
    // Letters glued to "they" make no word of their own.
    if (end >= text.size() || !IsGap(text[end])) continue;
    Word verb;
    size_t from = end;
    while (FindGoverned(text, from, limit, verb)) {
      out.append(text, copied, verb.begin - copied);
      copied = verb.end;
      if (!AppendAgreed(out, text, verb)) break;
      size_t pos = verb.end;
      Word joint;
      for (;;) {
        pos = SkipGaps(text, pos);
        if (pos >= text.size() || !IsLetter(text[pos])) break;
        joint = ReadWord(text, pos);
        if (!IsAdverb(joint) && !OneOf(joint, kVerbModifiers)) break;
        pos = joint.end;
      }
      if (!OneOf(joint, kConjunctions) || joint.end >= limit || joint.begin < verb.end) break;
      from = joint.end;
    }
  }
  out.append(text, copied, std::u16string::npos);
}

}  // namespace quillbox
