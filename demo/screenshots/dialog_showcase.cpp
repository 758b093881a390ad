// Shows one of the add-in's dialogs with sample content for a few seconds, so that
// take-screenshots.sh can photograph it.
// Usage: ui_dialog_showcase login|progress|error MS [high-contrast]
// With high-contrast, the dialog is shown as in Windows' "High Contrast Black" theme: the
// system colours of that theme for as long as the program runs, and the dialogs told that high
// contrast is on (Wine cannot turn the setting itself on).

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "service/service_client.h"
#include "ui/win/dialog_ports.h"
#include "ui/win/high_contrast.h"
#include "ui/win/login_dialog.h"
#include "ui/win/message_dialog.h"
#include "ui/win/resource_ids.h"

namespace {

using namespace quillbox;

// Finds the dialog, lets fill() type into it, and ends it after the given time.
std::thread CloseLater(const wchar_t* caption, std::chrono::milliseconds after, void (*fill)(HWND)) {
  return std::thread([=] {
    HWND dialog = nullptr;
    while (!(dialog = ::FindWindowW(L"#32770", caption)) || !::IsWindowVisible(dialog)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (fill) fill(dialog);
    std::this_thread::sleep_for(after);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
}

void TypeCredentials(HWND dialog) {
  ::SetDlgItemTextW(dialog, IDC_LOGIN_EMAIL, L"j.smith@school.example");
  ::SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, L"secret");
}

class HighContrastOn : public win::HighContrastSetting {
  bool IsOn() const override { return true; }
};

// The colours of Windows' "High Contrast Black" theme, put back as they were on destruction.
class HighContrastColours {
 public:
  HighContrastColours() {
    for (int i = 0; i < kCount; ++i) saved_[i] = ::GetSysColor(kElements[i]);
    ::SetSysColors(kCount, kElements, kTheme);
  }
  ~HighContrastColours() { ::SetSysColors(kCount, kElements, saved_); }

 private:
  static constexpr int kCount = 8;
  static constexpr INT kElements[kCount] = {COLOR_3DFACE,    COLOR_BTNTEXT,   COLOR_WINDOW,      COLOR_WINDOWTEXT,
                                            COLOR_HOTLIGHT,  COLOR_GRAYTEXT,  COLOR_HIGHLIGHT,   COLOR_HIGHLIGHTTEXT};
  static constexpr COLORREF kTheme[kCount] = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 0),   RGB(255, 255, 255),
                                              RGB(255, 255, 0), RGB(0, 255, 0),     RGB(26, 235, 255), RGB(0, 0, 0)};
  COLORREF saved_[kCount] = {};
};

}  // namespace

int main(int argc, char** argv) {
  const std::string which = argc > 1 ? argv[1] : "login";
  const std::chrono::milliseconds shownFor(argc > 2 ? std::atoi(argv[2]) : 3000);
  HighContrastOn highContrastOn;
  std::optional<HighContrastColours> colours;
  std::optional<win::ScopedHighContrast> highContrast;
  if (argc > 3 && std::string(argv[3]) == "high-contrast") {
    colours.emplace();
    highContrast.emplace(highContrastOn);
  }

  if (which == "login") {
    std::thread closer = CloseLater(L"Please log in...", shownFor, &TypeCredentials);
    win::RunLoginDialog(nullptr, L"http://127.0.0.1:8080");
    closer.join();
  } else if (which == "progress") {
    win::DialogProgressRunner().Run([&] { std::this_thread::sleep_for(shownFor); });
  } else if (which == "error") {
    std::thread closer = CloseLater(L"Error!", shownFor, nullptr);
    // The longest message the add-in shows: the dialog grows to show it whole.
    win::RunMessageDialog(nullptr, reinterpret_cast<const wchar_t*>(messages::kProxyOrFirewall),
                          L"http://127.0.0.1:8080/index/renew?from=addin&step=1");
    closer.join();
  } else {
    return 2;
  }
  return 0;
}
