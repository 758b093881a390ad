// The add-in core with the real WinHTTP transport against servers that misbehave: each login
// ends in the outcome the teacher is meant to see (one of the fixed error texts, or the
// service's own message), nothing crashes, and the document keeps its text.

#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostile_server.h"
#include "service/win/winhttp_transport.h"
#include "tests/support/fakes.h"

namespace quillbox::testing {
namespace {

constexpr char16_t kProxyMessage[] =
    u"We have detected you connect to the internet via a proxy server / firewall. This is an issue with "
    u"your network and not the toolbar, please do not contact us regarding this issue!";
constexpr char16_t kNotJson[] = u"Error parsing JSON!";
constexpr char16_t kSyntaxError[] = u"Error parsing JSON (syntax error)!";

const std::string kSubjectsOk = R"({"status":"OK","subjects":["English","Maths"]})";
const std::string kTabsOk = R"({"status":"OK","tabs":[{"name":"Opening","comments":[{"comment":"# reads."}]}]})";

std::u16string Utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

struct HostileCase {
  const char* name;
  Misbehaviour subjects;
  Misbehaviour tabs;
  std::optional<std::u16string> error;  // nothing: no error dialog
  bool loggedIn;
  size_t subjectCount;
  size_t groupCount;
};

std::string Nested(size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); }

std::vector<HostileCase> Cases() {
  return {
      {"accepts and closes without a word", Silent(1500), Answer(kTabsOk), std::u16string(kProxyMessage), false, 0,
       0},
      {"resets before the body", ResetAfter("", 64), Answer(kTabsOk), std::u16string(kProxyMessage), false, 0, 0},
      // Whatever arrived before the reset is the body: a cut-off document.
      {"resets mid-body", ResetAfter(R"({"status":"OK","subjects":["Eng)", 200), Answer(kTabsOk),
       std::u16string(kNotJson), false, 0, 0},
      {"resets mid-body of the groups", Answer(kSubjectsOk),
       ResetAfter(R"({"status":"OK","tabs":[{"name":"Ope)", 500), std::u16string(kNotJson), true, 2, 0},
      {"group reply never answered", Answer(kSubjectsOk), Silent(1500), std::u16string(kNotJson), true, 2, 0},
      {"100000 nested brackets", Answer(Nested(100000)), Answer(kTabsOk), std::u16string(kNotJson), false, 0, 0},
      {"100000 nested brackets as groups", Answer(kSubjectsOk),
       Answer(R"({"status":"OK","tabs":)" + Nested(100000) + "}"), std::u16string(kNotJson), true, 2, 0},
      // Invalid UTF-8 in a subject name still makes a subject; the name is what the
      // conversion makes of it.
      {"invalid UTF-8 in names", Answer("{\"status\":\"OK\",\"subjects\":[\"Ma\xff\xfe\",\"\xc3\"]}"),
       Answer(kTabsOk), std::nullopt, true, 2, 1},
      // An encoded surrogate is one ill-formed sequence: one replacement character.
      {"invalid UTF-8 in a refusal", Answer("{\"status\":\"no\",\"msg\":\"Sorry \xed\xa0\x80\"}"), Answer(kTabsOk),
       std::u16string(u"Sorry \uFFFD"), false, 0, 0},
      {"numbers as subjects", Answer(R"({"status":"OK","subjects":[1,2.5,true,null,{}]})"), Answer(kTabsOk),
       std::nullopt, false, 0, 0},
      {"a number as status", Answer(R"({"status":200,"msg":"Refused"})"), Answer(kTabsOk),
       std::u16string(u"Refused"), false, 0, 0},
      {"a number as message", Answer(R"({"status":"no","msg":404})"), Answer(kTabsOk),
       std::u16string(kSyntaxError), false, 0, 0},
      {"an array as status", Answer(R"({"status":["OK"],"subjects":["English"]})"), Answer(kTabsOk),
       std::u16string(kSyntaxError), false, 0, 0},
      {"a number as group name", Answer(kSubjectsOk),
       Answer(R"({"status":"OK","tabs":[{"name":"First","comments":[]},{"name":7,"comments":[]}]})"),
       std::u16string(kSyntaxError), true, 2, 1},
      {"numbers as comments", Answer(kSubjectsOk),
       Answer(R"({"status":"OK","tabs":[{"name":"Only","comments":[{"comment":1},{"comment":"Kept."}]}]})"),
       std::nullopt, true, 2, 1},
      {"a root that is not an object", Answer(R"("OK")"), Answer(kTabsOk), std::u16string(kSyntaxError), false, 0,
       0},
  };
}

TEST(HostileReplies, EachLoginEndsInItsDefinedOutcome) {
  for (const HostileCase& hostile : Cases()) {
    SCOPED_TRACE(hostile.name);
    HostileServer server({{"/service/subjects", hostile.subjects}, {"/service/tabs", hostile.tabs}});
    win::WinHttpTransport transport;
    FakeSettings settings(Utf16(server.BaseUrl()));
    FakeBrowser browser;
    CoreWithFakes fixture(transport, settings, browser, LoginCredentials{u"teacher@example.org", u"pw"});
    fixture.document.text = u"Dear parents, ";
    fixture.core.RibbonLoaded();

    fixture.core.LogIn();

    if (hostile.error) {
      ASSERT_EQ(1u, fixture.errors.shown.size());
      EXPECT_EQ(*hostile.error, fixture.errors.shown[0].first);
    } else {
      EXPECT_TRUE(fixture.errors.shown.empty());
    }
    EXPECT_EQ(hostile.loggedIn, fixture.core.IsLoggedIn());
    EXPECT_EQ(hostile.subjectCount, fixture.core.Store().Subjects().size());
    EXPECT_EQ(hostile.groupCount, fixture.core.Store().CommentGroups().size());
    EXPECT_EQ(u"Dear parents, ", fixture.document.text);
    // The login worked through the four controls as always.
    EXPECT_EQ(4u, fixture.ribbon.invalidated.size());
    EXPECT_TRUE(browser.opened.empty()) << "no website was asked for";
  }
}

// A 50 MB reply arrives whole: the one subject in it is read, and the process's memory stays
// within a small multiple of the reply.
TEST(HostileReplies, FiftyMegabyteReplyArrivesAndIsRead) {
  const size_t padding = 50u * 1024u * 1024u;
  std::string body = R"({"status":"OK","subjects":["Maths"],"padding":")";
  body.append(padding, 'x');
  body += "\"}";
  HostileServer server({{"/service/subjects", Answer(std::move(body))}, {"/service/tabs", Answer(kTabsOk)}});
  win::WinHttpTransport transport;
  FakeSettings settings(Utf16(server.BaseUrl()));
  FakeBrowser browser;
  CoreWithFakes fixture(transport, settings, browser, LoginCredentials{u"teacher@example.org", u"pw"});
  fixture.core.RibbonLoaded();

  fixture.core.LogIn();

  for (const auto& [message, link] : fixture.errors.shown) ADD_FAILURE() << "error shown: " << std::string(message.begin(), message.end());
  ASSERT_TRUE(fixture.core.IsLoggedIn());
  EXPECT_EQ(u"Maths", fixture.core.Store().Subjects()[0].label);
  PROCESS_MEMORY_COUNTERS memory = {};
  ASSERT_TRUE(::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory));
  // The server's copy, the body and the parsed document: well under 20 copies of the reply.
  EXPECT_LT(memory.PeakWorkingSetSize, 20 * padding) << memory.PeakWorkingSetSize;
  EXPECT_TRUE(browser.opened.empty()) << "no website was asked for";
}

