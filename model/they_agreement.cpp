#include "model/they_agreement.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <string>
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
  constexpr bool operator<(const PackedWord& other) const {
    return low < other.low || (low == other.low && high < other.high);
  }
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

// The words packed and sorted, so that looking one up is a binary search.
template <size_t N>
constexpr std::array<PackedWord, N> PackAll(const std::array<std::string_view, N>& words) {
  std::array<PackedWord, N> packed{};
  for (size_t i = 0; i < N; ++i) {
    PackedWord next = Pack(words[i]);
    size_t at = i;
    for (; at > 0 && next < packed[at - 1]; --at) packed[at] = packed[at - 1];
    packed[at] = next;
  }
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
  // The key and its packed form in one pass.
  const bool packable = i - pos <= 16;
  if (!packable) word.packed.low = word.packed.high = ~uint64_t{0};
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
    if (packable) {
      const uint64_t byte = static_cast<unsigned char>(keyed);
      const size_t at = word.keyLength;
      if (at < 8) {
        word.packed.low |= byte << (8 * at);
      } else {
        word.packed.high |= byte << (8 * (at - 8));
      }
    }
    word.key[word.keyLength++] = keyed;
  }
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

// words comes from PackAll, sorted.
template <size_t N>
bool OneOf(const PackedWord& packed, const std::array<PackedWord, N>& words) {
  return std::binary_search(words.begin(), words.end(), packed);
}

template <size_t N>
bool OneOf(const Word& word, const std::array<PackedWord, N>& words) {
  return OneOf(word.packed, words);
}

// The letters from pos on and, for a word of up to 8 ASCII letters, their lower-case key: the
// cheap reading of a word that is only compared with short listed words.
struct ShortWord {
  size_t end = 0;
  PackedWord packed;
};

ShortWord ReadShortWord(const std::u16string& text, size_t pos) {
  ShortWord word;
  word.packed.high = ~uint64_t{0};  // no listed word: changed once the word proves short
  uint64_t low = 0;
  bool ascii = true;
  size_t i = pos;
  for (; i < text.size() && IsLetter(text[i]); ++i) {
    const char16_t c = text[i];
    if (i - pos < 8 && IsAsciiLetter(c)) {
      low |= static_cast<uint64_t>(IsUpper(c) ? c - u'A' + 'a' : c) << (8 * (i - pos));
    } else {
      ascii = false;
    }
  }
  word.end = i;
  if (ascii) word.packed = PackedWord{low, 0};
  return word;
}

// Words that may stand between "they" and its verb.
constexpr std::array<PackedWord, 29> kAdverbs = PackAll<29>({
    "always", "sometimes", "often",   "usually", "also",     "still",     "never",  "rarely",
    "seldom", "even",      "just",    "already", "now",      "generally", "not",    "ever",
    "very",   "quite",     "too",     "rather",  "almost",   "then",      "once",   "soon",
    "therefore", "perhaps", "either", "however", "nevertheless"});

bool IsAdverb(const Word& word) {
  return (word.keyLength >= 4 && EndsWith(word.Key(), "ly")) || OneOf(word, kAdverbs);
}

// Groups of words that stand between "they" and its verb as one adverb.
constexpr size_t kMaxPhrase = 4;
struct Phrase {
  std::array<PackedWord, kMaxPhrase> words;
  size_t length;
};
constexpr std::array<Phrase, 6> kAdverbPhrases = {{
    {{Pack("no"), Pack("longer")}, 2},
    {{Pack("at"), Pack("times")}, 2},
    {{Pack("more"), Pack("often"), Pack("than"), Pack("not")}, 4},
    {{Pack("from"), Pack("time"), Pack("to"), Pack("time")}, 4},
    {{Pack("all"), Pack("too"), Pack("often")}, 3},
    {{Pack("as"), Pack("a"), Pack("rule")}, 3},
}};

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
constexpr std::array<PackedWord, 86> kParticiples = PackAll<86>({
    "been",   "become",  "begun",   "brought", "built",   "caught",  "chosen",  "come",    "done",   "drawn",
    "driven", "eaten",   "fallen",  "felt",    "found",   "forgotten", "given", "gone",    "got",    "gotten",
    "grown",  "had",     "heard",   "held",    "kept",    "known",   "learnt",  "left",    "led",    "lost",
    "made",   "meant",   "met",     "paid",    "put",     "read",    "run",     "said",    "seen",   "set",
    "shown",  "sought",  "spent",   "spoken",  "stood",   "taken",   "taught",  "thought", "told",   "understood",
    "won",    "written", "overcome", "undertaken", "risen", "swum",  "flown",   "sung",
    "thrown", "sat",     "broken",  "bought",  "blown",   "beaten",  "bitten",  "dealt",   "dug",    "fought",
    "forgiven", "hidden", "hung",   "lent",    "let",     "mistaken", "ridden", "sent",    "shaken", "shone",
    "slept",  "sold",    "spun",    "stuck",   "struck",  "sworn",   "woken",   "worn"});

