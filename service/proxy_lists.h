#pragma once
// The two list forms of Windows' proxy settings: the proxy list and the bypass list.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillbox {

// The proxy to use for the scheme ("http" or "https") from a proxy list: entries separated by
// ";" or white space, each "host:port" (every scheme) or "scheme=host:port" (that scheme
// only). The first entry that applies wins; an "http://" before the server is dropped, and a
// server without a port gets port 80. Nothing when no entry applies.
std::optional<std::string> ProxyForScheme(std::string_view proxyList, std::string_view scheme);

// Every entry of the list that applies to the scheme, in order, each as ProxyForScheme gives
// it; an entry "DIRECT" (any case), as a configuration script's answer may hold, comes back as
// kDirectEntry.
constexpr char kDirectEntry[] = "DIRECT";
std::vector<std::string> ProxiesForScheme(std::string_view proxyList, std::string_view scheme);

// Whether a bypass list names the host: entries separated by ";" or white space, compared
// without regard to case; "*" in an entry matches any run of characters; "<local>" matches
// every host name without a dot; an entry may begin with "scheme://", and then names the
// host for that scheme only.
bool BypassListNames(std::string_view bypassList, std::string_view scheme, std::string_view host);

}  // namespace quillbox
