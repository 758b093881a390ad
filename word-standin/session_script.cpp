#include "word-standin/session_script.h"

#include <cwchar>
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

}  // namespace

class SessionCommands {
 public:
  SessionCommands(WordHost& host, Transcript& out) : host_(host), out_(out) {}

  bool Run(const Command& command) {
    const auto found = Handlers().find(command.verb);
    if (found == Handlers().end()) return false;
    return (this->*found->second)(command.rest);
  }

 private:
  using Handler = bool (SessionCommands::*)(const std::wstring&);
  static const std::map<std::wstring, Handler>& Handlers() {
    static const std::map<std::wstring, Handler> handlers = {
        {L"click", &SessionCommands::Click},
        {L"press", &SessionCommands::Press},
        {L"select", &SessionCommands::Select},
        {L"type", &SessionCommands::Type},
        {L"select-subject", &SessionCommands::SelectSubject},
        {L"select-category", &SessionCommands::SelectCategory},
        {L"click-comment", &SessionCommands::ClickComment},
        {L"type-name", &SessionCommands::TypeName},
        {L"answer-login", &SessionCommands::AnswerLogin},
        {L"answer-question", &SessionCommands::AnswerQuestion},
        {L"set-selection", &SessionCommands::SetSelection},
        {L"type-text", &SessionCommands::TypeText},
        {L"new-paragraph", &SessionCommands::NewParagraph},
        {L"fail", &SessionCommands::Fail},
        {L"null-selection", &SessionCommands::NullSelection},
        {L"protect", &SessionCommands::Protect},
        {L"arguments", &SessionCommands::Arguments},
        {L"watchdog", &SessionCommands::Watchdog},
        {L"new-window", &SessionCommands::NewWindow},
        {L"window", &SessionCommands::Window},
        {L"during", &SessionCommands::During},
        {L"release-addin", &SessionCommands::ReleaseAddin},
        {L"fire-event", &SessionCommands::FireEvent},
        {L"disconnect", &SessionCommands::Disconnect},
        {L"connect", &SessionCommands::Connect},
        {L"print-document", &SessionCommands::PrintDocument},
        {L"print-report", &SessionCommands::PrintReport},
        {L"print-writes", &SessionCommands::PrintWrites},
        {L"print", &SessionCommands::Print},
        {L"print-ribbon", &SessionCommands::PrintRibbon},
        {L"print-invalidations", &SessionCommands::PrintInvalidations},
    };
    return handlers;
  }

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
  bool AnswerQuestion(const std::wstring& rest) {
    if (rest != L"yes" && rest != L"no") return false;
    host_.Dialogs().SetQuestionAnswer(rest == L"yes");
    return true;
  }
  bool SetSelection(const std::wstring& rest) {
    const auto range = IdAndNumber(rest);
    const auto start = range ? Number(range->first) : std::nullopt;
    if (!start) return false;
    host_.State().document.Select(*start, range->second);
    return true;
  }
  // The teacher types into the document: the selection is replaced and the cursor follows. A
  // locked document takes no typing either.
  bool TypeText(const std::wstring& rest) {
    StandinDocument& document = host_.State().document;
    if (document.Locked()) {
      out_.Line(L"! the document is locked for editing: nothing typed");
      return true;
    }
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
      std::wstring line(text.substr(0, end));
      if (!line.empty() && line.back() == L'\r') line.pop_back();  // a document pane's line ends
      out_.Line(line);
      text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
    }
    return true;
  }
  // How many texts the add-in wrote at the selection: "writes N".
  bool PrintWrites(const std::wstring& rest) {
    if (!rest.empty()) return false;
    out_.Line(L"writes " + std::to_wstring(host_.State().selectionTextWrites));
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
    const auto on = Switch(rest);
    if (on) host_.State().failures.nullSelection = *on;
    return on.has_value();
  }
  // "on" or "off" for a switch.
  static std::optional<bool> Switch(const std::wstring& rest) {
    if (rest != L"on" && rest != L"off") return std::nullopt;
    return rest == L"on";
  }
  bool Protect(const std::wstring& rest) {
    const auto on = Switch(rest);
    if (on) host_.State().document.Lock(*on);
    return on.has_value();
  }
  bool Arguments(const std::wstring& rest) {
    const auto form = ParseArgumentForm(rest);
    if (form) host_.PassArguments(*form);
    return form.has_value();
  }
  bool Watchdog(const std::wstring& rest) {
    const auto on = Switch(rest);
    if (on) host_.WatchResponsiveness(*on);
    return on.has_value();
  }
  bool NewWindow(const std::wstring& rest) {
    if (!rest.empty()) return false;
    out_.Line(L"window " + std::to_wstring(host_.OpenWindow()) + L" opened");
    return true;
  }
  // "window N [COMMAND]": the teacher turns to window N and, when given, acts in it there.
  bool Window(const std::wstring& rest) {
    const Command parts = Split(rest);
    const auto index = Number(parts.verb);
    if (!index || !host_.Activate(*index)) return false;
    return parts.rest.empty() || Run(Split(parts.rest));
  }
  // "during "CAPTION" COMMAND": COMMAND runs inside the loop of the add-in's next dialog so
  // captioned, as when the teacher uses another window meanwhile.
  bool During(const std::wstring& rest) {
    if (rest.size() < 2 || rest[0] != L'"') return false;
    const size_t close = rest.find(L'"', 1);
    if (close == std::wstring::npos || close + 2 > rest.size() || rest[close + 1] != L' ') return false;
    const std::wstring line = rest.substr(close + 2);
    const Command command = Split(line);
    if (Handlers().count(command.verb) == 0 || command.verb == L"during") return false;
    host_.During(DialogTrigger{rest.substr(1, close - 1), line, [this, command, line] {
                                 if (!Run(command)) out_.Line(L"! not understood: " + line);
                               }});
    return true;
  }
  bool ReleaseAddin(const std::wstring& rest) { return rest.empty() && (host_.ReleaseAddin(), true); }
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
  bool PrintRibbon(const std::wstring& rest) { return (host_.PrintRibbon(rest), true); }
  bool PrintInvalidations(const std::wstring& rest) { return rest.empty() && (host_.PrintInvalidations(), true); }

  WordHost& host_;
  Transcript& out_;
};

SessionRunner::SessionRunner(WordHost& host, Transcript& out)
    : commands_(std::make_unique<SessionCommands>(host, out)), out_(out) {}

SessionRunner::~SessionRunner() = default;

bool SessionRunner::RunLine(const std::wstring& line, size_t lineNumber) {
  const size_t first = line.find_first_not_of(L" \t");
  if (first == std::wstring::npos || line[first] == L'#') return true;
  if (commands_->Run(Split(std::wstring_view(line).substr(first)))) return true;
  out_.Line(L"! line " + std::to_wstring(lineNumber) + L" not understood: " + line);
  return false;
}

std::vector<std::wstring> ScriptLines(std::wstring_view script) {
  std::vector<std::wstring> lines;
  std::wistringstream stream{std::wstring(script)};
  for (std::wstring line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

bool RunSessionScript(std::wstring_view script, WordHost& host, Transcript& out) {
  SessionRunner runner(host, out);
  bool understood = true;
  const std::vector<std::wstring> lines = ScriptLines(script);
  for (size_t i = 0; i < lines.size(); ++i) understood = runner.RunLine(lines[i], i + 1) && understood;
  return host.ReportUnfiredTriggers() && understood;
}

}  // namespace quillbox::standin
