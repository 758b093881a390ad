#include "server/registrar_script.h"

#include <utility>

#include "server/ascii_case.h"

namespace quillbox {
namespace {

struct Token {
  enum class Kind { kEnd, kOpenBrace, kCloseBrace, kEquals, kWord, kQuoted };
  Kind kind = Kind::kEnd;
  std::u16string text;  // kWord and kQuoted: the name or string, quotes removed
  int line = 1;
};

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }

// Splits the script into braces, equals signs, bare words and quoted strings. Inside a quoted
// string two single quotes stand for one.
class Tokenizer {
 public:
  explicit Tokenizer(std::u16string_view text) : text_(text) {}

  // False with error set when a quoted string has no closing quote.
  bool Next(Token& token, RegistrarError& error) {
    SkipSpace();
    token = Token{};
    token.line = line_;
    if (pos_ == text_.size()) return true;
    const char16_t c = text_[pos_];
    if (c == u'{' || c == u'}' || c == u'=') {
      token.kind = c == u'{' ? Token::Kind::kOpenBrace : c == u'}' ? Token::Kind::kCloseBrace : Token::Kind::kEquals;
      ++pos_;
      return true;
    }
    if (c == u'\'') return ReadQuoted(token, error);
    token.kind = Token::Kind::kWord;
    while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != u'{' && text_[pos_] != u'}' &&
           text_[pos_] != u'=') {
      token.text.push_back(text_[pos_++]);
    }
    return true;
  }

 private:
  void SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) {
      if (text_[pos_] == u'\n') ++line_;
      ++pos_;
    }
  }

  bool ReadQuoted(Token& token, RegistrarError& error) {
    token.kind = Token::Kind::kQuoted;
    ++pos_;  // opening quote
    for (;;) {
      if (pos_ == text_.size()) {
        error = {registrar_error::kBadScript,
                 "line " + std::to_string(token.line) + ": quoted text has no closing quote"};
        return false;
      }
      const char16_t c = text_[pos_++];
      if (c == u'\n') ++line_;
      if (c != u'\'') {
        token.text.push_back(c);
      } else if (pos_ < text_.size() && text_[pos_] == u'\'') {
        token.text.push_back(u'\'');
        ++pos_;
      } else {
        return true;
      }
    }
  }

  std::u16string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
};

bool IsWord(const Token& token, std::u16string_view word) {
  return token.kind == Token::Kind::kWord && AsciiEqualsIgnoreCase(token.text, word);
}

bool RootFromName(const Token& token, RegistryRoot& root) {
  static const std::pair<std::u16string_view, RegistryRoot> kRoots[] = {
      {u"HKCR", RegistryRoot::kClassesRoot},  {u"HKEY_CLASSES_ROOT", RegistryRoot::kClassesRoot},
      {u"HKLM", RegistryRoot::kLocalMachine}, {u"HKEY_LOCAL_MACHINE", RegistryRoot::kLocalMachine},
      {u"HKCU", RegistryRoot::kCurrentUser},  {u"HKEY_CURRENT_USER", RegistryRoot::kCurrentUser},
      {u"HKU", RegistryRoot::kUsers},         {u"HKEY_USERS", RegistryRoot::kUsers},
  };
  if (token.kind != Token::Kind::kWord && token.kind != Token::Kind::kQuoted) return false;
  for (const auto& [name, value] : kRoots) {
    if (AsciiEqualsIgnoreCase(token.text, name)) {
      root = value;
      return true;
    }
  }
  return false;
}

// Decimal, or hexadecimal after "0x"; at most 32 bits.
bool ParseNumber(std::u16string_view text, uint32_t& number) {
  unsigned base = 10;
  if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  uint64_t value = 0;
  for (char16_t c : text) {
    unsigned digit;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (base == 16 && AsciiLower(c) >= u'a' && AsciiLower(c) <= u'f') {
      digit = AsciiLower(c) - u'a' + 10;
    } else {
      return false;
    }
    if (digit >= base) return false;
    value = value * base + digit;
    if (value > 0xFFFFFFFFu) return false;
  }
  number = static_cast<uint32_t>(value);
  return true;
}

class Parser {
 public:
  explicit Parser(std::u16string_view text) : tokens_(text) {}

  RegistrarParseResult Parse() {
    RegistrarParseResult result;
    if (!Advance()) return Failed();
    while (current_.kind != Token::Kind::kEnd) {
      RegistrarRootBlock block;
      if (!ParseRootBlock(block)) return Failed();
      result.script.blocks.push_back(std::move(block));
    }
    return result;
  }

 private:
  RegistrarParseResult Failed() {
    RegistrarParseResult result;
    result.error = error_;
    return result;
  }

  bool Advance() { return tokens_.Next(current_, error_); }

  bool Fail(const std::string& what) {
    error_ = {registrar_error::kBadScript, "line " + std::to_string(current_.line) + ": " + what};
    return false;
  }

