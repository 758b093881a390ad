#pragma once
// Shell ports for an add-in object created inside the test program: canned service replies,
// a login prompt that answers at once, a progress runner that runs the work inline, and
// recorders for the error dialog and the browser.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "addin/win/host_ports.h"

namespace quillbox::test {

// Replies chosen by a fragment of the requested URL; the first matching fragment wins.
class CannedHttp final : public HttpTransport {
 public:
  explicit CannedHttp(std::vector<std::pair<std::string, std::string>> replies) : replies_(std::move(replies)) {}
  std::string Get(const std::string& url) override {
    requests.push_back(url);
    for (const auto& [fragment, reply] : replies_) {
      if (url.find(fragment) != std::string::npos) return reply;
    }
    return {};
  }
  std::vector<std::string> requests;

 private:
  std::vector<std::pair<std::string, std::string>> replies_;
};

// The discard port on loopback, where nothing answers.
class DiscardPortSettings final : public SettingsReader {
 public:
  std::u16string ReadServiceBaseUrl() override { return u"http://127.0.0.1:9"; }
};

class RecordingBrowser final : public BrowserOpener {
 public:
  void Open(const std::u16string& address) override { opened.push_back(address); }
  std::vector<std::u16string> opened;
};

class AnsweringLogin final : public LoginPrompt {
 public:
  std::optional<LoginCredentials> Prompt(const std::u16string&) override {
    return LoginCredentials{u"teacher@example.org", u"secret"};
  }
};

class InlineProgress final : public ProgressRunner {
 public:
  bool Run(const std::function<void()>& work) override {
    work();
    return true;
  }
};

class RecordingErrorMessages final : public ErrorDialog {
 public:
  void Show(const std::u16string& message, const std::u16string&) override { shown.push_back(message); }
  std::vector<std::u16string> shown;
};

// A teacher with two subjects; English has three comment groups.
inline std::vector<std::pair<std::string, std::string>> SampleReplies() {
  return {
      {"/service/subjects?", R"({"status":"OK","subjects":["English","Maths"]})"},
      {"subject=English", R"({"status":"OK","tabs":[)"
                          R"({"name":"Opening","comments":[{"comment":"^ has settled well."},)"
                          R"({"comment":"# is a delight to teach."}]},)"
                          R"({"name":"Effort","comments":[{"comment":"# works hard in ~ lessons."}]},)"
                          R"({"name":"Targets","comments":[{"comment":"Next year * reading should grow."}]}]})"},
      {"subject=Maths", R"({"status":"OK","tabs":[{"name":"Number","comments":[{"comment":"# counts well."}]}]})"},
  };
}

class FakeShellPorts final : public win::ShellPorts {
 public:
  HttpTransport& Http() override { return http; }
  SettingsReader& Settings() override { return settings; }
  BrowserOpener& Browser() override { return browser; }
  LoginPrompt& Login() override { return login; }
  ProgressRunner& Progress() override { return progress; }
  ErrorDialog& Errors() override { return errors; }

  CannedHttp http{SampleReplies()};
  DiscardPortSettings settings;
  RecordingBrowser browser;
  AnsweringLogin login;
  InlineProgress progress;
  RecordingErrorMessages errors;
};

}  // namespace quillbox::test
