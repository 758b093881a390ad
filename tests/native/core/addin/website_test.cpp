#include "addin/addin_fixture.h"

#include "service/website.h"

namespace quillbox {
namespace {

using testing::CoreFixture;
using testing::Ids;

TEST(WebsiteAddress, HasFourForms) {
  const std::u16string base = u"http://svc.test";
  EXPECT_EQ(WebsiteAddress(base, std::string("K1"), u""), u"http://svc.test/index/autologin?key=K1&redirect=");
  EXPECT_EQ(WebsiteAddress(base, std::string("K1"), u"index/edit"),
            u"http://svc.test/index/autologin?key=K1&redirect=index/edit");
  EXPECT_EQ(WebsiteAddress(base, std::nullopt, u""), u"http://svc.test/");
  EXPECT_EQ(WebsiteAddress(base, std::nullopt, u"index/edit"), u"http://svc.test/index/edit");
  EXPECT_EQ(WebsiteAddress(u"http://svc.test/", std::string("a b&c"), u""),
            u"http://svc.test//index/autologin?key=a%20b%26c&redirect=");
}

class Website : public ::testing::Test, public CoreFixture {
 protected:
  void SetUp() override { core.RibbonLoaded(); }
};

TEST_F(Website, OpensLoggedInThroughAFreshKeyEachTime) {
  http.Reply("/service/loginkey", R"({"status":"OK","loginkey":"k-9"})");
  core.VisitWebsite();
  core.EditComments();
  EXPECT_EQ(browser.opened, (Ids{u"http://comments.test/index/autologin?key=k-9&redirect=",
                                 u"http://comments.test/index/autologin?key=k-9&redirect=index/edit"}));
  ASSERT_EQ(http.requests.size(), 2u);
  EXPECT_EQ(http.requests[0], "http://comments.test/service/loginkey?user=&password=") << "not logged in yet";
  EXPECT_TRUE(ribbon.invalidated.empty());
}

TEST_F(Website, EscapesEveryKeyCharacterThatCouldLeaveTheQueryValue) {
  struct Case {
    const char* reply;  // the JSON string of "loginkey", as the server sends it
    const char16_t* key;
  };
  const Case cases[] = {
      {"0123456789abcdefABCDEF", u"0123456789abcdefABCDEF"},
      {"a-b.c_d~e", u"a-b.c_d~e"},
      {"a b", u"a%20b"},
      {R"(\"x\" 'y')", u"%22x%22%20%27y%27"},
      {"100%", u"100%25"},
      {"a&redirect=evil#frag", u"a%26redirect%3Devil%23frag"},
      {"+/=?", u"%2B%2F%3D%3F"},
      {"caf\u00e9", u"caf%C3%A9"},
      {R"(a\u0000b)", u"a%00b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    http.replies.clear();
    http.Reply("/service/loginkey", std::string(R"({"loginkey":")") + c.reply + "\"}");
    browser.opened.clear();
    core.EditComments();
    EXPECT_EQ(browser.opened,
              (Ids{u"http://comments.test/index/autologin?key=" + std::u16string(c.key) + u"&redirect=index/edit"}));
  }
}

TEST_F(Website, OpensThePlainPageWithoutAKey) {
  http.Reply("/service/loginkey", R"({"status":"ERR","msg":"no"})");
  core.EditComments();
  EXPECT_EQ(browser.opened, (Ids{u"http://comments.test/index/edit"}));
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(Website, SendsTheCredentialsOfAFailedLogin) {
  http.Reply("/service/subjects", R"({"status":"ERR","msg":"Wrong"})");
  core.LogIn();
  http.requests.clear();
  core.VisitWebsite();
  ASSERT_EQ(http.requests.size(), 1u);
  EXPECT_NE(http.requests[0].find("user=teacher%40school%2etest&password=secret"), std::string::npos);
}

TEST_F(Website, IsSilentWithoutABaseUrl) {
  settings.baseUrl.clear();
  core.RibbonLoaded();
  core.VisitWebsite();
  core.EditComments();
  EXPECT_TRUE(http.requests.empty());
  EXPECT_TRUE(browser.opened.empty());
}

}  // namespace
}  // namespace quillbox
