#include "word-standin/xml_reader.h"

#include <cwctype>

namespace quillbox::standin {

std::optional<std::wstring> XmlElement::Attribute(std::wstring_view attributeName) const {
  for (const auto& [key, value] : attributes) {
    if (key == attributeName) return value;
  }
  return std::nullopt;
}

namespace {

class XmlParser {
 public:
  explicit XmlParser(std::wstring_view text) : text_(text) {}

  XmlElement Document() {
    SkipMisc();
    if (!At(L"<")) Fail("no root element");
    XmlElement root = Element();
    SkipMisc();
    if (position_ != text_.size()) Fail("text after the root element");
    return root;
  }

 private:
  [[noreturn]] void Fail(const char* what) const {
    throw XmlError(std::string("XML: ") + what + " at offset " + std::to_string(position_));
  }

  bool At(std::wstring_view token) const { return text_.substr(position_, token.size()) == token; }

  void Expect(std::wstring_view token) {
    if (!At(token)) Fail("unexpected character");
    position_ += token.size();
  }

  void SkipSpace() {
    while (position_ < text_.size() && std::iswspace(text_[position_])) ++position_;
  }

  void SkipPast(std::wstring_view terminator) {
    const size_t end = text_.find(terminator, position_);
    if (end == std::wstring_view::npos) Fail("unterminated markup");
    position_ = end + terminator.size();
  }

  // Whitespace, the XML declaration, processing instructions and comments.
  void SkipMisc() {
    for (;;) {
      SkipSpace();
      if (At(L"<?")) {
        SkipPast(L"?>");
      } else if (At(L"<!--")) {
        SkipPast(L"-->");
      } else {
        return;
      }
    }
  }

  std::wstring Name() {
    const size_t begin = position_;
    while (position_ < text_.size()) {
      const wchar_t c = text_[position_];
      if (std::iswspace(c) || c == L'=' || c == L'>' || c == L'/' || c == L'<') break;
      ++position_;
    }
    if (position_ == begin) Fail("missing name");
    std::wstring name(text_.substr(begin, position_ - begin));
    const size_t colon = name.find(L':');
    return colon == std::wstring::npos ? name : name.substr(colon + 1);
  }

  std::wstring Decode(std::wstring_view raw) {
    std::wstring out;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != L'&') {
        out += raw[i];
        continue;
      }
      const size_t end = raw.find(L';', i);
      if (end == std::wstring_view::npos) Fail("unterminated entity");
      const std::wstring_view entity = raw.substr(i + 1, end - i - 1);
      if (entity == L"amp") {
        out += L'&';
      } else if (entity == L"lt") {
        out += L'<';
      } else if (entity == L"gt") {
        out += L'>';
      } else if (entity == L"quot") {
        out += L'"';
      } else if (entity == L"apos") {
        out += L'\'';
      } else if (!entity.empty() && entity[0] == L'#') {
        const bool hex = entity.size() > 1 && (entity[1] == L'x' || entity[1] == L'X');
        const std::wstring digits(entity.substr(hex ? 2 : 1));
        if (digits.empty()) Fail("empty character reference");
        const unsigned long code = std::wcstoul(digits.c_str(), nullptr, hex ? 16 : 10);
        if (code > 0xFFFF) {
          const unsigned long rest = code - 0x10000;
          out += static_cast<wchar_t>(0xD800 + (rest >> 10));
          out += static_cast<wchar_t>(0xDC00 + (rest & 0x3FF));
        } else {
          out += static_cast<wchar_t>(code);
        }
      } else {
        Fail("unknown entity");
      }
      i = end;
    }
    return out;
  }

  XmlElement Element() {
    Expect(L"<");
    XmlElement element;
    element.name = Name();
    for (;;) {
      SkipSpace();
      if (At(L"/>")) {
        position_ += 2;
        return element;
      }
      if (At(L">")) {
        ++position_;
        break;
      }
      std::wstring key = Name();
      SkipSpace();
      Expect(L"=");
      SkipSpace();
      if (position_ >= text_.size() || (text_[position_] != L'"' && text_[position_] != L'\'')) {
        Fail("attribute value without quotes");
      }
      const wchar_t quote = text_[position_++];
      const size_t end = text_.find(quote, position_);
      if (end == std::wstring_view::npos) Fail("unterminated attribute value");
      element.attributes.emplace_back(std::move(key), Decode(text_.substr(position_, end - position_)));
      position_ = end + 1;
    }
    // Content: child elements; text and comments between them are skipped.
    for (;;) {
      const size_t next = text_.find(L'<', position_);
      if (next == std::wstring_view::npos) Fail("unterminated element");
      position_ = next;
      if (At(L"<!--")) {
        SkipPast(L"-->");
      } else if (At(L"</")) {
        position_ += 2;
        if (Name() != element.name) Fail("mismatched end tag");
        SkipSpace();
        Expect(L">");
        return element;
      } else {
        element.children.push_back(Element());
      }
    }
  }

  std::wstring_view text_;
  size_t position_ = 0;
};

}  // namespace

XmlElement ParseXml(std::wstring_view text) { return XmlParser(text).Document(); }

}  // namespace quillbox::standin