// Words in "ed" that after "he's" describe the pupil rather than say what they have done.
constexpr std::array<PackedWord, 30> kEdAdjectives = PackAll<30>({
    "interested", "motivated", "determined", "dedicated",  "focused",     "focussed",   "organised",
    "organized",  "disorganised", "disorganized", "talented", "gifted",  "skilled",    "reserved",
    "pleased",    "excited",   "engaged",    "committed",  "confused",    "concerned",  "worried",
    "tired",      "bored",     "distracted", "prepared",   "unprepared",  "relaxed",    "experienced",
    "advanced",   "well-behaved"});

// Participles that after "he's" say what the pupil is rather than what they have done:
// "she's involved in", "he's expected to", "she's liked by".
constexpr std::array<PackedWord, 14> kStateParticiples = PackAll<14>({
    "involved", "expected", "liked", "respected", "loved", "admired", "valued", "regarded", "considered",
    "known", "required", "supposed", "allowed", "entitled"});

// Words before a participle that make it describe the pupil: "well liked", "highly regarded".
constexpr std::array<PackedWord, 5> kStateIntensifiers = PackAll<5>({"well", "highly", "widely", "greatly", "so"});

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
const Irregular* FindIrregular(const Word& word) {
  for (const Irregular& form : kIrregular) {
    if (word.packed == form.singular) return &form;
  }
  return nullptr;
}

// A word in "s" that may be a third-person verb: not "ss", "us", "is", "'s" or a listed word.
bool IsRegularS(const Word& word) {
  const std::string_view key = word.Key();
  return key.size() >= 3 && EndsWith(key, "s") && !EndsWith(key, "ss") && !EndsWith(key, "us") &&
         !EndsWith(key, "is") && !EndsWith(key, "'s") && !OneOf(word, kNotVerbs);
}

// How many characters the plural form keeps of a regular third-person verb, and whether it
// ends in "y" instead ("tries": "tr" and "y").
struct Stem {
  size_t keep;
  bool y;
};

Stem StemOf(std::string_view key) {
  if (key.size() >= 4 && EndsWith(key, "ies") && IsConsonant(key[key.size() - 4])) return {key.size() - 3, true};
  if (EndsWith(key, "sses") || EndsWith(key, "shes") || EndsWith(key, "ches") || EndsWith(key, "xes") ||
      EndsWith(key, "zzes") || EndsWith(key, "oes") || EndsWith(key, "focuses")) {
    return {key.size() - 2, false};
  }
  return {key.size() - 1, false};
}

// The plural form of a third-person verb, appended to out; any other word is copied as it is.
// True when the word was a third-person verb.
bool AppendAgreed(std::u16string& out, const std::u16string& text, const Word& word) {
  const std::u16string_view original(text.data() + word.begin, word.end - word.begin);
  if (const Irregular* form = FindIrregular(word)) {
    AppendInCaseOf(out, text, word, form->plural);
    return true;
  }
  if (!IsRegularS(word)) {
    out.append(original);
    return false;
  }
  // Only the last kKeyLength characters are keyed, so the stem is counted from the end.
  const Stem stem = StemOf(word.Key());
  const size_t dropped = word.keyLength - stem.keep;
  out.append(original.substr(0, original.size() - dropped));
  if (stem.y) out.push_back(IsUpper(original[original.size() - 3]) ? u'Y' : u'y');
  return true;
}

