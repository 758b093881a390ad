#include "dialog_driver.h"

#include <fstream>

#include "common/win/unique_handle.h"

namespace quillbox::testing {
namespace {

constexpr auto kPollInterval = 5ms;
constexpr wchar_t kBrowserKey[] = L"Software\\Wine\\WineBrowser";

void SetBrowserPrograms(const std::wstring& programs) {
  win::UniqueRegKey key;
  ::RegCreateKeyExW(HKEY_CURRENT_USER, kBrowserKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr);
  const auto bytes = static_cast<DWORD>((programs.size() + 1) * sizeof(wchar_t));
  for (const wchar_t* name : {L"Browsers", L"Mailers"}) {
    ::RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(programs.c_str()), bytes);
  }
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

HWND WaitForDialog(const wchar_t* caption, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (Clock::now() < deadline) {
    HWND dialog = ::FindWindowW(L"#32770", caption);
    if (dialog && ::IsWindowVisible(dialog)) return dialog;
    std::this_thread::sleep_for(kPollInterval);
  }
  return nullptr;
}

bool IsShown(HWND window) { return ::IsWindow(window) && ::IsWindowVisible(window); }

bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (IsShown(window)) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[1024] = {};
  ::GetDlgItemTextW(dialog, id, text, ARRAYSIZE(text));
  return text;
}

void PressKey(HWND window, UINT virtualKey) {
  ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  ::PostMessageW(window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

void PressAltF4(HWND dialog) {
  constexpr LPARAM kAltDown = 1 << 29;
  ::PostMessageW(dialog, WM_SYSKEYDOWN, VK_F4, kAltDown | 1);
  ::PostMessageW(dialog, WM_SYSKEYUP, VK_F4, static_cast<LPARAM>(0xC0000001u) | kAltDown);
}

void ClickAt(HWND control, POINT client) {
  const LPARAM at = MAKELPARAM(client.x, client.y);
  ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(control, WM_LBUTTONUP, 0, at);
}

void CloseIfOpen(const wchar_t* caption) {
  if (HWND dialog = ::FindWindowW(L"#32770", caption)) ::EndDialog(dialog, IDABORT);
}

BrowserCapture::BrowserCapture() {
  std::ofstream(WinePath(QUILLBOX_BROWSER_CAPTURE_FILE), std::ios::trunc);
  SetBrowserPrograms(Widen(QUILLBOX_BROWSER_CAPTURE_SCRIPT));
}

BrowserCapture::~BrowserCapture() {
  for (const wchar_t* name : {L"Browsers", L"Mailers"}) ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kBrowserKey, name);
}

std::vector<std::string> BrowserCapture::Urls() const {
  std::vector<std::string> urls;
  std::ifstream file(WinePath(QUILLBOX_BROWSER_CAPTURE_FILE));
  for (std::string line; std::getline(file, line);) urls.push_back(line);
  return urls;
}

bool BrowserCapture::WaitFor(const std::string& url, std::chrono::milliseconds timeout) const {
  const auto deadline = Clock::now() + timeout;
  do {
    for (const std::string& seen : Urls()) {
      if (seen == url) return true;
    }
    std::this_thread::sleep_for(50ms);
  } while (Clock::now() < deadline);
  return false;
}


}  // namespace quillbox::testing
