#include "word-standin/session_script.h"

#include <cwchar>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

namespace quillbox::standin {
namespace {

struct Command {
  std::wstring verb;
  std::wstring rest;  // everything after the verb and one space
};

Command Split(std::wstring_view line) {
  const size_t space = line.find(L' ');
  if (space == std::wstring_view::npos) return {std::wstring(line), L""};
  return {std::wstring(line.substr(0, space)), std::wstring(line.substr(space + 1))};
}

std::optional<long> Number(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  const long value = std::wcstol(text.c_str(), &end, 0);
  if (*end != L'\0') return std::nullopt;
  return value;
}

// "ID N" with N a number.
std::optional<std::pair<std::wstring, long>> IdAndNumber(const std::wstring& text) {
  const Command parts = Split(text);
  const auto number = Number(parts.rest);
  if (parts.verb.empty() || !number) return std::nullopt;
  return std::make_pair(parts.verb, *number);
}

class Session {
 public:
  Session(WordHost& host, Transcript& out) : host_(host), out_(out) {}

  bool Run(const Command& command) {
    using Handler = bool (Session::*)(const std::wstring&);
    static const std::map<std::wstring, Handler> handlers = {
        {L"click", &Session::Click},
        {L"press", &Session::Press},
        {L"select", &Session::Select},
        {L"type", &Session::Type},
        {L"select-subject", &Session::SelectSubject},
        {L"select-category", &Session::SelectCategory},
        {L"click-comment", &Session::ClickComment},
        {L"type-name", &Session::TypeName},
        {L"answer-login", &Session::AnswerLogin},
        {L"set-selection", &Session::SetSelection},
        {L"type-text", &Session::TypeText},
        {L"new-paragraph", &Session::NewParagraph},
        {L"fail", &Session::Fail},
        {L"null-selection", &Session::NullSelection},
        {L"fire-event", &Session::FireEvent},
        {L"disconnect", &Session::Disconnect},
        {L"connect", &Session::Connect},
        {L"print-document", &Session::PrintDocument},
        {L"print-report", &Session::PrintReport},
        {L"print", &Session::Print},
        {L"print-ribbon", &Session::PrintRibbon},
        {L"print-invalidations", &Session::PrintInvalidations},
    };
    const auto found = handlers.find(command.verb);
    if (found == handlers.end()) return false;
    return (this->*found->second)(command.rest);
  }

 private:
  bool Click(const std::wstring& id) { return !id.empty() && (host_.Click(id), true); }
  bool Press(const std::wstring& id) { return !id.empty() && (host_.Toggle(id), true); }
  bool Type(const std::wstring& rest) {
    const Command parts = Split(rest);
    if (parts.verb.empty()) return false;
    host_.Type(parts.verb, parts.rest);
    return true;
  }
  bool Select(const std::wstring& rest) {
    const auto target = IdAndNumber(rest);
    if (!target) return false;
    host_.Choose(target->first, target->second);
    return true;
  }
  bool ChooseIn(const wchar_t* id, const std::wstring& rest) {
    const auto item = Number(rest);
    if (!item) return false;
    host_.Choose(id, *item);
    return true;
  }
  bool SelectSubject(const std::wstring& rest) { return ChooseIn(L"subjects", rest); }
  bool SelectCategory(const std::wstring& rest) { return ChooseIn(L"category", rest); }
  bool ClickComment(const std::wstring& rest) { return ChooseIn(L"comment", rest); }
  bool TypeName(const std::wstring& rest) {
    host_.Type(L"name", rest);
    return true;
  }
  bool AnswerLogin(const std::wstring& rest) {
    if (rest == L"cancel") {
      host_.Dialogs().SetLoginAnswer(std::nullopt);
      return true;
    }
    const Command parts = Split(rest);
    if (parts.verb.empty()) return false;
    host_.Dialogs().SetLoginAnswer(LoginAnswer{parts.verb, parts.rest});
    return true;
  }
  bool SetSelection(const std::wstring& rest) {
    const auto range = IdAndNumber(rest);
    const auto start = range ? Number(range->first) : std::nullopt;
    if (!start) return false;
    host_.State().document.Select(*start, range->second);
    return true;
  }
  // The teacher types into the document: the selection is replaced and the cursor follows.
  bool TypeText(const std::wstring& rest) {
    StandinDocument& document = host_.State().document;
    document.ReplaceSelection(rest);
    document.SetStart(document.End());
    return true;
  }
  // The document's text as it stands, line by line, for a reader rather than a comparison.
  bool PrintReport(const std::wstring& rest) {
    if (!rest.empty()) return false;
    std::wstring_view text = host_.State().document.Text();
    while (!text.empty()) {
      const size_t end = text.find(L'\n');
      out_.Line(std::wstring(text.substr(0, end)));
      text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
    }
    return true;
  }
  bool Print(const std::wstring& rest) {
    out_.Line(rest);
    return true;
  }
  bool NewParagraph(const std::wstring& rest) { return rest.empty() && TypeText(L"\n"); }
  bool Fail(const std::wstring& rest) {
    FailurePlan& plan = host_.State().failures;
    const Command parts = Split(rest);
    if (parts.verb == L"none") {
      plan.failingStep.reset();
      return parts.rest.empty();
    }
    const auto step = ParseHostStep(parts.verb);
    if (!step) return false;
    HRESULT failure = E_FAIL;
    if (!parts.rest.empty()) {
      const auto code = Number(parts.rest);
      if (!code) return false;
      failure = static_cast<HRESULT>(*code);
    }
    plan.failingStep = step;
    plan.failure = failure;
    return true;
  }
  bool NullSelection(const std::wstring& rest) {
    if (rest != L"on" && rest != L"off") return false;
    host_.State().failures.nullSelection = rest == L"on";
    return true;
  }
  bool FireEvent(const std::wstring& rest) {
    const auto id = Number(rest);
    if (!id) return false;
    std::wstring line = L"event " + rest;
    const auto results = host_.FireEvent(static_cast<DISPID>(*id));
    if (results.empty()) line += L" no sink";
    for (const HRESULT result : results) line += L" " + HresultText(result);
    out_.Line(line);
    return true;
  }
  bool Disconnect(const std::wstring& rest) { return rest.empty() && (host_.Disconnect(), true); }
  bool Connect(const std::wstring& rest) { return rest.empty() && (host_.Connect(), true); }
  bool PrintDocument(const std::wstring& rest) { return rest.empty() && (host_.PrintDocument(), true); }
  bool PrintRibbon(const std::wstring& rest) { return rest.empty() && (host_.PrintRibbon(), true); }
  bool PrintInvalidations(const std::wstring& rest) { return rest.empty() && (host_.PrintInvalidations(), true); }

  WordHost& host_;
  Transcript& out_;
};

}  // namespace

bool RunSessionScript(std::wstring_view script, WordHost& host, Transcript& out) {
  Session session(host, out);
  bool understood = true;
  size_t lineNumber = 0;
  std::wistringstream lines{std::wstring(script)};
  for (std::wstring line; std::getline(lines, line);) {
    ++lineNumber;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    const size_t first = line.find_first_not_of(L" \t");
    if (first == std::wstring::npos || line[first] == L'#') continue;
    if (!session.Run(Split(std::wstring_view(line).substr(first)))) {
      out.Line(L"! line " + std::to_wstring(lineNumber) + L" not understood: " + line);
      understood = false;
    }
  }
  return understood;
}

}  // namespace quillbox::standin
