#include "service/service_client.h"

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace quillbox {
namespace {

using testing::FakeTransport;

class ServiceClientTest : public ::testing::Test {
 protected:
  void ReplySubjects(std::string body) { http.Reply("/service/subjects", std::move(body)); }
  void ReplyTabs(std::string body) { http.Reply("/service/tabs", std::move(body)); }
  void FetchSubjects() { ServiceClient(account, http).FetchSubjects(store, errors); }

  std::vector<std::u16string> SubjectLabels() const {
    std::vector<std::u16string> labels;
    for (const auto& item : store.Subjects()) labels.push_back(item.label);
    return labels;
  }

  ServiceAccount account{u"http://svc.test", u"mr.a@school.uk", u"p w&d"};
  FakeTransport http;
  CommentStore store;
  ErrorReport errors;
};

TEST_F(ServiceClientTest, RequestUrlsEscapeEveryParameter) {
  EXPECT_EQ(SubjectRequestUrl(account), "http://svc.test/service/subjects?user=mr%2ea%40school%2euk&password=p%20w%26d");
  EXPECT_EQ(CommentGroupRequestUrl(account, u"Art & Caf\u00e9"),
            "http://svc.test/service/tabs?user=mr%2ea%40school%2euk&password=p%20w%26d&subject=Art%20%26%20Caf%c3%a9");
  EXPECT_EQ(LoginKeyRequestUrl(ServiceAccount{u"http://svc.test/", u"", u""}),
            "http://svc.test//service/loginkey?user=&password=");
}

TEST_F(ServiceClientTest, SubjectsFillTheListAndTheFirstSubjectIsLoaded) {
  ReplySubjects(R"({"status":"OK","subjects":["Maths", 7, "Fran\u00e7ais", null, "Maths"]})");
  ReplyTabs(R"({"status":"OK","tabs":[{"name":"Effort","comments":[{"comment":"# tries."},{"comment":3},null,{"comment":"^ works."}]},
                                       {"name":"Effort","comments":[{"comment":"ignored"}]}, null, {"comments":[]}]})");
  store.SetSelectedSubjectIndex(4);
  FetchSubjects();

  EXPECT_TRUE(errors.text.empty());
  EXPECT_EQ(SubjectLabels(), (std::vector<std::u16string>{u"Maths", u"Fran\u00e7ais", u"Maths"}));
  EXPECT_EQ(store.SubjectAt(1)->identifier, u"subject2");
  EXPECT_EQ(store.SubjectAt(2)->identifier, u"subject4");
  EXPECT_EQ(store.SelectedSubjectIndex(), 0);
  ASSERT_EQ(http.requests.size(), 2u);
  EXPECT_NE(http.requests[1].find("&subject=Maths"), std::string::npos);

  ASSERT_EQ(store.CommentGroups().size(), 4u);
  EXPECT_EQ(store.CommentGroupAt(1)->label, u"Effort");
  EXPECT_EQ(store.CommentGroupAt(2)->label, u"");
  EXPECT_EQ(store.CommentGroupAt(3)->label, u"");
  ASSERT_EQ(store.CommentCount(), 2u);
  EXPECT_EQ(store.CommentLabelAt(0), u"Pupil name tries.");
  EXPECT_EQ(store.CommentLabelAt(1), u"He works.");
}

struct SubjectFailureCase {
  const char* name;
  std::string body;
  std::u16string text;
  std::u16string link;
};

class SubjectFailureTest : public ServiceClientTest, public ::testing::WithParamInterface<SubjectFailureCase> {};

TEST_P(SubjectFailureTest, LeavesTheMessageAndNoSubjects) {
  errors.link = u"untouched";
  ReplySubjects(GetParam().body);
  FetchSubjects();
  EXPECT_EQ(errors.text, GetParam().text);
  EXPECT_EQ(errors.link, GetParam().link);
  EXPECT_TRUE(store.Subjects().empty());
  EXPECT_EQ(http.requests.size(), 1u) << "no comment-group request follows a failure";
}

