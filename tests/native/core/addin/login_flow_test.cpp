#include "addin/addin_fixture.h"

namespace quillbox {
namespace {

using testing::CoreFixture;
using testing::Ids;
using testing::LoggedInCore;

class LoginFlow : public ::testing::Test, public CoreFixture {
 protected:
  void SetUp() override { core.RibbonLoaded(); }
};

const Ids kLoginControls{u"logIn", u"gr2", u"subjects", u"category"};

TEST_F(LoginFlow, SuccessfulLoginShowsTheComments) {
  http.Reply("/service/subjects", R"({"status":"OK","subjects":["Maths"]})");
  http.Reply("/service/tabs", R"({"status":"OK","tabs":[{"name":"G","comments":[{"comment":"c"}]}]})");
  login.answer = LoginCredentials{u"  a@b.c ", u" pw "};
  settings.baseUrl = u"http://other";  // read afresh for the dialog only

  core.LogIn();
  EXPECT_TRUE(core.IsLoggedIn());
  EXPECT_EQ(core.GetLabelLogIn(), u"Log Out");
  EXPECT_TRUE(core.GetVisibleComments());
  EXPECT_EQ(ribbon.Take(), kLoginControls);
  EXPECT_EQ(login.shownWith, (Ids{u"http://other"}));
  EXPECT_EQ(core.Account().email, u"  a@b.c ");
  EXPECT_EQ(core.Account().password, u" pw ");
  ASSERT_EQ(http.requests.size(), 2u);
  EXPECT_EQ(http.requests[0].rfind("http://comments.test/service/subjects?user=%20%20a%40b%2ec%20&password=%20pw%20", 0), 0u);
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(LoginFlow, CancelChangesNothingButStillInvalidates) {
  login.answer = std::nullopt;
  core.LogIn();
  EXPECT_FALSE(core.IsLoggedIn());
  EXPECT_EQ(ribbon.Take(), kLoginControls);
  EXPECT_TRUE(http.requests.empty());
  EXPECT_EQ(progress.runs, 0);
}

TEST_F(LoginFlow, FailedLoginKeepsTheTypedCredentialsAndShowsOneMessage) {
  http.Reply("/service/subjects", R"({"status":"ERR","msg":"Unknown account","url":"http://comments.test/"})");
  core.LogIn();
  EXPECT_FALSE(core.IsLoggedIn());
  EXPECT_EQ(core.GetLabelLogIn(), u"Log In");
  ASSERT_EQ(errors.shown.size(), 1u);
  EXPECT_EQ(errors.shown[0].first, u"Unknown account");
  EXPECT_EQ(errors.shown[0].second, u"http://comments.test/");
  EXPECT_EQ(core.Account().email, u"teacher@school.test");

  // The next failure shows only its own message: nothing stale remains.
  http.replies.clear();
  core.LogIn();
  ASSERT_EQ(errors.shown.size(), 2u);
  EXPECT_EQ(errors.shown[1].first, messages::kProxyOrFirewall);
  EXPECT_EQ(errors.shown[1].second, u"");
}

TEST_F(LoginFlow, RefusalWithoutMessageLeavesNoLinkBehind) {
  http.Reply("/service/subjects", R"({"status":"ERR","url":"http://stale.test/"})");
  core.LogIn();
  EXPECT_TRUE(errors.shown.empty());
  http.replies.clear();
  http.Reply("/service/subjects", "not json");
  core.LogIn();
  ASSERT_EQ(errors.shown.size(), 1u);
  EXPECT_EQ(errors.shown[0].first, messages::kJsonError);
  EXPECT_EQ(errors.shown[0].second, u"") << "the earlier refusal's link is gone";
}

TEST_F(LoginFlow, EmptyBaseUrlRunsTheWorkerButSendsNothing) {
  settings.baseUrl.clear();
  core.RibbonLoaded();
  core.LogIn();
  EXPECT_EQ(progress.runs, 1);
  EXPECT_TRUE(http.requests.empty());
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_FALSE(core.IsLoggedIn());
}

TEST_F(LoginFlow, GroupFailureStillLogsIn) {
  http.Reply("/service/subjects", R"({"status":"OK","subjects":["Maths"]})");
  http.Reply("/service/tabs", R"({"status":"ERR","msg":"Try later"})");
  core.LogIn();
  EXPECT_TRUE(core.IsLoggedIn());
  EXPECT_EQ(core.GetItemCountCategory(), 0);
  ASSERT_EQ(errors.shown.size(), 1u);
  EXPECT_EQ(errors.shown[0].first, u"Try later");
}

TEST_F(LoginFlow, AWorkerThatCannotStartIsReportedAndChangesNothing) {
  progress.canStart = false;
  http.Reply("/service/subjects", R"({"status":"OK","subjects":["Maths"]})");
  core.LogIn();
  EXPECT_FALSE(core.IsLoggedIn());
  EXPECT_TRUE(http.requests.empty());
  ASSERT_EQ(errors.shown.size(), 1u);
  EXPECT_EQ(errors.shown[0].first, kWorkerNotStarted);
}

TEST_F(LoginFlow, NoRibbonEndsTheRefreshButTheLoginStands) {
  http.Reply("/service/subjects", R"({"status":"OK","subjects":["Maths"]})");
  ribbon.failAt = 0;
  ribbon.failure = hr::kPointer;
  try {
    core.LogIn();
    ADD_FAILURE() << "no error";
  } catch (const ComError& error) {
    EXPECT_EQ(error.Result(), hr::kPointer);
  }
  EXPECT_TRUE(core.IsLoggedIn());
}

using LogOut = LoggedInCore;

TEST_F(LogOut, IsLocalAndKeepsThePupilButNotTheirPronouns) {
  core.OnChangeName(u"Zed");
  core.PressGirl();
  core.SelecteItemChangedCategory(2);
  ribbon.Take();
  http.requests.clear();

  core.LogIn();
  EXPECT_FALSE(core.IsLoggedIn());
  Ids logOutControls = kLoginControls;
  logOutControls.insert(logOutControls.end(), {u"boy", u"girl", u"they", u"comment"});
  EXPECT_EQ(ribbon.Take(), logOutControls);
  EXPECT_TRUE(http.requests.empty());
  EXPECT_EQ(login.shownWith.size(), 1u) << "no dialog on log-out";
  EXPECT_EQ(core.GetItemCountSubject(), 0);
  EXPECT_EQ(core.GetItemCountCategory(), 0);
  EXPECT_EQ(core.GetItemCountComment(), 0);
  EXPECT_EQ(core.Account().email, u"");
  EXPECT_EQ(core.Account().password, u"");
  EXPECT_EQ(core.GetTextName(), u"Zed");
  EXPECT_FALSE(core.GetPressedGirl());
  EXPECT_FALSE(core.GetEnabledComment());
  EXPECT_EQ(core.GetSelectedItemIndexCategory(), 2);

  core.LogIn();
  EXPECT_TRUE(core.IsLoggedIn());
  EXPECT_EQ(http.requests.size(), 2u) << "the cache starts empty again";
  EXPECT_EQ(core.GetItemLabelComment(0), u"Zed has settled well.");
}

}  // namespace
}  // namespace quillbox
