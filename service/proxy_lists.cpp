#include "service/proxy_lists.h"

#include <cctype>
#include <vector>

namespace quillbox {
namespace {

std::vector<std::string_view> Entries(std::string_view list) {
  std::vector<std::string_view> entries;
  size_t start = 0;
  for (size_t i = 0; i <= list.size(); ++i) {
    if (i == list.size() || list[i] == ';' || std::isspace(static_cast<unsigned char>(list[i]))) {
      if (i > start) entries.push_back(list.substr(start, i - start));
      start = i + 1;
    }
  }
  return entries;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

// "*" matches any run of characters, everything else itself without regard to case.
bool WildcardMatches(std::string_view pattern, std::string_view text) {
  size_t p = 0, t = 0, star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (p < pattern.size() &&
               std::tolower(static_cast<unsigned char>(pattern[p])) ==
                   std::tolower(static_cast<unsigned char>(text[t]))) {
      ++p;
      ++t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::vector<std::string> ProxiesForScheme(std::string_view proxyList, std::string_view scheme) {
  std::vector<std::string> proxies;
  for (std::string_view entry : Entries(proxyList)) {
    const size_t equals = entry.find('=');
    if (equals != std::string_view::npos) {
      if (!EqualNoCase(entry.substr(0, equals), scheme)) continue;
      entry.remove_prefix(equals + 1);
    }
    if (EqualNoCase(entry, kDirectEntry)) {
      proxies.emplace_back(kDirectEntry);
      continue;
    }
    if (StartsWithNoCase(entry, "http://")) entry.remove_prefix(7);
    while (!entry.empty() && entry.back() == '/') entry.remove_suffix(1);
    if (entry.empty()) continue;
    std::string server(entry);
    const size_t bracket = server.rfind(']');
    const size_t colon = server.rfind(':');
    if (colon == std::string::npos || (bracket != std::string::npos && colon < bracket)) server += ":80";
    proxies.push_back(std::move(server));
  }
  return proxies;
}

std::optional<std::string> ProxyForScheme(std::string_view proxyList, std::string_view scheme) {
  for (std::string& proxy : ProxiesForScheme(proxyList, scheme)) {
    if (proxy != kDirectEntry) return std::move(proxy);
  }
  return std::nullopt;
}

bool BypassListNames(std::string_view bypassList, std::string_view scheme, std::string_view host) {
  if (host.empty()) return false;
  for (std::string_view entry : Entries(bypassList)) {
    if (EqualNoCase(entry, "<local>")) {
      if (host.find('.') == std::string_view::npos) return true;
      continue;
    }
    const size_t separator = entry.find("://");
    if (separator != std::string_view::npos) {
      if (!EqualNoCase(entry.substr(0, separator), scheme)) continue;
      entry.remove_prefix(separator + 3);
    }
    if (WildcardMatches(entry, host)) return true;
  }
  return false;
}

}  // namespace quillbox