// Verbs that a report says a pupil does, in their plural form: a word in "s" that is joined on
// after "and", "or", "but" or a comma is a verb of "they" only when it is one of these, so that
// "and others value" or "but marks do" keeps the subject of its own clause.
constexpr std::string_view kReportVerbs[] = {
    "accept",    "achieve",   "act",        "adapt",      "add",         "admit",       "aim",       "analyse",
    "answer",    "apply",     "approach",   "argue",      "ask",         "attempt",     "attend",    "avoid",
    "behave",    "believe",   "benefit",    "bring",      "build",       "calculate",   "care",      "carry",
    "catch",     "challenge", "change",     "chat",       "check",       "choose",      "collaborate", "come",
    "communicate", "compare", "complain",   "complete",   "concentrate", "consider",    "contribute", "cooperate",
    "cope",      "copy",      "correct",    "create",     "dance",       "deal",        "debate",    "decide",
    "demonstrate", "describe", "deserve",   "design",     "develop",     "discuss",     "display",   "disrupt",
    "draw",      "drift",     "edit",       "encourage",  "engage",      "enjoy",       "ensure",    "evaluate",
    "excel",     "experiment", "explain",   "explore",    "express",     "fail",        "feel",      "find",
    "finish",    "fix",       "focus",      "follow",     "forget",      "gain",        "get",       "give",
    "grasp",     "grow",      "handle",     "help",       "hesitate",    "hold",        "hope",      "identify",
    "improve",   "include",   "inspire",    "interrupt",  "investigate", "join",        "keep",      "know",
    "lack",      "laugh",     "lead",       "learn",      "leave",       "like",        "listen",    "look",
    "lose",      "love",      "make",       "manage",     "meet",        "miss",        "mix",       "move",
    "need",      "notice",    "offer",      "organise",   "paint",       "participate", "perform",   "persevere",
    "plan",      "play",      "practise",   "prefer",     "prepare",     "present",     "produce",   "pronounce",
    "provide",   "push",      "put",        "question",   "reach",       "read",        "realise",   "reason",
    "recall",    "recognise", "record",     "reflect",    "rehearse",    "relax",       "rely",      "remain",
    "remember",  "research",  "respond",    "return",     "review",      "revise",      "run",       "rush",
    "say",       "score",     "see",        "seek",       "seem",        "settle",      "share",     "show",
    "sing",      "sketch",    "solve",      "speak",      "spell",       "spend",       "stay",      "strive",
    "struggle",  "study",     "succeed",    "support",    "swim",        "take",        "talk",      "teach",
    "tend",      "think",     "thrive",     "tidy",       "translate",   "try",         "turn",      "understand",
    "use",       "value",     "volunteer",  "want",       "watch",       "welcome",     "wish",      "work",
    "worry",     "write",     "annotate",   "organize",   "practice",    "memorise",    "draft",     "set",
    "let",       "sit",       "stand",      "sleep",      "tell",        "wear",        "begin",     "send",
    "win",       "shine",     "fall",       "rise",       "hand",        "arrive",      "dream",     "smile"};

bool IsReportVerb(std::string_view plural) {
  return std::find(std::begin(kReportVerbs), std::end(kReportVerbs), plural) != std::end(kReportVerbs);
}

// Forms that agree with a plural subject: after a word in "s", they make that word the subject
// of a clause of its own ("marks do not", "results will").
constexpr std::array<PackedWord, 24> kPluralAgreement = PackAll<24>({
    "are",   "were",   "have",   "do",     "don't", "aren't", "weren't", "haven't", "can",   "can't", "cannot", "will",
    "won't", "would",  "should", "could",  "may",   "might",  "must",    "need",    "seem",  "show",  "suggest", "reflect"});

// Words that open a clause with a subject of its own: a verb after them is not "they"'s.
constexpr std::array<PackedWord, 18> kClauseOpeners = PackAll<18>({
    "which", "who", "whom", "whose", "that", "because", "when", "whenever", "while", "whilst", "although",
    "though", "if", "so", "since", "where", "unless", "until"});

constexpr std::array<PackedWord, 3> kConjunctions = PackAll<3>({"and", "or", "but"});

size_t SkipGaps(const std::u16string& text, size_t pos) {
  while (pos < text.size() && IsGap(text[pos])) ++pos;
  return pos;
}