INSTANTIATE_TEST_SUITE_P(
    Replies, SubjectFailureTest,
    ::testing::Values(
        SubjectFailureCase{"EmptyBody", "", messages::kProxyOrFirewall, u"untouched"},
        SubjectFailureCase{"NotJson", "<html>gateway</html>", messages::kJsonError, u"untouched"},
        SubjectFailureCase{"Refused", R"({"status":"ERR","msg":"Wrong password","url":"http://svc.test/index/forgot"})",
                           u"Wrong password", u"http://svc.test/index/forgot"},
        SubjectFailureCase{"RefusedWithoutUrl", R"({"status":"ERR","msg":"Closed"})", u"Closed", u""},
        SubjectFailureCase{"RefusedSilently", R"({"status":"ERR"})", u"", u""},
        SubjectFailureCase{"LowerCaseOk", R"({"status":"ok","msg":"m"})", u"m", u""},
        SubjectFailureCase{"BooleanStatus", R"({"status":true,"msg":"b"})", u"b", u""},
        SubjectFailureCase{"NullStatus", R"({"status":null,"msg":"n"})", u"n", u""},
        SubjectFailureCase{"NoSubjects", R"({"status":"OK","subjects":[]})", u"", u"untouched"},
        SubjectFailureCase{"ScalarSubjects", R"({"status":"OK","subjects":"Maths"})", u"", u"untouched"},
        SubjectFailureCase{"ObjectStatus", R"({"status":{},"msg":"x"})", messages::kJsonSyntaxError, u"untouched"},
        SubjectFailureCase{"NullMessage", R"({"status":"E","msg":null})", messages::kJsonSyntaxError, u"untouched"},
        SubjectFailureCase{"ArrayRoot", R"([1,2])", messages::kJsonSyntaxError, u"untouched"},
        SubjectFailureCase{"ObjectSubjects", R"({"status":"OK","subjects":{"a":"b"}})", messages::kJsonSyntaxError,
                           u"untouched"}),
    [](const auto& info) { return std::string(info.param.name); });

// A request that got no reply is told apart by its cause, for both requests that report one;
// whatever the cause, the service was not reached.
TEST_F(ServiceClientTest, NoReplyMessageNamesTheCause) {
  using Kind = TransportFailure::Kind;
  const std::u16string certificate = std::u16string(messages::kCertificateNotAccepted) +
                                     u": not trusted.\n\n" + messages::kCertificateAdvice;
  const std::u16string address = std::u16string(messages::kAddressNotFound) + u" (svc.test). Check that this "
      u"computer is connected to the internet; if it is, ask IT to check the service address set for the add-in.";
  const struct {
    Kind kind;
    std::u16string subjectText, groupText;
  } cases[] = {{Kind::None, messages::kProxyOrFirewall, messages::kJsonError},
               {Kind::NoReply, messages::kProxyOrFirewall, messages::kJsonError},
               {Kind::Certificate, certificate, certificate},
               {Kind::NameNotResolved, address, address}};
  for (const auto& c : cases) {
    http.noReply = TransportFailure{c.kind, u"not trusted"};
    errors = ErrorReport{u"", u"untouched"};
    FetchSubjects();
    EXPECT_EQ(errors.text, c.subjectText);
    EXPECT_EQ(errors.link, u"untouched");
    EXPECT_TRUE(errors.unreachable);
    errors = ErrorReport{};
    ServiceClient(account, http).FetchCommentGroups(store, u"Maths", errors);
    EXPECT_EQ(errors.text, c.groupText);
  }
}

TEST_F(ServiceClientTest, EmptyBaseUrlSendsNothing) {
  account.baseUrl.clear();
  store.AddSubject(u"Old", 0);
  store.SetSelectedSubjectIndex(2);
  FetchSubjects();
  EXPECT_TRUE(http.requests.empty());
  EXPECT_TRUE(store.Subjects().empty());
  EXPECT_EQ(store.SelectedSubjectIndex(), 0);
  EXPECT_TRUE(errors.text.empty());
}

TEST_F(ServiceClientTest, ParsesCommentsAndIgnoresTrailingText) {
  ReplySubjects("// the list\n{ /* ok */ \"status\":\"OK\",\"subjects\":[\"Art\"]} trailing garbage {");
  ReplyTabs(R"({"status":"OK","tabs":[]})");
  FetchSubjects();
  EXPECT_EQ(SubjectLabels(), (std::vector<std::u16string>{u"Art"}));
  EXPECT_TRUE(errors.text.empty());
}