  std::string Describe(const Token& token) {
    switch (token.kind) {
      case Token::Kind::kEnd: return "the end of the script";
      case Token::Kind::kOpenBrace: return "'{'";
      case Token::Kind::kCloseBrace: return "'}'";
      case Token::Kind::kEquals: return "'='";
      case Token::Kind::kWord: return "\"" + PrintableForMessage(token.text) + "\"";
      case Token::Kind::kQuoted: return "'" + PrintableForMessage(token.text) + "'";
    }
    return {};
  }

  bool IsName(const Token& token) {
    return token.kind == Token::Kind::kQuoted || token.kind == Token::Kind::kWord;
  }

  bool Expect(Token::Kind kind, const std::string& what) {
    if (current_.kind != kind) return Fail("expected " + what + ", found " + Describe(current_));
    return Advance();
  }

  bool ParseRootBlock(RegistrarRootBlock& block) {
    if (!RootFromName(current_, block.root)) {
      return Fail("expected a root key (HKCR, HKLM, HKCU or HKU), found " + Describe(current_));
    }
    const std::string rootName = PrintableForMessage(current_.text);
    if (!Advance() || !Expect(Token::Kind::kOpenBrace, "'{' after " + rootName)) return false;
    while (current_.kind != Token::Kind::kCloseBrace) {
      if (current_.kind == Token::Kind::kEnd) return Fail("the block of " + rootName + " has no closing '}'");
      if (IsWord(current_, u"val")) return Fail("a value cannot stand directly in the root block " + rootName);
      RegistrarKey key;
      if (!ParseKey(key)) return false;
      block.keys.push_back(std::move(key));
    }
    return Advance();
  }

  // [NoRemove | ForceRemove] name [= type data] [{ body }]
  bool ParseKey(RegistrarKey& key) {
    if (IsWord(current_, u"NoRemove") || IsWord(current_, u"ForceRemove")) {
      key.removal = IsWord(current_, u"NoRemove") ? KeyRemoval::kNoRemove : KeyRemoval::kForceRemove;
      if (!Advance()) return false;
      if (IsWord(current_, u"NoRemove") || IsWord(current_, u"ForceRemove")) {
        return Fail("a key takes one keyword, NoRemove or ForceRemove");
      }
    }
    if (!IsName(current_)) return Fail("expected a key name, found " + Describe(current_));
    if (current_.text.empty()) return Fail("a key name cannot be empty");
    key.name = current_.text;
    if (!Advance()) return false;
    if (current_.kind == Token::Kind::kEquals) {
      RegistrarValue value;
      if (!Advance() || !ParseTypedData(value)) return false;
      key.defaultValue = std::move(value);
    }
    if (current_.kind != Token::Kind::kOpenBrace) return true;
    if (!Advance()) return false;
    while (current_.kind != Token::Kind::kCloseBrace) {
      if (current_.kind == Token::Kind::kEnd) return Fail("the block of key \"" + PrintableForMessage(key.name) + "\" has no closing '}'");
      if (IsWord(current_, u"val")) {
        if (!Advance()) return false;
        RegistrarValue value;
        if (!ParseNamedValue(value)) return false;
        key.values.push_back(std::move(value));
      } else {
        RegistrarKey subkey;
        if (!ParseKey(subkey)) return false;
        key.subkeys.push_back(std::move(subkey));
      }
    }
    return Advance();
  }

  // name = type data
  bool ParseNamedValue(RegistrarValue& value) {
    if (!IsName(current_)) return Fail("expected a value name after val, found " + Describe(current_));
    if (current_.text.empty()) return Fail("a value name cannot be empty");
    value.name = current_.text;
    if (!Advance() || !Expect(Token::Kind::kEquals, "'=' after the value name")) return false;
    return ParseTypedData(value);
  }

  // s 'text' | d number
  bool ParseTypedData(RegistrarValue& value) {
    const bool isString = IsWord(current_, u"s");
    if (!isString && !IsWord(current_, u"d")) {
      return Fail("expected the type s or d, found " + Describe(current_));
    }
    if (!Advance()) return false;
    if (!IsName(current_)) return Fail("expected the value's data, found " + Describe(current_));
    if (isString) {
      value.type = RegistrarValue::Type::kString;
      value.text = current_.text;
    } else {
      value.type = RegistrarValue::Type::kDword;
      if (!ParseNumber(current_.text, value.number)) {
        return Fail("\"" + PrintableForMessage(current_.text) + "\" is not a 32-bit number");
      }
    }
    return Advance();
  }

  Tokenizer tokens_;
  Token current_;
  RegistrarError error_;
};

}  // namespace

RegistrarParseResult ParseRegistrarScript(std::u16string_view text) { return Parser(text).Parse(); }

}  // namespace quillbox
