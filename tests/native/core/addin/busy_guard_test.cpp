// Word's other windows keep calling the add-in from inside its dialogs' message loops. Every
// action that arrives while a dialog is open or a request is in flight must change nothing
// (the outer action's result stands) and only have its own control read again; the dialogs
// belong to the window whose ribbon was used.

#include "addin/addin_fixture.h"

#include <atomic>
#include <thread>

namespace quillbox {
namespace {

using testing::CoreFixture;
using testing::Ids;

constexpr WindowHandle kFirstWindow = 0x1010;
constexpr WindowHandle kSecondWindow = 0x2020;

struct Action {
  const char* name;
  const char16_t* control;
  void (*fire)(AddinCore&);
};

const Action kActions[] = {
    {"LogIn", u"logIn", [](AddinCore& core) { core.LogIn(kSecondWindow); }},
    {"VisitWebsite", u"visitWebsite", [](AddinCore& core) { core.VisitWebsite(kSecondWindow); }},
    {"EditComments", u"editComments", [](AddinCore& core) { core.EditComments(kSecondWindow); }},
    {"OnChangeName", u"name", [](AddinCore& core) { core.OnChangeName(u"Zed", kSecondWindow); }},
    {"PressBoy", u"boy", [](AddinCore& core) { core.PressBoy(kSecondWindow); }},
    {"PressGirl", u"girl", [](AddinCore& core) { core.PressGirl(kSecondWindow); }},
    {"PressThey", u"they", [](AddinCore& core) { core.PressThey(kSecondWindow); }},
    {"SelecteItemChangedSubject", u"subjects", [](AddinCore& core) { core.SelecteItemChangedSubject(0, kSecondWindow); }},
    {"SelecteItemChangedCategory", u"category", [](AddinCore& core) { core.SelecteItemChangedCategory(2, kSecondWindow); }},
    {"SelecteItemChangedComment", u"comment", [](AddinCore& core) { core.SelecteItemChangedComment(0, kSecondWindow); }},
};

// A core on the two-subject service; the outer action is the same with or without a nested
// one, so the two must end alike.
struct Served : CoreFixture {
  Served() {
    testing::ServeTwoSubjects(http);
    core.RibbonLoaded();
  }
};

void ExpectSameState(Served& nested, Served& alone) {
  EXPECT_EQ(nested.core.IsLoggedIn(), alone.core.IsLoggedIn());
  EXPECT_EQ(nested.core.GetSelectedItemIndexSubject(), alone.core.GetSelectedItemIndexSubject());
  EXPECT_EQ(nested.core.GetSelectedItemIndexCategory(), alone.core.GetSelectedItemIndexCategory());
  EXPECT_EQ(nested.core.GetItemCountCategory(), alone.core.GetItemCountCategory());
  EXPECT_EQ(nested.core.GetTextName(), alone.core.GetTextName());
  EXPECT_EQ(nested.core.Store().Pronouns(), alone.core.Store().Pronouns());
  EXPECT_EQ(nested.document.text, alone.document.text);
  EXPECT_EQ(nested.browser.opened, alone.browser.opened);
  EXPECT_EQ(nested.login.shownWith.size(), alone.login.shownWith.size());
  EXPECT_EQ(nested.http.requests, alone.http.requests);
}

// Each action fired from the second window inside the login dialog of a login from the first
// window, and inside "Please wait..." of a subject change there.
TEST(BusyGuard, ActionsDuringADialogChangeNothing) {
  for (const bool duringLogin : {true, false}) {
    for (const Action& action : kActions) {
      SCOPED_TRACE(std::string(action.name) + (duringLogin ? " during the login dialog" : " during Please wait"));
      Served alone;
      Served nested;
      Ids refused;
      std::atomic<bool> fired{false};
      const auto fireOnce = [&] {
        if (fired.exchange(true)) return;
        nested.ribbon.Take();
        action.fire(nested.core);
        refused = nested.ribbon.Take();
        EXPECT_EQ(nested.core.GetItemCountSubject(), duringLogin ? 0 : 2) << "getters keep answering";
      };
      fired = true;  // the first run, for reference, does the outer actions only
      for (Served* served : {&alone, &nested}) {
        if (duringLogin) served->login.whileShown = fireOnce;
        served->core.LogIn(kFirstWindow);
        if (!duringLogin) {
          served->progress.whileWaiting = fireOnce;
          // The request waits for the nested action, so that it falls inside "Please wait...".
          served->http.onRequest = [&fired](const std::string&) {
            while (!fired) std::this_thread::yield();
          };
        }
        served->core.SelecteItemChangedSubject(1, kFirstWindow);  // Art's groups are fetched
        fired = false;
      }
      EXPECT_EQ(refused, (Ids{action.control}));
      ExpectSameState(nested, alone);
    }
  }
}

TEST(BusyGuard, EveryDialogIsOwnedByTheWindowOfItsAction) {
  Served served;
  served.http.replies = {{"/service/subjects", R"({"status":"ERR","msg":"Wrong password"})"}};
  served.core.LogIn(kSecondWindow);
  served.core.EditComments(kFirstWindow);
  EXPECT_EQ(served.login.owners, std::vector<WindowHandle>{kSecondWindow});
  EXPECT_EQ(served.progress.owners, (std::vector<WindowHandle>{kSecondWindow, kFirstWindow}));
  EXPECT_EQ(served.errors.owners, std::vector<WindowHandle>{kSecondWindow});
  EXPECT_FALSE(served.core.IsBusy());
}

// The website's key request leaves Word's thread free: it runs on the worker, and "Please
// wait..." comes up only when it is slow. Without a worker the page opens without the key.
TEST(BusyGuard, WebsiteKeyIsFetchedOffTheCallingThread) {
  Served served;
  served.http.Reply("/service/loginkey", R"({"status":"OK","loginkey":"k1"})");
  std::thread::id requestThread;
  served.http.onRequest = [&](const std::string&) { requestThread = std::this_thread::get_id(); };
  served.core.VisitWebsite(kFirstWindow);
  EXPECT_NE(requestThread, std::this_thread::get_id());
  EXPECT_EQ(served.progress.shownAs, std::vector<ProgressShown>{ProgressShown::kWhenSlow});
  served.progress.canStart = false;
  served.core.VisitWebsite(kFirstWindow);
  EXPECT_EQ(served.browser.opened,
            (Ids{u"http://comments.test/index/autologin?key=k1&redirect=", u"http://comments.test/"}));
}

// Word refusing the text: the teacher is told; nothing advances, and the same comment writes
// once Word takes text again.
TEST(BusyGuard, RefusedCommentIsToldAndStaysClickable) {
  Served served;
  served.core.LogIn(kFirstWindow);
  served.document.failAt = testing::FakeDocument::Step::kText;
  served.document.description = u"The selection is locked.";
  EXPECT_THROW(served.core.SelecteItemChangedComment(0, kSecondWindow), ComError);
  EXPECT_EQ(served.errors.told, Ids{std::u16string(kWordRefusedComment) + u"\n\nThe selection is locked."});
  EXPECT_EQ(served.errors.owners, std::vector<WindowHandle>{kSecondWindow});
  EXPECT_EQ(served.core.GetSelectedItemIndexCategory(), 0);
  served.document.failAt = testing::FakeDocument::Step::kNone;
  served.core.SelecteItemChangedComment(0, kSecondWindow);
  EXPECT_EQ(served.document.text, u"Pupil name has settled well. ");
  EXPECT_EQ(served.core.GetSelectedItemIndexCategory(), 1);
}

}  // namespace
}  // namespace quillbox
