#pragma once
// The user's Internet settings and automatic proxy answers, read through WinHTTP.

#include "service/proxy_lookup.h"

namespace quillbox::win {

class WinHttpProxyLookup : public ProxyLookup {
 public:
  // WinHttpGetIEProxyConfigForCurrentUser.
  std::optional<UserProxySettings> UserSettings() override;
  // WinHttpGetProxyForUrl with automatic detection (DHCP, then DNS) and/or the script URL.
  // When the script's server asks for a sign-in, asks again with the user's own Windows
  // sign-in (auto-logon), as WinHTTP's documentation prescribes.
  std::optional<AutoProxyAnswer> AutoProxyFor(const std::string& url, bool autoDetect,
                                              const std::string& autoConfigUrl) override;
};

}  // namespace quillbox::win
