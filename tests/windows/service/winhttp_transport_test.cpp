// The WinHTTP transport against the plain loopback server: what goes on the wire, and what
// comes back for error pages, odd bodies and failed connections.

#include "service/win/winhttp_transport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "common/text_utf.h"
#include "loopback_servers.h"
#include "refusing_port.h"
#include "model/comment_store.h"
#include "service/service_client.h"
#include "tests/native/http-test-server/canned_bodies.h"

namespace quillbox::testing {
namespace {

using win::WinHttpTransport;

// The header names of a log entry, in the order logged.
std::set<std::string> HeaderNames(const std::string& entry) {
  std::set<std::string> names;
  std::istringstream lines(entry);
  std::string line;
  std::getline(lines, line);  // the request line
  while (std::getline(lines, line) && !line.empty()) names.insert(line.substr(0, line.find(':')));
  return names;
}

// A host name that fails to resolve without a query leaving the machine: a label longer than
// the 63 characters DNS allows is refused by the resolver before anything is sent.
const std::string kUnresolvableHost = std::string(70, 'q') + ".invalid";

struct ServiceRequestCase {
  const char* name;
  std::string (*url)(const ServiceAccount& account);
  const char* expectedPathAndQuery;  // after the base URL's own path
};

TEST(WinHttpTransportTest, ServiceRequestsReachTheServerAsTheCoreBuildsThem) {
  const LoopbackServer& server = Servers().plain;
  const std::string base = "/" + UniqueToken("requests");
  ServiceAccount account;
  account.baseUrl = Utf8ToUtf16(HttpBase(server) + base);
  account.email = u"anne.o'neil@school.example";
  account.password = u"p@ss word&1";

  const ServiceRequestCase cases[] = {
      {"subjects", SubjectRequestUrl,
       "/service/subjects?user=anne%2eo'neil%40school%2eexample&password=p%40ss%20word%261"},
      {"comment groups",
       [](const ServiceAccount& a) {
         return CommentGroupRequestUrl(a, u"Fran\u00e7ais & Caf\u00e9 Studies");
       },
       "/service/tabs?user=anne%2eo'neil%40school%2eexample&password=p%40ss%20word%261"
       "&subject=Fran%c3%a7ais%20%26%20Caf%c3%a9%20Studies"},
      {"login key", LoginKeyRequestUrl,
       "/service/loginkey?user=anne%2eo'neil%40school%2eexample&password=p%40ss%20word%261"},
  };
  WinHttpTransport transport;
  for (const ServiceRequestCase& request : cases) {
    SCOPED_TRACE(request.name);
    transport.Get(request.url(account));
    const std::string requestLine = "GET " + base + request.expectedPathAndQuery + " HTTP/1.1\n";
    const std::string entry = LogEntryStartingWith(server.log, requestLine);
    ASSERT_FALSE(entry.empty()) << "no request line " << requestLine << "in\n"
                                << ReadWholeFile(server.log);
    EXPECT_NE(entry.find("\nUser-Agent: QuillboxAddIn/1.0\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nPragma: no-cache\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nCache-Control: no-cache\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nHost: 127.0.0.1:" + std::to_string(server.port) + "\n"), std::string::npos)
        << entry;
    // Nothing beyond what the stack adds by itself: no accept types, no referrer, no cookies.
    EXPECT_EQ(HeaderNames(entry),
              (std::set<std::string>{"Cache-Control", "Connection", "Host", "Pragma", "User-Agent"}))
        << entry;
  }
}

TEST(WinHttpTransportTest, UrlFormsReachTheGivenPortAndPath) {
  const LoopbackServer& server = Servers().plain;
  const std::string port = std::to_string(server.port);
  const std::string path = "/" + UniqueToken("forms");
  struct Case {
    std::string url;
    std::string pathAndQuery;
  };
  const Case cases[] = {
      {"http://127.0.0.1:" + port + path + "/lower", path + "/lower"},
      {"HTTP://127.0.0.1:" + port + path + "/upper", path + "/upper"},
      {"127.0.0.1:" + port + path + "/bare?q=1", path + "/bare?q=1"},
      {"http://localhost:" + port + path + "/named", path + "/named"},
  };
  WinHttpTransport transport;
  for (const Case& form : cases) {
    SCOPED_TRACE(form.url);
    const std::string pathOnly = form.pathAndQuery.substr(0, form.pathAndQuery.find('?'));
    EXPECT_EQ(transport.Get(form.url), "no canned reply for " + pathOnly);
    EXPECT_FALSE(LogEntryStartingWith(server.log, "GET " + form.pathAndQuery + " HTTP/1.1\n").empty())
        << ReadWholeFile(server.log);
  }
}

TEST(WinHttpTransportTest, UrlWithoutPathAsksForTheRoot) {
  const LoopbackServer& server = Servers().plain;
  const size_t rootRequestsBefore = CountInFile(server.log, "GET / HTTP/1.1\n");
  EXPECT_EQ(WinHttpTransport().Get(HttpBase(server)), "no canned reply for /");
  EXPECT_EQ(CountInFile(server.log, "GET / HTTP/1.1\n"), rootRequestsBefore + 1);
}

TEST(WinHttpTransportTest, ErrorRepliesHandTheirBodiesOn) {
  WinHttpTransport transport;
  for (int status : {404, 500, 503}) {
    SCOPED_TRACE(status);
    EXPECT_EQ(transport.Get(HttpBase(Servers().plain) + "/canned/status/" + std::to_string(status)),
              testserver::StatusBody(status));
  }
}

TEST(WinHttpTransportTest, BodyLargerThanTenMegabytesArrivesWhole) {
  constexpr size_t kSize = 10u * 1024u * 1024u + 12345u;
  const std::string body =
      WinHttpTransport().Get(HttpBase(Servers().plain) + "/canned/pattern/" + std::to_string(kSize));
  ASSERT_EQ(body.size(), kSize);
  // Compared as a whole but reported by position, so a failure does not print 10 MB.
  const std::string expected = testserver::PatternBody(kSize);
  const auto mismatch = std::mismatch(body.begin(), body.end(), expected.begin());
  EXPECT_EQ(mismatch.first, body.end()) << "first difference at byte " << (mismatch.first - body.begin());
}

TEST(WinHttpTransportTest, BodyWithZeroByteArrivesWhole) {
  EXPECT_EQ(WinHttpTransport().Get(HttpBase(Servers().plain) + "/canned/zero-byte"),
            testserver::ZeroByteBody());
}

TEST(WinHttpTransportTest, FailedConnectionsGiveAnEmptyBody) {
  const RefusingPort refusing;
  ASSERT_NE(refusing.Port(), 0);
  const std::string cases[] = {
      "http://127.0.0.1:" + std::to_string(refusing.Port()) + "/service/subjects",
      "http://" + kUnresolvableHost + "/service/subjects",
      "http:///service/subjects",  // no host at all
  };
  WinHttpTransport transport;
  for (const std::string& url : cases) {
    SCOPED_TRACE(url);
    EXPECT_EQ(transport.Get(url), "");
  }
}

TEST(WinHttpTransportTest, FailedConnectionMakesTheSubjectRequestReportTheNetwork) {
  const RefusingPort refusing;
  ASSERT_NE(refusing.Port(), 0);
  const std::string refusedBase = "http://127.0.0.1:" + std::to_string(refusing.Port());
  const std::string unresolvableBase = "http://" + kUnresolvableHost;
  const struct {
    std::string base;
    std::u16string textStart;
  } cases[] = {
      {refusedBase, messages::kProxyOrFirewall},
      {unresolvableBase, std::u16string(messages::kAddressNotFound) + u" (" + Utf8ToUtf16(kUnresolvableHost) + u")."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.base);
    ServiceAccount account;
    account.baseUrl = Utf8ToUtf16(c.base);
    account.email = u"teacher@school.example";
    account.password = u"secret";
    WinHttpTransport transport;
    CommentStore store;
    ErrorReport errors;
    ServiceClient(account, transport).FetchSubjects(store, errors);
    EXPECT_EQ(errors.text.substr(0, c.textStart.size()), c.textStart);
    EXPECT_EQ(errors.link, u"");
    EXPECT_TRUE(errors.unreachable);
    EXPECT_TRUE(store.Subjects().empty());
  }
}

}  // namespace
}  // namespace quillbox::testing