// The end of an adverb group that starts with word ("no longer"), or 0 when none does.
size_t PhraseEnd(const std::u16string& text, const Word& word, size_t limit) {
  for (const Phrase& phrase : kAdverbPhrases) {
    if (!(phrase.words[0] == word.packed)) continue;
    size_t end = word.end;
    size_t matched = 1;
    while (matched < phrase.length) {
      const size_t pos = SkipGaps(text, end);
      if (pos >= text.size() || !IsLetter(text[pos])) break;
      const Word next = ReadWord(text, pos);
      if (next.end >= limit || !(next.packed == phrase.words[matched])) break;
      end = next.end;
      ++matched;
    }
    if (matched == phrase.length) return end;
  }
  return 0;
}

// The first word after pos that is not an adverb or an adverb group, when only gaps and those
// come before it and it ends before limit (the next "they", which is handled on its own).
// extraSkips are words skipped as well; skippedOne tells whether one of them was skipped.
template <size_t N>
bool FindWordAfterAdverbs(const std::u16string& text, size_t pos, size_t limit, Word& found,
                          const std::array<PackedWord, N>& extraSkips, bool* skippedExtra) {
  for (;;) {
    pos = SkipGaps(text, pos);
    if (pos >= text.size() || !IsLetter(text[pos])) return false;
    Word word = ReadWord(text, pos);
    if (word.end >= limit) return false;
    if (const size_t phraseEnd = PhraseEnd(text, word, limit)) {
      pos = phraseEnd;
      continue;
    }
    const bool extra = OneOf(word, extraSkips);
    if (!IsAdverb(word) && !extra) {
      found = std::move(word);
      return true;
    }
    if (extra && skippedExtra) *skippedExtra = true;
    pos = word.end;
  }
}

constexpr std::array<PackedWord, 0> kNoExtraSkips{};

bool FindGoverned(const std::u16string& text, size_t pos, size_t limit, Word& found) {
  return FindWordAfterAdverbs(text, pos, limit, found, kNoExtraSkips, nullptr);
}

// The word that follows word, or an empty word when punctuation or the end comes first.
Word NextWord(const std::u16string& text, const Word& word) {
  const size_t pos = SkipGaps(text, word.end);
  if (pos >= text.size() || !IsLetter(text[pos])) return Word{};
  return ReadWord(text, pos);
}

// A word joined on after "and", "or", "but" or a comma that shares the subject "they".
bool IsJoinedVerb(const std::u16string& text, const Word& word) {
  if (FindIrregular(word)) return true;
  if (!IsRegularS(word)) return false;
  const Stem stem = StemOf(word.Key());
  std::string plural(word.Key().substr(0, stem.keep));
  if (stem.y) plural.push_back('y');
  if (!IsReportVerb(plural)) return false;
  return !OneOf(NextWord(text, word), kPluralAgreement);
}

// A verb whose form is the same for "he" and "they" (a past tense) still has verbs joined to
// it that agree: "they joined the school and have settled".
bool IsPastTense(const Word& word) {
  const std::string_view key = word.Key();
  return (key.size() >= 4 && EndsWith(key, "ed")) || OneOf(word, kParticiples);
}

// Agrees the verbs joined to the one that ends at pos: after "and", "or" or "but" ("they are
// working hard and are making"), and in a list after commas ("they listen, ask questions and
// contribute"). The clause ends at a stop, a bracket, a word that opens a clause of its own or
// a conjunction followed by anything but a verb of "they".
void AgreeJoinedVerbs(const std::u16string& text, size_t pos, size_t limit, std::u16string& out, size_t& copied) {
  for (;;) {
    pos = SkipGaps(text, pos);
    if (pos >= text.size() || pos >= limit) return;
    const char16_t c = text[pos];
    const bool comma = c == u',';
    if (!comma && !IsLetter(c)) {
      if (c == u'.' || c == u';' || c == u':' || c == u'!' || c == u'?' || c == u'(' || c == u')' || c == u'\n' ||
          c == u'\r') {
        return;
      }
      ++pos;
      continue;
    }
    size_t after = pos + 1;
    if (!comma) {
      // Each word of the clause is keyed as it is passed over, without reading it whole: only
      // a short one can end the clause or join a verb on.
      const ShortWord word = ReadShortWord(text, pos);
      if (word.end >= limit || OneOf(word.packed, kClauseOpeners)) return;
      pos = word.end;
      if (!OneOf(word.packed, kConjunctions)) continue;
      after = word.end;
    }
    // After a comma the verb comes at once: "they enjoy science, especially experiments".
    Word joined;
    const size_t next = SkipGaps(text, after);
    const bool found = comma ? next < text.size() && IsLetter(text[next]) && (joined = ReadWord(text, next)).end < limit
                             : FindGoverned(text, after, limit, joined);
    if (found && IsJoinedVerb(text, joined)) {
      out.append(text, copied, joined.begin - copied);
      AppendAgreed(out, text, joined);
      copied = joined.end;
      pos = joined.end;
    } else if (comma) {
      pos = after;
    } else {
      return;
    }
  }
}

