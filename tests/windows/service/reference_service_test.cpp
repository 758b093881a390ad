// The add-in core with the real WinHTTP transport against the reference comment service,
// populated from reference_bank.json: logging in lists the subjects and loads the first
// subject's groups, another subject is fetched once and then served from the cache.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <stdexcept>

#include "common/text_utf.h"
#include "loopback_servers.h"
#include "service/win/winhttp_transport.h"
#include "tests/support/fakes.h"
#include "tests/support/wine_path.h"

namespace quillbox::testing {
namespace {

using win::WinHttpTransport;

struct ReferenceService {
  int port = 0;
  std::string log;
};

const ReferenceService& Service() {
  static const ReferenceService service = [] {
    const std::string stateFile = std::string(QUILLBOX_REFERENCE_STATE) + "/service.txt";
    std::ifstream file(stateFile);
    if (!file) throw std::runtime_error("the reference service is not running: no " + stateFile);
    std::map<std::string, std::string> values;
    for (std::string line; std::getline(file, line);) {
      const size_t equals = line.find('=');
      if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return ReferenceService{std::stoi(values.at("port")), WinePath(values.at("log"))};
  }();
  return service;
}

// The teacher of reference_bank.json, and the query string the add-in sends for them.
const LoginCredentials kTeacher{u"m.dupont-leger@school.example", u"p&ss w\u00f6rd+1"};
constexpr char kTeacherQuery[] = "user=m%2edupont%2dleger%40school%2eexample&password=p%26ss%20w%c3%b6rd%2b1";

std::string TabsRequestLine(const std::string& encodedSubject) {
  return std::string("GET /service/tabs?") + kTeacherQuery + "&subject=" + encodedSubject + " HTTP/1.1\n";
}

std::vector<std::u16string> SubjectLabels(const AddinCore& core) {
  std::vector<std::u16string> labels;
  for (int32_t i = 0; i < core.GetItemCountSubject(); ++i) labels.push_back(core.GetItemLabelSubject(i).value_or(u"?"));
  return labels;
}
std::vector<std::u16string> GroupLabels(const AddinCore& core) {
  std::vector<std::u16string> labels;
  for (int32_t i = 0; i < core.GetItemCountCategory(); ++i) labels.push_back(core.GetItemLabelCategory(i).value_or(u"?"));
  return labels;
}
std::vector<std::u16string> CommentLabels(const AddinCore& core) {
  std::vector<std::u16string> labels;
  for (int32_t i = 0; i < core.GetItemCountComment(); ++i) labels.push_back(core.GetItemLabelComment(i).value_or(u"?"));
  return labels;
}

class CoreAgainstReferenceServiceTest : public ::testing::Test {
 protected:
  CoreAgainstReferenceServiceTest()
      : settings_(Utf8ToUtf16("http://127.0.0.1:" + std::to_string(Service().port))),
        fixture_(transport_, settings_, browser_, kTeacher) {
    fixture_.core.RibbonLoaded();
  }

  AddinCore& Core() { return fixture_.core; }
  size_t Requests(const std::string& requestLine) const { return CountInFile(Service().log, requestLine); }

  WinHttpTransport transport_;
  FakeSettings settings_;
  FakeBrowser browser_;
  CoreWithFakes fixture_;
};

TEST_F(CoreAgainstReferenceServiceTest, LogInListsSubjectsAndLoadsTheFirstSubjectsComments) {
  const std::string subjectsRequest = std::string("GET /service/subjects?") + kTeacherQuery + " HTTP/1.1\n";
  const size_t subjectRequestsBefore = Requests(subjectsRequest);
  const size_t artRequestsBefore = Requests(TabsRequestLine("Art%20%26%20Design"));

  Core().LogIn();

  EXPECT_TRUE(Core().IsLoggedIn());
  EXPECT_TRUE(fixture_.errors.shown.empty());
  EXPECT_EQ(SubjectLabels(Core()), (std::vector<std::u16string>{u"Art & Design", u"Fran\u00e7ais", u"Mathematics"}));
  EXPECT_EQ(Core().GetItemIDSubject(2), u"subject2");
  EXPECT_EQ(Core().GetSelectedItemIndexSubject(), 0);
  EXPECT_EQ(GroupLabels(Core()), (std::vector<std::u16string>{u"Practical work", u"Effort"}));
  EXPECT_EQ(CommentLabels(Core()), (std::vector<std::u16string>{
                                       u"Well done, Pupil name.", u"The clay sculpture is finished and glazed."}));
  EXPECT_EQ(Requests(subjectsRequest), subjectRequestsBefore + 1);
  EXPECT_EQ(Requests(TabsRequestLine("Art%20%26%20Design")), artRequestsBefore + 1);
}

TEST_F(CoreAgainstReferenceServiceTest, AnotherSubjectIsFetchedOnceThenServedFromTheCache) {
  Core().LogIn();
  ASSERT_TRUE(Core().IsLoggedIn());
  const std::string mathematics = TabsRequestLine("Mathematics");
  const std::string art = TabsRequestLine("Art%20%26%20Design");
  const size_t mathematicsBefore = Requests(mathematics);
  const size_t artBefore = Requests(art);

  Core().SelecteItemChangedSubject(2);
  EXPECT_EQ(GroupLabels(Core()), (std::vector<std::u16string>{u"Number", u"Next steps"}));
  EXPECT_EQ(CommentLabels(Core()), (std::vector<std::u16string>{u"Quick and accurate mental arithmetic."}));
  EXPECT_EQ(Requests(mathematics), mathematicsBefore + 1);
  const int runsAfterFirstVisit = fixture_.progress.runs;

  Core().SelecteItemChangedSubject(0);
  Core().SelecteItemChangedSubject(2);

  EXPECT_EQ(GroupLabels(Core()), (std::vector<std::u16string>{u"Number", u"Next steps"}));
  EXPECT_EQ(fixture_.progress.runs, runsAfterFirstVisit);
  EXPECT_EQ(Requests(mathematics), mathematicsBefore + 1);
  EXPECT_EQ(Requests(art), artBefore);
  EXPECT_TRUE(fixture_.errors.shown.empty());
}

TEST_F(CoreAgainstReferenceServiceTest, SubjectBeyondAsciiIsRequestedEscapedAndListedUnchanged) {
  Core().LogIn();
  ASSERT_TRUE(Core().IsLoggedIn());
  const std::string francais = TabsRequestLine("Fran%c3%a7ais");
  const size_t before = Requests(francais);

  Core().SelecteItemChangedSubject(1);

  EXPECT_EQ(Core().GetItemLabelSubject(1), u"Fran\u00e7ais");
  EXPECT_EQ(GroupLabels(Core()), (std::vector<std::u16string>{u"Expression orale"}));
  EXPECT_EQ(CommentLabels(Core()), (std::vector<std::u16string>{u"Tr\u00e8s bonne prononciation."}));
  EXPECT_EQ(Requests(francais), before + 1);
}

TEST_F(CoreAgainstReferenceServiceTest, EditCommentsOpensTheAutoLoginAddressWithAFreshKey) {
  Core().LogIn();
  Core().EditComments();
  Core().EditComments();

  ASSERT_EQ(browser_.opened.size(), 2u);
  const std::u16string prefix =
      Utf8ToUtf16("http://127.0.0.1:" + std::to_string(Service().port) + "/index/autologin?key=");
  const std::u16string suffix = u"&redirect=index/edit";
  for (const std::u16string& address : browser_.opened) {
    ASSERT_EQ(address.compare(0, prefix.size(), prefix), 0) << Utf16ToUtf8(address);
    ASSERT_GT(address.size(), prefix.size() + suffix.size());
    EXPECT_EQ(address.substr(address.size() - suffix.size()), suffix) << Utf16ToUtf8(address);
  }
  // Each click asks for its own one-time key.
  EXPECT_NE(browser_.opened[0], browser_.opened[1]);
}

}  // namespace
}  // namespace quillbox::testing
