// The WinHTTP transport following the user's Internet settings, against the loopback test
// proxy: a fixed proxy with its bypass list, a configuration script, https through CONNECT,
// and proxies that cannot be reached or refuse. Each test writes the settings and puts back
// what was there.

#include <gtest/gtest.h>

#include "common/text_utf.h"
#include "internet_settings.h"
#include "loopback_servers.h"
#include "model/comment_store.h"
#include "refusing_port.h"
#include "service/service_client.h"
#include "service/url_encode.h"
#include "service/win/winhttp_transport.h"
#include "tests/support/fakes.h"
#include "trusted_root.h"

namespace quillbox::testing {
namespace {

using win::WinHttpTransport;

InternetSettings FixedProxy(const std::string& proxy, const std::string& bypass = "") {
  return InternetSettings{InternetSettings::kDirect | InternetSettings::kFixedProxy, proxy, bypass, ""};
}

InternetSettings Script(const char* path) {
  return InternetSettings{InternetSettings::kDirect | InternetSettings::kScript, "", "",
                          HttpBase(Servers().plain) + path};
}

std::string PlainUrl(const char* host, const std::string& path) {
  return "http://" + std::string(host) + ":" + std::to_string(Servers().plain.port) + path;
}

TEST(WinHttpProxyTest, LoginAndSubjectReachTheServiceOnlyThroughTheProxy) {
  const InternetSettingsOverride settings(FixedProxy(ProxyAddress(Servers().proxy)));
  ASSERT_TRUE(settings.Written());
  const std::string user = UniqueToken("proxied");
  WinHttpTransport transport;
  FakeSettings baseUrl;
  baseUrl.baseUrl = Utf8ToUtf16(PlainUrl(kProxyOnlyHost, "/via-proxy"));
  FakeBrowser browser;
  CoreWithFakes fixture(transport, baseUrl, browser, LoginCredentials{Utf8ToUtf16(user), u"pw"});
  fixture.core.RibbonLoaded();

  fixture.core.LogIn();

  EXPECT_TRUE(fixture.core.IsLoggedIn());
  EXPECT_TRUE(fixture.errors.shown.empty());
  const std::string viaProxy = "GET " + PlainUrl(kProxyOnlyHost, "/via-proxy/service/");
  const std::string escapedUser = UrlEncode(Utf8ToUtf16(user));
  for (const char* request : {"subjects?user=", "tabs?user="}) {
    SCOPED_TRACE(request);
    const std::string entry = LogEntryStartingWith(Servers().proxy.log, viaProxy + request + escapedUser);
    EXPECT_NE(entry.find("\nHost: " + std::string(kProxyOnlyHost)), std::string::npos)
        << ReadWholeFile(Servers().proxy.log);
    EXPECT_FALSE(
        LogEntryStartingWith(Servers().plain.log, std::string("GET /via-proxy/service/") + request + escapedUser)
            .empty());
  }
}

// The proxy listens on 127.0.0.1, and Wine's WinHTTP sends a request for a host spelt like its
// proxy's straight to the proxy in origin form, so proxied requests here name other hosts.
TEST(WinHttpProxyTest, EachRequestTakesTheRouteTheSettingsGiveItsHost) {
  struct Case {
    const char* name;
    InternetSettings settings;
    const char* host;
    bool throughProxy;
  };
  const std::string proxy = ProxyAddress(Servers().proxy);
  const Case cases[] = {
      {"nothing set", InternetSettings{}, "127.0.0.1", false},
      {"fixed proxy", FixedProxy(proxy), kProxyOnlyHost, true},
      {"fixed proxy for http only", FixedProxy("http=" + proxy + ";https=127.0.0.1:9"), kProxyOnlyHost, true},
      {"bypassed by name", FixedProxy(proxy, "*.example;127.0.0.1"), "127.0.0.1", false},
      {"bypassed by wildcard", FixedProxy(proxy, "127.*"), "127.0.0.1", false},
      {"<local> bypasses names without a dot", FixedProxy(proxy, "<local>"), "localhost", false},
      {"<local> keeps dotted names on the proxy", FixedProxy(proxy, "<local>"), kProxyOnlyHost, true},
      {"script answers the proxy", Script("/pac/proxy.pac"), kProxyOnlyHost, true},
      {"script answers DIRECT", Script("/pac/proxy.pac"), "127.0.0.1", false},
      {"script answering DIRECT for all", Script("/pac/direct.pac"), "127.0.0.1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const InternetSettingsOverride settings(c.settings);
    ASSERT_TRUE(settings.Written());
    const std::string path = "/" + UniqueToken("route");
    EXPECT_EQ(WinHttpTransport().Get(PlainUrl(c.host, path)), "no canned reply for " + path);
    EXPECT_EQ(CountInFile(Servers().proxy.log, path), c.throughProxy ? 1u : 0u) << ReadWholeFile(Servers().proxy.log);
    EXPECT_EQ(CountInFile(Servers().plain.log, path), 1u);
  }
}

TEST(WinHttpProxyTest, HttpsGoesThroughConnectWithTheSameCertificateChecks) {
  const TrustedRoot root(Servers().trustedCert);
  ASSERT_TRUE(root.Added());
  const InternetSettingsOverride settings(FixedProxy(ProxyAddress(Servers().proxy)));
  ASSERT_TRUE(settings.Written());
  struct Case {
    const LoopbackServer* server;
    bool trusted;
  };
  for (const Case& c : {Case{&Servers().tls, true}, Case{&Servers().untrusted, false}}) {
    SCOPED_TRACE(c.trusted ? "trusted" : "untrusted");
    const std::string path = "/" + UniqueToken("tunnel");
    const std::string body = WinHttpTransport().Get(HttpsBase(*c.server, "localhost") + path + "?password=secret");
    // Inside the tunnel Wine names the whole URL on the request line (absolute form, which
    // servers must accept); the TLS server answers with it.
    if (c.trusted) {
      EXPECT_NE(body.find("no canned reply for "), std::string::npos) << body;
      EXPECT_NE(body.find(path), std::string::npos) << body;
    } else {
      EXPECT_EQ(body, "");
    }
    EXPECT_EQ(CountInFile(c.server->log, path), c.trusted ? 1u : 0u);
    // The proxy saw where the tunnel went and nothing of what went through it.
    const std::string connect = "CONNECT localhost:" + std::to_string(c.server->port) + " HTTP/1.1\n";
    EXPECT_GE(CountInFile(Servers().proxy.log, connect), 1u);
    EXPECT_EQ(CountInFile(Servers().proxy.log, path), 0u);
  }
  EXPECT_EQ(CountInFile(Servers().proxy.log, "password=secret"), 0u);
}

TEST(WinHttpProxyTest, ProxyThatRefusesOrFailsGivesTheProxyMessage) {
  const RefusingPort unreachable;
  ASSERT_NE(unreachable.Port(), 0);
  struct Case {
    const char* name;
    std::string proxy;
    const char* host;
    const LoopbackServer* proxyLog;  // where the attempts are counted, if anywhere
    size_t attempts;
  };
  const Case cases[] = {
      {"unreachable", "127.0.0.1:" + std::to_string(unreachable.Port()), kProxyOnlyHost, nullptr, 0},
      // Asked again with the Windows sign-in, which Wine cannot give; refused again.
      {"asks for a Windows sign-in (407)", ProxyAddress(Servers().refusing), kProxyOnlyHost, &Servers().refusing, 2},
      {"cannot reach the host (502)", ProxyAddress(Servers().proxy), "unknown-to-the-proxy.invalid", &Servers().proxy,
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const InternetSettingsOverride settings(FixedProxy(c.proxy));
    ASSERT_TRUE(settings.Written());
    ServiceAccount account;
    account.baseUrl = Utf8ToUtf16(PlainUrl(c.host, "/via-proxy"));
    const std::string user = UniqueToken("refused");
    account.email = Utf8ToUtf16(user);
    WinHttpTransport transport;
    CommentStore store;
    ErrorReport errors;
    ServiceClient(account, transport).FetchSubjects(store, errors);
    EXPECT_EQ(errors.text, messages::kProxyOrFirewall);
    EXPECT_TRUE(store.Subjects().empty());
    if (c.proxyLog) {
      EXPECT_GE(CountInFile(c.proxyLog->log, UrlEncode(account.email)), c.attempts);
    }
  }
}

// A laptop that moves between networks: whatever route was remembered for the host, once it
// stops connecting the next request follows the settings as they are now.
TEST(WinHttpProxyTest, RouteThatStopsConnectingIsLookedUpAgain) {
  const RefusingPort unreachable;
  ASSERT_NE(unreachable.Port(), 0);
  const std::string dead = std::to_string(unreachable.Port()), live = std::to_string(Servers().plain.port);
  const struct {
    InternetSettings before;
    std::string deadUrlPort;  // the port of the request that finds the route not connecting
  } cases[] = {{FixedProxy("127.0.0.1:" + dead), live}, {InternetSettings{}, dead}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.deadUrlPort == live ? "remembered proxy" : "remembered default route");
    InternetSettingsOverride settings(c.before);
    ASSERT_TRUE(settings.Written());
    WinHttpTransport transport;
    const std::string path = "/" + UniqueToken("again");
    transport.Get("http://localhost:" + live + "/");  // remembers the route
    EXPECT_EQ(transport.Get("http://localhost:" + c.deadUrlPort + path), "");

    ASSERT_TRUE(settings.Change(FixedProxy(ProxyAddress(Servers().proxy))));
    EXPECT_EQ(transport.Get("http://localhost:" + live + path), "no canned reply for " + path);
    EXPECT_EQ(CountInFile(Servers().proxy.log, path), 1u);
    // A proxy that answers is remembered: new settings do not change the route of this host.
    ASSERT_TRUE(settings.Change(InternetSettings{}));
    EXPECT_EQ(transport.Get("http://localhost:" + live + path), "no canned reply for " + path);
    EXPECT_EQ(CountInFile(Servers().proxy.log, path), 2u);
  }
}

// A script's or WPAD's list is tried in order until a route connects. Wine's WinHTTP hands
// back only the first proxy of a script's answer, so the list comes from the fake look-up, as
// Windows' WinHTTP gives it; the connections are real.
TEST(WinHttpProxyTest, ProxyListFromTheScriptIsTriedInOrder) {
  const RefusingPort dead, alsoDead;
  const std::string first = "127.0.0.1:" + std::to_string(dead.Port());
  const std::string second = "127.0.0.1:" + std::to_string(alsoDead.Port());
  for (const bool secondAnswers : {true, false}) {
    SCOPED_TRACE(secondAnswers ? "first dead, second answers" : "both dead, then DIRECT");
    FakeProxyLookup lookup;
    lookup.settings = UserProxySettings{false, "http://wpad.school.test/proxy.pac", "", ""};
    const std::string list = first + ";" + (secondAnswers ? ProxyAddress(Servers().proxy) : second) + ";DIRECT";
    lookup.autoAnswer = AutoProxyAnswer{false, list, ""};
    WinHttpTransport transport(lookup);
    for (int request = 0; request < 2; ++request) {
      const std::string path = "/" + UniqueToken("list");
      const std::string url = PlainUrl(secondAnswers ? kProxyOnlyHost : "localhost", path);
      EXPECT_EQ(transport.Get(url), "no canned reply for " + path);
      EXPECT_EQ(CountInFile(Servers().proxy.log, path), secondAnswers ? 1u : 0u);
    }
    EXPECT_EQ(lookup.autoLookups.size(), 1u) << "the route that connected is remembered";
  }
}

// A 5xx is the proxy's own answer only over plain http; inside an https tunnel the proxy only
// relays, and the 5xx is the service's reply (here not JSON, so the service's error path).
TEST(WinHttpProxyTest, ServerErrorInsideTheTunnelIsTheServicesReply) {
  const TrustedRoot root(Servers().trustedCert);
  ASSERT_TRUE(root.Added());
  const InternetSettingsOverride settings(FixedProxy(ProxyAddress(Servers().proxy)));
  ASSERT_TRUE(settings.Written());
  const struct {
    std::string base;
    bool fromTheService;
  } cases[] = {{HttpsBase(Servers().tls, "localhost"), true},
               {PlainUrl(kProxyOnlyHost, ""), false},
               {"https://unknown-to-the-proxy.invalid", false}};  // the proxy's 502 to CONNECT
  for (const auto& c : cases) {
    SCOPED_TRACE(c.base);
    WinHttpTransport transport;
    CommentStore store;
    ErrorReport errors;
    const ServiceAccount account{Utf8ToUtf16(c.base + "/canned/status/502"), u"t", u"pw"};
    ServiceClient(account, transport).FetchSubjects(store, errors);
    EXPECT_EQ(errors.text, c.fromTheService ? messages::kJsonError : messages::kProxyOrFirewall);
    EXPECT_EQ(errors.unreachable, !c.fromTheService);
  }
}

}  // namespace
}  // namespace quillbox::testing
