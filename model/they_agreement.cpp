#include "model/they_agreement.h"

#include <algorithm>
#include <array>
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

  std::string_view Key() const { return std::string_view(key, keyLength); }
};

Word ReadWord(const std::u16string& text, size_t pos) {
  Word word;
  word.begin = pos;
  size_t i = pos;
  auto keep = [&word](char c) {
    if (word.keyLength == Word::kKeyLength) {
      std::copy(word.key + 1, word.key + Word::kKeyLength, word.key);
      --word.keyLength;
    }
    word.key[word.keyLength++] = c;
  };
  while (i < text.size()) {
    const char16_t c = text[i];
    if (IsLetter(c)) {
      keep(IsAsciiLetter(c) ? static_cast<char>(IsUpper(c) ? c - u'A' + 'a' : c) : '\x01');
      ++i;
    } else if ((IsApostrophe(c) || c == u'-') && i > pos && i + 1 < text.size() && IsLetter(text[i + 1])) {
      keep(c == u'-' ? '-' : '\'');
      ++i;
    } else {
      break;
    }
  }
  word.end = i;
  return word;
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

template <size_t N>
bool OneOf(std::string_view key, const std::array<std::string_view, N>& words) {
  return std::find(words.begin(), words.end(), key) != words.end();
}

// Words that may stand between "they" and its verb.
constexpr std::array<std::string_view, 24> kAdverbs = {
    "always", "sometimes", "often",  "usually", "also",    "still",  "never",  "rarely",
    "seldom", "even",      "just",   "already", "now",     "generally", "not", "ever",
    "very",   "quite",     "too",    "rather",  "almost",  "then",   "once",   "soon"};

bool IsAdverb(std::string_view key) { return (key.size() >= 4 && EndsWith(key, "ly")) || OneOf(key, kAdverbs); }

// Forms of be, have, do and go, with their negatives.
struct Irregular {
  std::string_view singular;
  std::string_view plural;
};
constexpr std::array<Irregular, 9> kIrregular = {{{"is", "are"},
                                                   {"was", "were"},
                                                   {"has", "have"},
                                                   {"does", "do"},
                                                   {"goes", "go"},
                                                   {"isn't", "aren't"},
                                                   {"wasn't", "weren't"},
                                                   {"hasn't", "haven't"},
                                                   {"doesn't", "don't"}}};

// Words ending in "s" that are not verbs and so never lose it.
constexpr std::array<std::string_view, 18> kNotVerbs = {
    "this",   "thus",       "his",        "hers",    "its",     "yes",     "plus",    "less",   "unless",
    "across", "perhaps",    "towards",    "afterwards", "besides", "whereas", "regardless", "ours", "yours"};

// Past participles that do not end in "ed".
constexpr std::array<std::string_view, 58> kParticiples = {
    "been",   "become",  "begun",   "brought", "built",   "caught",  "chosen",  "come",    "done",   "drawn",
    "driven", "eaten",   "fallen",  "felt",    "found",   "forgotten", "given", "gone",    "got",    "gotten",
    "grown",  "had",     "heard",   "held",    "kept",    "known",   "learnt",  "left",    "led",    "lost",
    "made",   "meant",   "met",     "paid",    "put",     "read",    "run",     "said",    "seen",   "set",
    "shown",  "sought",  "spent",   "spoken",  "stood",   "taken",   "taught",  "thought", "told",   "understood",
    "won",    "written", "overcome", "undertaken", "risen", "swum",  "flown",   "sung"};

// Words in "ed" that after "he's" describe the pupil rather than say what they have done.
constexpr std::array<std::string_view, 30> kEdAdjectives = {
    "interested", "motivated", "determined", "dedicated",  "focused",     "focussed",   "organised",
    "organized",  "disorganised", "disorganized", "talented", "gifted",  "skilled",    "reserved",
    "pleased",    "excited",   "engaged",    "committed",  "confused",    "concerned",  "worried",
    "tired",      "bored",     "distracted", "prepared",   "unprepared",  "relaxed",    "experienced",
    "advanced",   "well-behaved"};

bool IsParticiple(std::string_view key) {
  if (OneOf(key, kParticiples)) return true;
  return key.size() >= 4 && EndsWith(key, "ed") && !OneOf(key, kEdAdjectives) && !EndsWith(key, "-motivated");
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
    if (key == form.singular) {
      AppendInCaseOf(out, text, word, form.plural);
      return true;
    }
  }
  const bool regular = key.size() >= 3 && EndsWith(key, "s") && !EndsWith(key, "ss") && !EndsWith(key, "us") &&
                       !EndsWith(key, "is") && !EndsWith(key, "'s") && !OneOf(key, kNotVerbs);
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
constexpr std::array<std::string_view, 5> kVerbModifiers = {"hard", "well", "too", "again", "more"};

bool IsConjunction(std::string_view key) { return key == "and" || key == "or" || key == "but"; }

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
    if (!IsAdverb(word.Key())) {
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

std::u16string AgreeWithThey(const std::u16string& text, const std::vector<size_t>& theyEnds) {
  std::u16string out;
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
      const bool participle = FindGoverned(text, end + 2, limit, next) && IsParticiple(next.Key());
      const bool upper = text[end + 1] == u'S';
      out.push_back(text[end]);
      out.append(participle ? (upper ? u"VE" : u"ve") : (upper ? u"RE" : u"re"));
      copied = end + 2;
      continue;
    }
    // The verb, then any verb joined to it ("they listen carefully and contribute"): after
    // adverbs and "and", "or" or "but" only, so "and tests show" after a noun stays alone.
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
        if (!IsAdverb(joint.Key()) && !OneOf(joint.Key(), kVerbModifiers)) break;
        pos = joint.end;
      }
      if (!IsConjunction(joint.Key()) || joint.end >= limit || joint.begin < verb.end) break;
      from = joint.end;
    }
  }
  out.append(text, copied, std::u16string::npos);
  return out;
}

}  // namespace quillbox