// "'s" (either apostrophe) right behind a "they", not followed by a letter.
bool IsContractedS(const std::u16string& text, size_t pos) {
  return pos + 1 < text.size() && IsApostrophe(text[pos]) && (text[pos + 1] == u's' || text[pos + 1] == u'S') &&
         (pos + 2 >= text.size() || !IsLetter(text[pos + 2]));
}

// "they's" stands for "they has" before a participle that says what was done ("they've
// made"), and for "they is" otherwise ("they're involved in", "they're well liked by all").
bool ContractedSMeansHas(const std::u16string& text, size_t pos, size_t limit) {
  Word next;
  bool intensified = false;
  if (!FindWordAfterAdverbs(text, pos, limit, next, kStateIntensifiers, &intensified)) return false;
  if (!IsParticiple(next) || OneOf(next, kStateParticiples) || intensified) return false;
  const Word after = NextWord(text, next);
  return !(after.Key() == "by");
}

// A singular auxiliary right before a "they" that begins at theyBegin, as in an inverted
// clause ("Not only is she", "Only rarely does he"); false when there is none behind copied.
bool FindAuxiliaryBefore(const std::u16string& text, size_t theyBegin, size_t copied, Word& found) {
  size_t end = theyBegin;
  if (end == 0 || !IsGap(text[end - 1])) return false;
  while (end > copied && IsGap(text[end - 1])) --end;
  size_t begin = end;
  while (begin > copied && (IsLetter(text[begin - 1]) || IsApostrophe(text[begin - 1]))) --begin;
  if (begin == end || (begin > 0 && IsLetter(text[begin - 1]))) return false;
  // Only is, was, has and does (and their negatives) are looked up.
  const char16_t first = text[begin] | 0x20;
  if (first != u'i' && first != u'w' && first != u'h' && first != u'd') return false;
  found = ReadWord(text, begin);
  return found.end == end && FindIrregular(found) && !(found.packed == Pack("goes"));
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
    Word auxiliary;
    if (end >= 4 && FindAuxiliaryBefore(text, end - 4, copied, auxiliary)) {
      out.append(text, copied, auxiliary.begin - copied);
      AppendAgreed(out, text, auxiliary);
      copied = auxiliary.end;
    }
    out.append(text, copied, end - copied);
    copied = end;
    if (IsContractedS(text, end)) {
      const bool has = ContractedSMeansHas(text, end + 2, limit);
      const bool upper = text[end + 1] == u'S';
      out.push_back(text[end]);
      out.append(has ? (upper ? u"VE" : u"ve") : (upper ? u"RE" : u"re"));
      copied = end + 2;
      continue;
    }
    // A clause set off by commas right after "they" is passed over: "they, however, need".
    size_t from = end;
    if (from < text.size() && text[from] == u',') {
      size_t pos = from + 1;
      for (int words = 0; words < 4; ++words) {
        pos = SkipGaps(text, pos);
        if (pos >= text.size() || !IsLetter(text[pos])) break;
        pos = ReadWord(text, pos).end;
      }
      if (pos < text.size() && pos < limit && text[pos] == u',') from = pos + 1;
    }
    // Letters glued to "they" make no word of their own.
    if (from >= text.size() || !IsGap(text[from])) continue;
    Word verb;
    if (!FindGoverned(text, from, limit, verb)) continue;
    out.append(text, copied, verb.begin - copied);
    copied = verb.end;
    if (AppendAgreed(out, text, verb) || IsPastTense(verb)) AgreeJoinedVerbs(text, verb.end, limit, out, copied);
  }
  out.append(text, copied, std::u16string::npos);
}

}  // namespace quillbox
