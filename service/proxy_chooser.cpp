#include "service/proxy_chooser.h"

#include <cctype>
#include <cstdint>

#include "service/proxy_lists.h"
#include "service/url_split.h"

namespace quillbox {
namespace {

struct SchemeAndHost {
  std::string scheme;
  std::string host;
  uint16_t port = 80;
  std::string Key() const { return scheme + "://" + host; }
  // What automatic detection and the script are asked about: the URL without its path and
  // query, which hold the password. The route is kept per scheme and host anyway.
  std::string LookupUrl() const {
    const bool defaultPort = port == (scheme == "https" ? 443 : 80);
    return scheme + "://" + host + (defaultPort ? "" : ":" + std::to_string(port)) + "/";
  }
};

SchemeAndHost SchemeAndHostOf(const std::string& url) {
  const RequestTarget target = SplitRequestUrl(url);
  SchemeAndHost parts{target.secure ? "https" : "http", target.host, target.port};
  for (char& c : parts.host) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return parts;
}

ProxyRoute Direct() { return ProxyRoute{ProxyRoute::Kind::Direct, {}}; }
ProxyRoute Through(std::string proxy) { return ProxyRoute{ProxyRoute::Kind::Proxy, std::move(proxy)}; }

}  // namespace

std::vector<ProxyRoute> ProxyChooser::RoutesFor(const std::string& url) {
  const SchemeAndHost parts = SchemeAndHostOf(url);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = remembered_.find(parts.Key());
    if (found != remembered_.end()) return found->second;
  }
  // Looked up without the lock: detection can take seconds, and requests run one at a time.
  std::vector<ProxyRoute> routes = Decide(parts.LookupUrl(), parts.scheme, parts.host);
  std::lock_guard<std::mutex> lock(mutex_);
  remembered_[parts.Key()] = routes;
  return routes;
}

void ProxyChooser::Reached(const std::string& url, const ProxyRoute& route) {
  std::lock_guard<std::mutex> lock(mutex_);
  remembered_[SchemeAndHostOf(url).Key()] = {route};
}

void ProxyChooser::ConnectFailed(const std::string& url) {
  std::lock_guard<std::mutex> lock(mutex_);
  remembered_.erase(SchemeAndHostOf(url).Key());
}

std::vector<ProxyRoute> ProxyChooser::Decide(const std::string& lookupUrl, const std::string& scheme,
                                             const std::string& host) {
  const std::optional<UserProxySettings> settings = lookup_.UserSettings();
  if (!settings) return {ProxyRoute{}};

  if (settings->autoDetect || !settings->autoConfigUrl.empty()) {
    const std::optional<AutoProxyAnswer> answer =
        lookup_.AutoProxyFor(lookupUrl, settings->autoDetect, settings->autoConfigUrl);
    if (answer) {
      if (answer->direct || BypassListNames(answer->bypass, scheme, host)) return {Direct()};
      std::vector<ProxyRoute> routes;
      for (const std::string& proxy : ProxiesForScheme(answer->proxy, scheme)) {
        routes.push_back(proxy == kDirectEntry ? Direct() : Through(proxy));
      }
      if (!routes.empty()) return routes;
    }
  }

  if (std::optional<std::string> proxy = ProxyForScheme(settings->proxy, scheme)) {
    if (BypassListNames(settings->bypass, scheme, host)) return {Direct()};
    return {Through(*proxy)};
  }
  return {ProxyRoute{}};
}

}  // namespace quillbox