TEST_F(ServiceClientTest, BrokenTextAndDeepNestingNeverCrash) {
  ReplySubjects("{\"status\":\"OK\",\"subjects\":[\"Art\xff\", \"\\udc00x\"]}");
  ReplyTabs(R"({"status":"OK","tabs":[]})");
  FetchSubjects();
  EXPECT_EQ(SubjectLabels(), (std::vector<std::u16string>{u"Art\uFFFD", u"\uFFFDx"}));

  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  http.replies.clear();
  ReplySubjects(deep);
  FetchSubjects();
  EXPECT_EQ(errors.text, messages::kJsonError);
}

TEST_F(ServiceClientTest, CommentGroupFailuresKeepTheCacheEntry) {
  const struct {
    std::string body;
    std::u16string text;
    size_t groups;
  } cases[] = {
      {"", messages::kJsonError, 0},
      {"nonsense", messages::kJsonError, 0},
      {R"({"status":"NO","msg":"Subject gone","url":"http://x"})", u"Subject gone", 0},
      {R"({"status":"OK","tabs":[{"name":"A"},7,{"name":"B"}]})", messages::kJsonSyntaxError, 1},
      {R"({"status":"OK","tabs":[{"name":null}]})", messages::kJsonSyntaxError, 0},
      {R"({"status":"OK","tabs":[{"name":"A","comments":[5]}]})", messages::kJsonSyntaxError, 0},
  };
  for (const auto& c : cases) {
    CommentStore fresh;
    ErrorReport report;
    http.replies.clear();
    ReplyTabs(c.body);
    ServiceClient(account, http).FetchCommentGroups(fresh, u"Art", report);
    EXPECT_EQ(report.text, c.text) << c.body;
    EXPECT_TRUE(report.link.empty()) << c.body;
    const SubjectEntry* entry = fresh.FindSubjectEntry(u"Art");
    EXPECT_EQ(entry ? entry->commentGroupNames.size() : 0u, c.groups) << c.body;
  }
}

TEST_F(ServiceClientTest, SelectSubjectWithoutGroupsKeepsThePreviousComments) {
  store.AddSubject(u"Art", 0);
  store.AddSubject(u"Music", 1);
  CommentStore::AddCommentGroup(store.SubjectEntryFor(u"Art"), u"G", {u"old"});
  store.RebuildCommentGroupList(u"Art");
  store.RebuildCommentList(u"Art", u"G");
  ReplyTabs(R"({"status":"OK","tabs":[]})");

  ServiceClient(account, http).SelectSubject(store, 1, errors);
  EXPECT_EQ(store.SelectedSubjectIndex(), 1);
  EXPECT_TRUE(store.CommentGroups().empty());
  ASSERT_EQ(store.CommentCount(), 1u);
  EXPECT_EQ(store.CommentLabelAt(0), u"Old");

  ServiceClient(account, http).SelectSubject(store, 5, errors);
  EXPECT_EQ(store.SelectedSubjectIndex(), 1) << "no subject there: nothing changes";
  EXPECT_EQ(http.requests.size(), 1u);
}

TEST_F(ServiceClientTest, LoginKeyIsTheStringOrNothing) {
  const struct {
    std::string body;
    std::optional<std::string> key;
  } cases[] = {
      {R"({"loginkey":"k 1\"'"})", std::string("k 1\"'")},
      {R"({"status":"ERR","loginkey":"still used"})", std::string("still used")},
      {R"({"loginkey":12})", std::nullopt},
      {R"({"status":"OK"})", std::nullopt},
      {R"(["loginkey"])", std::nullopt},
      {"", std::nullopt},
      {"{", std::nullopt},
  };
  for (const auto& c : cases) {
    http.replies.clear();
    http.Reply("/service/loginkey", c.body);
    EXPECT_EQ(ServiceClient(account, http).FetchLoginKey(), c.key) << c.body;
  }
}

}  // namespace
}  // namespace quillbox
