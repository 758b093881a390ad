#include "server/registrar_variables.h"

#include "server/ascii_case.h"

namespace quillbox {
namespace {

int LineAt(std::u16string_view text, size_t pos) {
  int line = 1;
  for (size_t i = 0; i < pos && i < text.size(); ++i) {
    if (text[i] == u'\n') ++line;
  }
  return line;
}

}  // namespace

void ReplacementVariables::Set(std::u16string name, std::u16string value) {
  for (auto& entry : entries_) {
    if (AsciiEqualsIgnoreCase(entry.first, name)) {
      entry.second = std::move(value);
      return;
    }
  }
  entries_.emplace_back(std::move(name), std::move(value));
}

const std::u16string* ReplacementVariables::Find(std::u16string_view name) const {
  for (const auto& entry : entries_) {
    if (AsciiEqualsIgnoreCase(entry.first, name)) return &entry.second;
  }
  return nullptr;
}

ExpandedScript ExpandVariables(std::u16string_view script, const ReplacementVariables& variables) {
  ExpandedScript result;
  result.text.reserve(script.size());
  size_t pos = 0;
  while (pos < script.size()) {
    const size_t percent = script.find(u'%', pos);
    if (percent == std::u16string_view::npos) {
      result.text.append(script.substr(pos));
      break;
    }
    result.text.append(script.substr(pos, percent - pos));
    const size_t closing = script.find(u'%', percent + 1);
    if (closing == std::u16string_view::npos) {
      result.text.clear();
      result.error = {registrar_error::kBadScript,
                      "line " + std::to_string(LineAt(script, percent)) + ": '%' without a closing '%'"};
      return result;
    }
    const std::u16string_view name = script.substr(percent + 1, closing - percent - 1);
    if (name.empty()) {
      result.text.push_back(u'%');
    } else if (const std::u16string* value = variables.Find(name)) {
      result.text.append(*value);
    } else {
      result.text.clear();
      result.error = {registrar_error::kBadScript, "line " + std::to_string(LineAt(script, percent)) +
                                                       ": unknown variable %" + PrintableForMessage(name) + "%"};
      return result;
    }
    pos = closing + 1;
  }
  return result;
}

std::u16string DoubleSingleQuotes(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    out.push_back(c);
    if (c == u'\'') out.push_back(u'\'');
  }
  return out;
}

}  // namespace quillbox