// The website button asks for its login key on Word's own thread. A server that takes the
// request and never answers must not keep that thread: the request gives up when no reply
// arrives in time, and the plain page opens instead of the automatic login.
TEST(HostileReplies, SilentServerReleasesTheWebsiteButton) {
  auto server = std::make_unique<HostileServer>(
      std::vector<std::pair<std::string, Misbehaviour>>{{"/service/loginkey", Silent(INFINITE)}});
  win::WinHttpTransport transport;
  FakeSettings settings(Utf16(server->BaseUrl()));
  FakeBrowser browser;
  CoreWithFakes fixture(transport, settings, browser);
  fixture.core.RibbonLoaded();

  std::future<void> button = std::async(std::launch::async, [&] { fixture.core.EditComments(); });
  // Well past the 30-second wait for the reply; a button still waiting then is waiting on the
  // server alone, which stopping the server ends.
  const bool cameBack = button.wait_for(std::chrono::seconds(90)) == std::future_status::ready;
  const std::string baseUrl = server->BaseUrl();
  server.reset();
  button.get();

  EXPECT_TRUE(cameBack) << "the button waited on the silent server until the server was stopped";
  EXPECT_EQ(std::vector<std::u16string>{Utf16(baseUrl + "/index/edit")}, browser.opened);
}

// The transport alone: a 50 MB body cut by a reset part way keeps what arrived, and nothing
// beyond what the server sent. The bytes run through the alphabet so that a lost, repeated or
// reordered stretch shows as a difference from the start of what was sent.
TEST(HostileReplies, ResetPartWayThroughALargeBodyKeepsWhatArrived) {
  std::string sent(8u * 1024u * 1024u, ' ');
  for (size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<char>('a' + i % 26);
  HostileServer server({{"/big", ResetAfter(sent, 50u * 1024u * 1024u)}});
  win::WinHttpTransport transport;
  const std::string body = transport.Get(server.BaseUrl() + "/big");
  std::printf("reset after %zu bytes sent: %zu bytes kept\n", sent.size(), body.size());
  // The server resets only after the client has taken all but what the socket buffers hold.
  ASSERT_FALSE(body.empty()) << "nothing of what arrived was kept";
  ASSERT_LE(body.size(), sent.size());
  EXPECT_TRUE(body == sent.substr(0, body.size())) << "the kept bytes differ from those sent";
  EXPECT_EQ(1u, server.RequestLines().size());
}

}  // namespace
}  // namespace quillbox::testing
