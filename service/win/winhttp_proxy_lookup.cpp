#include "service/win/winhttp_proxy_lookup.h"

#include <windows.h>
#include <winhttp.h>

#include "common/text_utf.h"
#include "common/win/wide.h"
#include "service/win/winhttp_handle.h"
#include "service/win/winhttp_string.h"

namespace quillbox::win {
namespace {

// Limits of the look-up session, which fetches the configuration script and, for automatic
// detection, asks DHCP and DNS for one: a script server or a network that does not answer
// must not hold the request (and the progress dialog) for the stack's minutes of defaults.
constexpr int kLookupResolveTimeoutMs = 5000;
constexpr int kLookupConnectTimeoutMs = 5000;
constexpr int kLookupSendTimeoutMs = 5000;
constexpr int kLookupReceiveTimeoutMs = 10000;

}  // namespace

std::optional<UserProxySettings> WinHttpProxyLookup::UserSettings() {
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
  if (!::WinHttpGetIEProxyConfigForCurrentUser(&config)) return std::nullopt;
  const UniqueWinHttpString autoConfigUrl(config.lpszAutoConfigUrl);
  const UniqueWinHttpString proxy(config.lpszProxy);
  const UniqueWinHttpString bypass(config.lpszProxyBypass);
  return UserProxySettings{config.fAutoDetect != FALSE, Utf8Of(autoConfigUrl), Utf8Of(proxy), Utf8Of(bypass)};
}

std::optional<AutoProxyAnswer> WinHttpProxyLookup::AutoProxyFor(const std::string& url, bool autoDetect,
                                                                const std::string& autoConfigUrl) {
  const UniqueWinHttpHandle session(::WinHttpOpen(L"QuillboxAddIn/1.0", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                                  WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return std::nullopt;
  // Without them the look-up still runs, only with the stack's own limits.
  ::WinHttpSetTimeouts(session.Get(), kLookupResolveTimeoutMs, kLookupConnectTimeoutMs, kLookupSendTimeoutMs,
                       kLookupReceiveTimeoutMs);
  const std::wstring wideUrl = ToWide(Utf8ToUtf16(url));
  const std::wstring scriptUrl = ToWide(Utf8ToUtf16(autoConfigUrl));

  WINHTTP_AUTOPROXY_OPTIONS options{};
  if (autoDetect) {
    options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
    options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
  }
  if (!autoConfigUrl.empty()) {
    options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
    options.lpszAutoConfigUrl = scriptUrl.c_str();
  }
  WINHTTP_PROXY_INFO info{};
  options.fAutoLogonIfChallenged = FALSE;
  BOOL found = ::WinHttpGetProxyForUrl(session.Get(), wideUrl.c_str(), &options, &info);
  if (!found && ::GetLastError() == ERROR_WINHTTP_LOGIN_FAILURE) {
    options.fAutoLogonIfChallenged = TRUE;
    found = ::WinHttpGetProxyForUrl(session.Get(), wideUrl.c_str(), &options, &info);
  }
  if (!found) return std::nullopt;
  const UniqueWinHttpString proxy(info.lpszProxy);
  const UniqueWinHttpString bypass(info.lpszProxyBypass);
  if (info.dwAccessType == WINHTTP_ACCESS_TYPE_NO_PROXY) return AutoProxyAnswer{true, {}, {}};
  return AutoProxyAnswer{false, Utf8Of(proxy), Utf8Of(bypass)};
}

}  // namespace quillbox::win
