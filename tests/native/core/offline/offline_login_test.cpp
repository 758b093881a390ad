// The offline copy in the login flow: kept after every fetch that worked, offered only when
// the service cannot be reached and the password opens the copy, and worked from offline.

#include <gtest/gtest.h>

#include "offline_fakes.h"
#include "tests/support/fakes.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;
using Labels = std::vector<std::u16string>;

constexpr char kSubjects[] = R"({"status":"OK","subjects":["Maths","Art","Music"]})";
constexpr char kMathsTabs[] = R"({"status":"OK","tabs":[{"name":"Number","comments":[{"comment":"# counts."}]}]})";
constexpr char kArtTabs[] = R"({"status":"OK","tabs":[{"name":"Paint","comments":[{"comment":"^ paints."}]}]})";

// The shared fakes, with a core that also has the offline copy's ports (it hides the fixture's
// own core, which has none).
class OfflineLogin : public ::testing::Test, public CoreFixture {
 protected:
  OfflineLogin() { core.RibbonLoaded(); }

  void ServiceUp() {
    http.Reply("/service/subjects", kSubjects);
    http.Reply("subject=Maths", kMathsTabs);
    http.Reply("subject=Art", kArtTabs);
  }
  // What an online session with Maths and Art opened would have kept.
  OfflineCopy KeptCopy() {
    ServiceUp();
    core.LogIn();
    core.SelecteItemChangedSubject(1);
    core.LogIn();  // log out
    http.replies.clear();
    return offline.kept.back();
  }
  Labels Groups() const {
    Labels labels;
    for (const RibbonItem& item : core.Store().CommentGroups()) labels.push_back(item.label);
    return labels;
  }

  FakeOfflineStore offline;
  FakeQuestion question;
  FakeKeyboard keyboard;
  AddinCore core{AddinPorts{ribbon, document, http, settings, browser, login, progress, errors, &offline, &question,
                            &keyboard}};
};

TEST_F(OfflineLogin, KeepsWhatWasFetchedAfterEachFetch) {
  EXPECT_EQ(offline.expiredRemovals, 1);
  const OfflineCopy copy = KeptCopy();
  EXPECT_EQ(offline.started, Labels{u"teacher@school.test/secret"});
  ASSERT_EQ(offline.kept.size(), 2u);  // the login, then Art
  EXPECT_EQ(offline.kept[0].entries.size(), 1u);
  EXPECT_EQ(copy.subjects, (Labels{u"Maths", u"Art", u"Music"}));
  EXPECT_EQ(copy.entries.at(u"Art").commentsByGroupName.at(u"Paint"), Labels{u"^ paints."});
  EXPECT_EQ(copy.entries.count(u"Music"), 0u);
  EXPECT_GT(copy.savedAt, 1700000000);

  // A refused or unreadable reply keeps the last good copy.
  http.Reply("/service/subjects", R"({"status":"ERR","msg":"Unknown account"})");
  core.LogIn();
  EXPECT_EQ(offline.kept.size(), 2u);
  EXPECT_EQ(offline.started.size(), 1u);
}

TEST_F(OfflineLogin, OffersTheCopyOnlyWhenTheServiceCannotBeReachedAndThePasswordOpensIt) {
  offline.stored = KeptCopy();
  errors.shown.clear();
  const struct {
    const char* what;
    std::string subjectsReply;  // empty: no reply at all
    std::u16string password;
    bool yes;
    bool offlineAfter;
  } cases[] = {
      {"unreachable, Yes", "", u"secret", true, true},
      {"unreachable, No", "", u"secret", false, false},
      {"unreachable, wrong password", "", u"guess", true, false},
      {"refused by the service", R"({"status":"ERR","msg":"Unknown account"})", u"secret", true, false},
      {"unreadable reply", "<html>", u"secret", true, false},
  };
  for (const auto& test : cases) {
    http.replies.clear();
    if (!test.subjectsReply.empty()) http.Reply("/service/subjects", test.subjectsReply);
    login.answer = LoginCredentials{u"teacher@school.test", test.password};
    question.answer = test.yes;
    question.asked.clear();
    errors.shown.clear();

    core.LogIn();
    const bool opens = test.subjectsReply.empty() && test.password == u"secret";
    EXPECT_EQ(question.asked, opens ? Labels{OfflineCopyQuestion(offline.stored->savedAt)} : Labels{}) << test.what;
    EXPECT_EQ(core.IsOffline(), test.offlineAfter) << test.what;
    EXPECT_EQ(core.IsLoggedIn(), test.offlineAfter) << test.what;
    EXPECT_EQ(errors.shown.empty(), test.offlineAfter) << test.what;
    if (core.IsLoggedIn()) core.LogIn();
  }
}

TEST_F(OfflineLogin, WorksFromTheCopyAndSaysWhenASubjectIsNotInIt) {
  offline.stored = KeptCopy();
  http.requests.clear();
  core.LogIn();
  ASSERT_TRUE(core.IsOffline());
  EXPECT_EQ(core.GetLabelLogIn(), u"Log Out (offline)");
  EXPECT_EQ(Groups(), Labels{u"Number"});
  EXPECT_EQ(core.GetItemLabelComment(0), u"Pupil name counts.");

  core.SelecteItemChangedSubject(1);
  EXPECT_EQ(Groups(), Labels{u"Paint"});
  EXPECT_EQ(core.GetItemCountComment(), 1);
  errors.shown.clear();
  core.SelecteItemChangedSubject(2);
  ASSERT_EQ(errors.shown.size(), 1u);
  EXPECT_EQ(errors.shown[0].first, u"This subject is not in your offline copy.");
  EXPECT_EQ(core.GetItemCountCategory(), 0);
  EXPECT_EQ(core.GetItemCountComment(), 0);
  EXPECT_EQ(http.requests.size(), 1u);  // the login's try only: offline nothing is fetched
  EXPECT_EQ(offline.kept.size(), 2u);   // and nothing is kept

  core.LogIn();
  EXPECT_FALSE(core.IsOffline());
  EXPECT_EQ(core.GetLabelLogIn(), u"Log In");
}

TEST_F(OfflineLogin, ShiftLogOutRemovesTheCopyAndThePolicyTurnsItOff) {
  ServiceUp();
  core.LogIn();
  core.LogIn();
  EXPECT_TRUE(offline.removed.empty());
  core.LogIn();
  keyboard.shift = true;
  core.LogIn();
  EXPECT_EQ(offline.removed, Labels{u"teacher@school.test"});

  struct OffSettings : FakeSettings {
    bool ReadOfflineCopyEnabled() override { return false; }
  } off;
  AddinCore withPolicy{AddinPorts{ribbon, document, http, off, browser, login, progress, errors, &offline, &question,
                                  &keyboard}};
  offline.stored = offline.kept.back();
  const size_t keptBefore = offline.kept.size();
  withPolicy.LogIn();
  EXPECT_EQ(offline.removedAll, 1);
  EXPECT_EQ(offline.kept.size(), keptBefore);
  http.replies.clear();
  withPolicy.LogIn();
  withPolicy.LogIn();
  EXPECT_TRUE(question.asked.empty());
  EXPECT_FALSE(withPolicy.IsLoggedIn());
}

}  // namespace
}  // namespace quillbox
