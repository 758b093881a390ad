#pragma once
// Shell ports for an add-in object created inside the test program, made of the shared fakes:
// canned service replies, a login prompt that answers at once, a progress runner that runs the
// work inline, and recorders for the error dialog and the browser.

#include <string>
#include <utility>
#include <vector>

#include "addin/win/host_ports.h"
#include "tests/support/fakes.h"

namespace quillbox::testing {

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
  FakeShellPorts() {
    http.replies = SampleReplies();
    login.answer = LoginCredentials{u"teacher@example.org", u"secret"};
  }
  // The add-in object owns its ports: this tells a test when the object is destroyed.
  ~FakeShellPorts() override {
    if (destroyed) *destroyed = true;
  }
  HttpTransport& Http() override { return http; }
  SettingsReader& Settings() override { return settings; }
  BrowserOpener& Browser() override { return browser; }
  LoginPrompt& Login() override { return login; }
  ProgressRunner& Progress() override { return progress; }
  ErrorDialog& Errors() override { return errors; }

  FakeTransport http;
  FakeSettings settings{u"http://127.0.0.1:9"};  // the discard port on loopback, where nothing answers
  FakeBrowser browser;
  FakeLoginPrompt login;
  InlineProgressRunner progress;
  FakeErrorDialog errors;
  bool* destroyed = nullptr;
};

}  // namespace quillbox::testing
