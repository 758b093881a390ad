// The offline copy in the login flow, with the real store on fake cryptography and files:
// kept after every fetch that worked, offered only when the service cannot be reached and the
// password opens the copy, and worked from offline.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "offline/sealed_copy_store.h"
#include "offline_fakes.h"
#include "tests/support/fakes.h"

namespace quillbox {
namespace {

using namespace quillbox::testing;
using Labels = std::vector<std::u16string>;

// The shared fakes, with a core that also has the offline copy's ports (it hides the fixture's
// own core, which has none).
class OfflineLogin : public ::testing::Test, public CoreFixture {
 protected:
  OfflineLogin() { core.RibbonLoaded(); }

  // An online session that opens Maths (at login) and Art, then logs out; what it kept.
  OfflineCopy KeptCopy() {
    http.Reply("/service/subjects", R"({"status":"OK","subjects":["Maths","Art","Music"]})");
    http.Reply("subject=Maths", R"({"status":"OK","tabs":[{"name":"Number","comments":[{"comment":"# counts."}]}]})");
    http.Reply("subject=Art", R"({"status":"OK","tabs":[{"name":"Paint","comments":[{"comment":"^ paints."}]}]})");
    core.LogIn();
    core.SelecteItemChangedSubject(1);
    core.LogIn();
    http.replies.clear();
    return offline.Open(u"teacher@school.test", u"secret").value_or(OfflineCopy{});
  }
  Labels Groups() const {
    Labels labels;
    for (const RibbonItem& item : core.Store().CommentGroups()) labels.push_back(item.label);
    return labels;
  }

  FakeCopyCipher cipher;
  MemoryCopyFiles files;
  SealedCopyStore offline{cipher, files};
  FakeQuestion question;
  FakeKeyboard keyboard;
  AddinCore core{AddinPorts{ribbon, document, http, settings, browser, login, progress, errors, &offline, &question,
                            &keyboard}};
};

TEST_F(OfflineLogin, KeepsWhatWasFetchedAfterEachFetch) {
  EXPECT_EQ(files.removedOlderThan, 180);
  const OfflineCopy copy = KeptCopy();
  EXPECT_EQ(copy.subjects, (Labels{u"Maths", u"Art", u"Music"}));
  EXPECT_EQ(copy.entries.at(u"Art").commentsByGroupName.at(u"Paint"), Labels{u"^ paints."});
  EXPECT_EQ(copy.entries.count(u"Maths"), 1u);
  EXPECT_EQ(copy.entries.count(u"Music"), 0u);
  EXPECT_GT(copy.savedAt, 1700000000);
  EXPECT_EQ(cipher.derivations, 2);  // one at the login, one to open it here: none per fetch

  // A refused or unreadable reply keeps the last good copy.
  const auto before = files.files;
  for (const char* reply : {R"({"status":"ERR","msg":"Unknown account"})", "<html>"}) {
    http.Reply("/service/subjects", reply);
    core.LogIn();
    http.replies.clear();
  }
  EXPECT_EQ(files.files, before);
}

TEST_F(OfflineLogin, OffersTheCopyOnlyWhenTheServiceCannotBeReachedAndThePasswordOpensIt) {
  const OfflineCopy copy = KeptCopy();
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
    EXPECT_EQ(question.asked, opens ? Labels{OfflineCopyQuestion(copy.savedAt)} : Labels{}) << test.what;
    EXPECT_EQ(core.IsOffline(), test.offlineAfter) << test.what;
    EXPECT_EQ(core.IsLoggedIn(), test.offlineAfter) << test.what;
    EXPECT_EQ(errors.shown.empty(), test.offlineAfter) << test.what;
    if (core.IsLoggedIn()) core.LogIn();
  }
}

TEST(OfflineCopyQuestion, NamesTheLocalDateAndTime) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  EXPECT_EQ(OfflineCopyQuestion(1780000000),
            u"The comment service cannot be reached. Use your offline copy of 28 May 2026 at 20:26?");
}

TEST_F(OfflineLogin, WorksFromTheCopyAndSaysWhenASubjectIsNotInIt) {
  KeptCopy();
  const auto kept = files.files;
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
  EXPECT_EQ(files.files, kept);         // and nothing is kept

  core.LogIn();
  EXPECT_FALSE(core.IsOffline());
  EXPECT_EQ(core.GetLabelLogIn(), u"Log In");
}

TEST_F(OfflineLogin, ShiftLogOutRemovesTheCopyAndThePolicyTurnsItOff) {
  KeptCopy();
  ASSERT_EQ(files.files.size(), 1u);  // a plain Log Out keeps it
  login.answer = std::nullopt;
  keyboard.shift = true;
  core.LogIn();  // cancelled: still logged out, nothing removed
  EXPECT_EQ(files.files.size(), 1u);
  login.answer = LoginCredentials{u"teacher@school.test", u"secret"};
  KeptCopy();
  EXPECT_TRUE(files.files.empty());

  KeptCopy();
  struct : FakeSettings {
    bool ReadOfflineCopyEnabled() override { return false; }
  } off;
  AddinCore withPolicy{AddinPorts{ribbon, document, http, off, browser, login, progress, errors, &offline, &question,
                                  &keyboard}};
  keyboard.shift = false;
  withPolicy.LogIn();  // the service is down: no question, and every copy goes
  EXPECT_TRUE(files.files.empty());
  EXPECT_TRUE(question.asked.empty());
  EXPECT_FALSE(withPolicy.IsLoggedIn());
}

}  // namespace
}  // namespace quillbox
