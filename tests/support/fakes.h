#pragma once
// Recording stand-ins for the ports through which the core reaches Word, Office, the network
// and the teacher: the one set that every suite, native and Windows-side, uses.

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "addin/addin_core.h"
#include "common/com_error.h"
#include "service/proxy_lookup.h"

namespace quillbox::testing {

class FakeRibbon : public RibbonTarget {
 public:
  void InvalidateControl(const std::u16string& id) override {
    if (failAt && invalidated.size() == *failAt) throw ComError(failure, kIidRibbonUI);
    invalidated.push_back(id);
  }
  std::vector<std::u16string> Take() { return std::exchange(invalidated, {}); }

  std::vector<std::u16string> invalidated;
  std::optional<size_t> failAt;  // the invalidation (0-based) that fails
  int32_t failure = hr::kFail;
};

// A document whose selection behaves like Word's: putting Text replaces the selected range
// and leaves the selection spanning the new text.
class FakeDocument : public DocumentTarget {
 public:
  enum class Step { kNone, kText, kEnd, kStart };

  void SetSelectionText(const std::u16string& value) override {
    Check(Step::kText);
    text.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), value);
    end = start + static_cast<int32_t>(value.size());
  }
  int32_t GetSelectionEnd() override {
    Check(Step::kEnd);
    return end;
  }
  void SetSelectionStart(int32_t position) override {
    Check(Step::kStart);
    start = position;
    if (end < start) end = start;
  }

  std::u16string text;
  int32_t start = 0;
  int32_t end = 0;
  Step failAt = Step::kNone;
  int32_t failure = static_cast<int32_t>(0x800A11FDu);  // a Word error
  std::u16string description;                            // Word's text for it, if any

 private:
  void Check(Step step) {
    if (failAt == step) throw ComError(failure, kIidWordSelection, description);
  }
};

// Answers each request with the body registered for the first matching URL fragment.
class FakeTransport : public HttpTransport {
 public:
  std::string Get(const std::string& url) override {
    std::lock_guard<std::mutex> lock(mutex_);
    requests.push_back(url);
    if (onRequest) onRequest(url);
    for (const auto& [fragment, body] : replies) {
      if (url.find(fragment) != std::string::npos) return body;
    }
    return {};
  }
  std::string Fetch(const std::string& url, TransportFailure& failure) override {
    std::string body = Get(url);
    failure = body.empty() ? noReply : TransportFailure{};
    return body;
  }
  void Reply(const std::string& urlFragment, std::string body) { replies.emplace_back(urlFragment, std::move(body)); }
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests;
  }

  std::vector<std::pair<std::string, std::string>> replies;
  std::vector<std::string> requests;
  std::function<void(const std::string&)> onRequest;
  TransportFailure noReply;  // why a request without a registered reply got nothing

 private:
  std::mutex mutex_;
};

// The user's Internet settings and the automatic answer, as a test sets them; counts the
// look-ups and records the URLs that automatic detection was asked about.
class FakeProxyLookup : public ProxyLookup {
 public:
  std::optional<UserProxySettings> UserSettings() override {
    ++settingsReads;
    return settings;
  }
  std::optional<AutoProxyAnswer> AutoProxyFor(const std::string& url, bool, const std::string&) override {
    autoLookups.push_back(url);
    return autoAnswer;
  }
  std::optional<UserProxySettings> settings = UserProxySettings{};
  std::optional<AutoProxyAnswer> autoAnswer;
  int settingsReads = 0;
  std::vector<std::string> autoLookups;
};

class FakeSettings : public SettingsReader {
 public:
  FakeSettings() = default;
  explicit FakeSettings(std::u16string url) : baseUrl(std::move(url)) {}
  std::u16string ReadServiceBaseUrl() override {
    ++reads;
    return baseUrl;
  }
  std::u16string baseUrl = u"http://comments.test";
  int reads = 0;
};

class FakeBrowser : public BrowserOpener {
 public:
  void Open(const std::u16string& address) override { opened.push_back(address); }
  std::vector<std::u16string> opened;
};

class FakeLoginPrompt : public LoginPrompt {
 public:
  std::optional<LoginCredentials> Prompt(const std::u16string& baseUrl, WindowHandle owner) override {
    shownWith.push_back(baseUrl);
    owners.push_back(owner);
    if (whileShown) whileShown();
    return answer;
  }
  std::optional<LoginCredentials> answer = LoginCredentials{u"teacher@school.test", u"secret"};
  std::vector<std::u16string> shownWith;
  std::vector<WindowHandle> owners;
  std::function<void()> whileShown;  // what the teacher does in other windows meanwhile
};

// Runs the work on a real second thread and waits for it, as the progress dialog does.
class ThreadProgressRunner : public ProgressRunner {
 public:
  bool Run(const std::function<void()>& work, WindowHandle owner, ProgressShown shown) override {
    ++runs;
    owners.push_back(owner);
    shownAs.push_back(shown);
    if (!canStart) return false;
    std::atomic<bool> done{false};
    std::thread worker([&] {
      work();
      done = true;
    });
    while (!done) {
      if (whileWaiting) whileWaiting();
      std::this_thread::yield();
    }
    worker.join();
    return true;
  }
  int runs = 0;
  bool canStart = true;
  std::function<void()> whileWaiting;  // what the user-interface thread does meanwhile
  std::vector<WindowHandle> owners;
  std::vector<ProgressShown> shownAs;
};

// Runs the work at once on the calling thread.
class InlineProgressRunner : public ProgressRunner {
 public:
  bool Run(const std::function<void()>& work, WindowHandle, ProgressShown) override {
    ++runs;
    work();
    return true;
  }
  int runs = 0;
};

class FakeErrorDialog : public ErrorDialog {
 public:
  void Show(const std::u16string& message, const std::u16string& link, WindowHandle owner) override {
    shown.push_back({message, link});
    owners.push_back(owner);
  }
  void Tell(const std::u16string& message, WindowHandle owner) override {
    told.push_back(message);
    owners.push_back(owner);
  }
  std::vector<std::pair<std::u16string, std::u16string>> shown;
  std::vector<std::u16string> told;
  std::vector<WindowHandle> owners;  // of both kinds, in order
};

// An AddinCore wired to fakes.
struct CoreFixture {
  FakeRibbon ribbon;
  FakeDocument document;
  FakeTransport http;
  FakeSettings settings;
  FakeBrowser browser;
  FakeLoginPrompt login;
  ThreadProgressRunner progress;
  FakeErrorDialog errors;
  AddinCore core{AddinPorts{ribbon, document, http, settings, browser, login, progress, errors}};
};

// An AddinCore with real ports for the network, the settings and the browser, and fakes for
// the rest; the work runs inline and the login is answered with credentials, or cancelled.
struct CoreWithFakes {
  CoreWithFakes(HttpTransport& http, SettingsReader& settings, BrowserOpener& browser,
                std::optional<LoginCredentials> credentials = std::nullopt)
      : core(AddinPorts{ribbon, document, http, settings, browser, login, progress, errors}) {
    login.answer = std::move(credentials);
  }

  FakeRibbon ribbon;
  FakeDocument document;
  FakeLoginPrompt login;
  InlineProgressRunner progress;
  FakeErrorDialog errors;
  AddinCore core;
};

}  // namespace quillbox::testing
