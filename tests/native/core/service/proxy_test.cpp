// How a request's route is chosen from the user's Internet settings, and when the choice is
// made again.

#include <gtest/gtest.h>

#include "tests/support/fakes.h"
#include "service/proxy_chooser.h"
#include "service/proxy_lists.h"

namespace quillbox {
namespace {

using testing::FakeProxyLookup;
using Kind = ProxyRoute::Kind;

TEST(ProxyLists, ProxyForScheme) {
  struct Case {
    const char* list;
    const char* scheme;
    std::optional<std::string> proxy;
  };
  const Case cases[] = {
      {"proxy.school:3128", "http", "proxy.school:3128"},
      {"proxy.school:3128", "https", "proxy.school:3128"},
      {"proxy.school", "https", "proxy.school:80"},
      {"http://proxy.school:8080/", "http", "proxy.school:8080"},
      {"http=web:80;https=secure:443;ftp=files:21", "https", "secure:443"},
      {"HTTP=web:80 https=secure:443", "http", "web:80"},
      {"ftp=files:21;socks=sock:1080", "http", std::nullopt},
      {"http=web:80", "https", std::nullopt},
      {"a:1;b:2", "http", "a:1"},
      {" ; ", "http", std::nullopt},
      {"", "http", std::nullopt},
      {"[fd00::1]", "http", "[fd00::1]:80"},
      {"DIRECT;a:1", "http", "a:1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " for " + c.scheme);
    EXPECT_EQ(ProxyForScheme(c.list, c.scheme), c.proxy);
  }
  EXPECT_EQ(ProxiesForScheme("a:1 https=s:2;b;direct;http=c:3", "https"),
            (std::vector<std::string>{"a:1", "s:2", "b:80", kDirectEntry}));
}

TEST(ProxyLists, BypassListNames) {
  struct Case {
    const char* list;
    const char* scheme;
    const char* host;
    bool named;
  };
  const Case cases[] = {
      {"<local>", "http", "intranet", true},
      {"<LOCAL>", "http", "comments.school", false},
      {"*.school.example", "http", "comments.school.example", true},
      {"*.school.example", "http", "school.example", false},
      {"*.School.Example", "https", "a.b.SCHOOL.example", true},
      {"10.*", "http", "10.1.2.3", true},
      {"10.*", "http", "110.1.2.3", false},
      {"*intranet*", "http", "my-intranet-host.example", true},
      {"comments.example", "http", "comments.example", true},
      {"comments.example", "http", "comments.example.evil", false},
      {"https://comments.example", "https", "comments.example", true},
      {"https://comments.example", "http", "comments.example", false},
      {"a.example;127.0.0.1 <local>", "http", "127.0.0.1", true},
      {"", "http", "intranet", false},
      {"*", "http", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " / " + c.scheme + "://" + c.host);
    EXPECT_EQ(BypassListNames(c.list, c.scheme, c.host), c.named);
  }
}

TEST(ProxyChooser, FollowsTheSourcesInOrder) {
  const std::string url = "https://comments.school.example/service/subjects?user=a&password=secret";
  struct Case {
    const char* name;
    std::optional<UserProxySettings> settings;
    std::optional<AutoProxyAnswer> autoAnswer;
    ProxyRoute route;
    size_t autoLookups;
  };
  const UserProxySettings fixed{false, "", "http=web:80;https=secure:8443", "<local>"};
  const UserProxySettings detectAndFixed{true, "", "fixed:3128", ""};
  const UserProxySettings script{false, "http://wpad.school/proxy.pac", "", ""};
  const Case cases[] = {
      {"settings unreadable", std::nullopt, std::nullopt, {Kind::SystemDefault, ""}, 0},
      {"nothing set", UserProxySettings{}, AutoProxyAnswer{false, "never:1", ""}, {Kind::SystemDefault, ""}, 0},
      {"fixed proxy for the scheme", fixed, std::nullopt, {Kind::Proxy, "secure:8443"}, 0},
      {"fixed proxy, host bypassed", UserProxySettings{false, "", "p:1", "*.school.example"}, std::nullopt,
       {Kind::Direct, ""}, 0},
      {"fixed proxy for another scheme only", UserProxySettings{false, "", "http=web:80", ""}, std::nullopt,
       {Kind::SystemDefault, ""}, 0},
      {"detection answers a proxy", detectAndFixed, AutoProxyAnswer{false, "wpad-proxy:8080;other:1", ""},
       {Kind::Proxy, "wpad-proxy:8080"}, 1},
      {"detection answers DIRECT", detectAndFixed, AutoProxyAnswer{true, "", ""}, {Kind::Direct, ""}, 1},
      {"detection answers nothing: the fixed proxy", detectAndFixed, std::nullopt, {Kind::Proxy, "fixed:3128"}, 1},
      {"detection answers an unusable list: the fixed proxy", detectAndFixed, AutoProxyAnswer{false, "ftp=f:21", ""},
       {Kind::Proxy, "fixed:3128"}, 1},
      {"detection answer bypasses the host", detectAndFixed,
       AutoProxyAnswer{false, "p:1", "*.example"}, {Kind::Direct, ""}, 1},
      {"script answers a proxy", script, AutoProxyAnswer{false, "pac-proxy:3128", ""}, {Kind::Proxy, "pac-proxy:3128"}, 1},
      {"script answers nothing, nothing else set", script, std::nullopt, {Kind::SystemDefault, ""}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeProxyLookup lookup;
    lookup.settings = c.settings;
    lookup.autoAnswer = c.autoAnswer;
    ProxyChooser chooser(lookup);
    const ProxyRoute first = chooser.RoutesFor(url).front();
    EXPECT_EQ(first, c.route) << "proxy " << first.proxy;
    EXPECT_EQ(lookup.autoLookups.size(), c.autoLookups);
    if (c.autoLookups) {
      EXPECT_EQ(lookup.autoLookups[0], "https://comments.school.example/") << "never the path and password";
    }
  }
}

TEST(ProxyChooser, DetectsOncePerSchemeAndHostUntilNoRouteConnects) {
  FakeProxyLookup lookup;
  lookup.settings = UserProxySettings{true, "", "", ""};  // detection finds nothing
  ProxyChooser chooser(lookup);
  for (const char* url : {"http://SVC.example:8080/service/tabs", "http://svc.example/service/subjects",
                          "http://svc.example/service/loginkey"}) {
    EXPECT_EQ(chooser.RoutesFor(url).front().kind, Kind::SystemDefault);
  }
  EXPECT_EQ(lookup.autoLookups, std::vector<std::string>{"http://svc.example:8080/"});
  chooser.RoutesFor("https://svc.example/x");
  chooser.RoutesFor("http://other.example/x");
  EXPECT_EQ(lookup.autoLookups.size(), 3u);

  // Whatever the route (here the default), one that stops connecting is looked up again, for
  // its host only.
  chooser.ConnectFailed("http://svc.example/service/subjects");
  chooser.RoutesFor("http://other.example/x");
  lookup.autoAnswer = AutoProxyAnswer{false, "new-proxy:8080", ""};
  EXPECT_EQ(chooser.RoutesFor("http://svc.example/x"), (std::vector<ProxyRoute>{{Kind::Proxy, "new-proxy:8080"}}));
  EXPECT_EQ(lookup.settingsReads, 4);
}

TEST(ProxyChooser, ForgetsAProxyThatCouldNotBeReached) {
  FakeProxyLookup lookup;
  lookup.settings = UserProxySettings{true, "", "", ""};
  lookup.autoAnswer = AutoProxyAnswer{false, "old-proxy:8080", ""};
  ProxyChooser chooser(lookup);
  const std::string url = "http://svc.example/service/subjects";
  ASSERT_EQ(chooser.RoutesFor(url).front(), (ProxyRoute{Kind::Proxy, "old-proxy:8080"}));

  lookup.autoAnswer = AutoProxyAnswer{false, "new-proxy:8080", ""};
  EXPECT_EQ(chooser.RoutesFor(url).front().proxy, "old-proxy:8080") << "remembered";
  chooser.ConnectFailed("http://other.example/");
  EXPECT_EQ(chooser.RoutesFor(url).front().proxy, "old-proxy:8080") << "another host's failure changes nothing";
  chooser.ConnectFailed(url);
  EXPECT_EQ(chooser.RoutesFor(url).front().proxy, "new-proxy:8080") << "looked again";
  EXPECT_EQ(lookup.autoLookups.size(), 2u);
}

}  // namespace
}  // namespace quillbox
