#pragma once
// Stand-ins for the ports of the add-in core that the service tests do not exercise, and
// counting wrappers around the real ones.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "addin/addin_core.h"

namespace quillbox::test {

class RecordingRibbon : public RibbonTarget {
 public:
  void InvalidateControl(const std::u16string& controlId) override { invalidated.push_back(controlId); }
  std::vector<std::u16string> invalidated;
};

class RecordingDocument : public DocumentTarget {
 public:
  void SetSelectionText(const std::u16string& value) override { text += value; }
  int32_t GetSelectionEnd() override { return static_cast<int32_t>(text.size()); }
  void SetSelectionStart(int32_t) override {}
  std::u16string text;
};

class FixedSettings : public SettingsReader {
 public:
  explicit FixedSettings(std::u16string baseUrl) : baseUrl_(std::move(baseUrl)) {}
  std::u16string ReadServiceBaseUrl() override { return baseUrl_; }

 private:
  std::u16string baseUrl_;
};

// Answers the login dialog with fixed credentials, or cancels when there are none.
class ScriptedLogin : public LoginPrompt {
 public:
  explicit ScriptedLogin(std::optional<LoginCredentials> credentials)
      : credentials_(std::move(credentials)) {}
  std::optional<LoginCredentials> Prompt(const std::u16string&) override { return credentials_; }

 private:
  std::optional<LoginCredentials> credentials_;
};

// Runs the work at once on the calling thread.
class SynchronousProgress : public ProgressRunner {
 public:
  bool Run(const std::function<void()>& work) override {
    ++runs;
    work();
    return true;
  }
  int runs = 0;
};

class RecordingErrors : public ErrorDialog {
 public:
  void Show(const std::u16string& message, const std::u16string& link) override {
    shown.emplace_back(message, link);
  }
  std::vector<std::pair<std::u16string, std::u16string>> shown;
};

class CountingTransport : public HttpTransport {
 public:
  explicit CountingTransport(HttpTransport& real) : real_(real) {}
  std::string Get(const std::string& url) override {
    urls.push_back(url);
    return real_.Get(url);
  }
  std::vector<std::string> urls;

 private:
  HttpTransport& real_;
};

// For tests that open no page.
class NoBrowser : public BrowserOpener {
 public:
  void Open(const std::u16string&) override {}
};

class CountingBrowser : public BrowserOpener {
 public:
  explicit CountingBrowser(BrowserOpener& real) : real_(real) {}
  void Open(const std::u16string& address) override {
    addresses.push_back(address);
    real_.Open(address);
  }
  std::vector<std::u16string> addresses;

 private:
  BrowserOpener& real_;
};

// The fakes above, wired into an AddinCore around the given transport, browser and settings.
struct CoreWithFakes {
  CoreWithFakes(HttpTransport& http, SettingsReader& settings, BrowserOpener& browser,
                std::optional<LoginCredentials> credentials = std::nullopt)
      : login(std::move(credentials)),
        core(AddinPorts{ribbon, document, http, settings, browser, login, progress, errors}) {}

  RecordingRibbon ribbon;
  RecordingDocument document;
  ScriptedLogin login;
  SynchronousProgress progress;
  RecordingErrors errors;
  AddinCore core;
};

}  // namespace quillbox::test
