// Office's ribbon refusing, missing, or memory running out, at each invalidation of each
// action in turn, with the add-in driven through IDispatch::Invoke as Office drives it: the
// action returns that failure (nothing is thrown out of the add-in), the invalidations after
// it are not made, and what the action changed before stays changed.

#include <windows.h>

#include <oleauto.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/win/connect.h"
#include "common/win/com_ptr.h"
#include "import_patch.h"
#include "scripted_ribbon.h"
#include "tests/windows/addin/fake_shell_ports.h"
#include "word-standin/addin_dispatch.h"
#include "word-standin/transcript.h"
#include "word-standin/word_host.h"

namespace quillbox::testing {
namespace {

using Ids = std::vector<std::wstring>;

// One add-in object with the stand-in Word as its application and a scripted ribbon in place
// of the stand-in's, driven by name through IDispatch.
class AddinUnderTest {
 public:
  AddinUnderTest() {
    auto ports = std::make_unique<FakeShellPorts>();
    if (FAILED(win::CConnect::Create(std::move(ports), IID_IAddInCallback, callbacks_.PutVoid()))) {
      throw std::runtime_error("cannot create the add-in");
    }
    addin_ = static_cast<win::CConnect*>(callbacks_.Get());
    host_ = std::make_unique<standin::WordHost>(win::ComPtr<IUnknown>(callbacks_.Get()), transcript_);
    if (FAILED(host_->Start())) throw std::runtime_error("the stand-in Word cannot start");
    dispatch_ = std::make_unique<standin::AddinDispatch>(win::ComPtr<IDispatch>(callbacks_.Get()));
    ribbon_ = win::ComPtr<ScriptedRibbon>::Attach(new ScriptedRibbon());
    if (FAILED(Call(L"RibbonLoaded", {standin::DispatchArgument(ribbon_.Get())}))) {
      throw std::runtime_error("RibbonLoaded failed");
    }
  }
  ~AddinUnderTest() {
    dispatch_.reset();
    host_.reset();
  }

  HRESULT Call(const wchar_t* name, std::vector<VARIANT> arguments) {
    return dispatch_->Call(name, std::move(arguments), nullptr);
  }
  HRESULT Click(const wchar_t* name) { return Call(name, {standin::DispatchArgument(nullptr)}); }
  HRESULT Toggle(const wchar_t* name) {
    VARIANT_BOOL pressed = VARIANT_TRUE;
    return Call(name, {standin::DispatchArgument(nullptr), standin::BoolByRefArgument(&pressed)});
  }
  HRESULT Select(const wchar_t* name, LONG index) {
    BSTR id = nullptr;
    return Call(name, {standin::DispatchArgument(nullptr), standin::BstrByRefArgument(&id),
                       standin::LongArgument(index)});
  }
  HRESULT Type(const wchar_t* name, const wchar_t* text) {
    BSTR typed = ::SysAllocString(text);
    const HRESULT result = Call(name, {standin::DispatchArgument(nullptr), standin::BstrByRefArgument(&typed)});
    ::SysFreeString(typed);
    return result;
  }

  ScriptedRibbon& Ribbon() { return *ribbon_.Get(); }
  const AddinCore& Core() const { return addin_->Core(); }
  const CommentStore& Store() const { return addin_->Core().Store(); }
  std::wstring DocumentText() { return host_->State().document.Text(); }

 private:
  standin::CollectedTranscript transcript_;
  win::ComPtr<IAddInCallback> callbacks_;
  win::CConnect* addin_ = nullptr;
  std::unique_ptr<standin::WordHost> host_;
  std::unique_ptr<standin::AddinDispatch> dispatch_;
  win::ComPtr<ScriptedRibbon> ribbon_;
};

struct RibbonAction {
  const char* name;
  std::function<void(AddinUnderTest&)> prepare;  // brings the add-in to the state before
  std::function<HRESULT(AddinUnderTest&)> act;
  Ids invalidations;                              // all of them, in order, when none fails
  // The invalidation from which on a failure is passed back; later ones are swallowed (the
  // comment click's advance goes through callbacks whose results are ignored).
  size_t passedOnBefore;
  // What must hold after the action, however far it got; failedAt is the refused call.
  std::function<void(AddinUnderTest&, size_t failedAt)> survives;
};

// Logs in and chooses Boy for the starting pupil, so that the comment gallery is enabled.
void LogIn(AddinUnderTest& addin) {
  if (FAILED(addin.Click(L"LogIn"))) throw std::runtime_error("login failed");
  if (FAILED(addin.Toggle(L"PressBoy"))) throw std::runtime_error("PressBoy failed");
}

const Ids kLoginIds = {L"logIn", L"gr2", L"subjects", L"category"};
const Ids kGenderIds = {L"boy", L"girl", L"they", L"category", L"comment"};
const Ids kRefreshIds = {L"category", L"comment"};
const Ids kLogOutIds = {L"logIn", L"gr2", L"subjects", L"category", L"boy", L"girl", L"they", L"comment"};

std::vector<RibbonAction> Actions() {
  return {
      {"LogIn", [](AddinUnderTest&) {}, [](AddinUnderTest& a) { return a.Click(L"LogIn"); }, kLoginIds, 4,
       [](AddinUnderTest& a, size_t) {
         EXPECT_TRUE(a.Core().IsLoggedIn());
         EXPECT_EQ(u"teacher@example.org", a.Core().Account().email);
         EXPECT_EQ(2u, a.Store().Subjects().size());
         EXPECT_EQ(3u, a.Store().CommentGroups().size());
       }},
      {"LogOut", LogIn, [](AddinUnderTest& a) { return a.Click(L"LogIn"); }, kLogOutIds, 8,
       [](AddinUnderTest& a, size_t) {
         EXPECT_FALSE(a.Core().IsLoggedIn());
         EXPECT_TRUE(a.Core().Account().password.empty());
         EXPECT_TRUE(a.Store().Subjects().empty());
       }},
      {"PressBoy",
       [](AddinUnderTest& a) {
         LogIn(a);
         if (FAILED(a.Toggle(L"PressGirl"))) throw std::runtime_error("PressGirl failed");
       },
       [](AddinUnderTest& a) { return a.Toggle(L"PressBoy"); }, kGenderIds, 5,
       [](AddinUnderTest& a, size_t) { EXPECT_TRUE(a.Store().IsBoy()); }},
      {"PressGirl", LogIn, [](AddinUnderTest& a) { return a.Toggle(L"PressGirl"); }, kGenderIds, 5,
       [](AddinUnderTest& a, size_t) { EXPECT_EQ(PronounSet::kGirl, a.Store().Pronouns()); }},
      {"PressThey", LogIn, [](AddinUnderTest& a) { return a.Toggle(L"PressThey"); }, kGenderIds, 5,
       [](AddinUnderTest& a, size_t) { EXPECT_EQ(PronounSet::kThey, a.Store().Pronouns()); }},
      {"SelecteItemChangedSubject", LogIn,
       [](AddinUnderTest& a) { return a.Select(L"SelecteItemChangedSubject", 1); }, kRefreshIds, 2,
       [](AddinUnderTest& a, size_t) {
         EXPECT_EQ(1, a.Store().SelectedSubjectIndex());
         ASSERT_EQ(1u, a.Store().CommentGroups().size());
         EXPECT_EQ(u"Number", a.Store().CommentGroups()[0].label);
       }},
      {"SelecteItemChangedCategory", LogIn,
       [](AddinUnderTest& a) { return a.Select(L"SelecteItemChangedCategory", 2); }, kRefreshIds, 2,
       [](AddinUnderTest& a, size_t) { EXPECT_EQ(2, a.Store().SelectedCommentGroupIndex()); }},
      {"OnChangeName", LogIn, [](AddinUnderTest& a) { return a.Type(L"OnChangeName", L"Zo\u00EB"); },
       kGenderIds, 5, [](AddinUnderTest& a, size_t) { EXPECT_EQ(u"Zo\u00EB", a.Store().PupilName()); }},
      {"SelecteItemChangedComment", LogIn,
       [](AddinUnderTest& a) { return a.Select(L"SelecteItemChangedComment", 1); },
       {L"comment", L"category", L"comment"}, 1,
       [](AddinUnderTest& a, size_t failedAt) {
         EXPECT_EQ(L"Pupil name is a delight to teach. ", a.DocumentText());
         // The clicked index is stored first; an advance rebuilds the comment list after it.
         if (failedAt == 0) {
           EXPECT_EQ(1, a.Store().SelectedCommentIndex());
         }
         // The advance sets the next group before its refresh can fail.
         EXPECT_EQ(failedAt == 0 ? 0 : 1, a.Store().SelectedCommentGroupIndex());
       }},
  };
}

Ids Prefix(const Ids& ids, size_t length) { return Ids(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(length)); }

TEST(RibbonRefusal, EachInvalidationOfEachActionInTurn) {
  for (const RibbonAction& action : Actions()) {
    for (size_t failAt = 0; failAt < action.invalidations.size(); ++failAt) {
      SCOPED_TRACE(std::string(action.name) + ", refused invalidation " + std::to_string(failAt));
      AddinUnderTest addin;
      action.prepare(addin);
      const HRESULT refusal = static_cast<HRESULT>(0x800A03EC);  // an Office automation error
      addin.Ribbon().Rearm(failAt, refusal);
      const HRESULT result = action.act(addin);
      EXPECT_EQ(failAt < action.passedOnBefore ? refusal : S_OK, result);
      EXPECT_EQ(Prefix(action.invalidations, failAt), addin.Ribbon().invalidated);
      action.survives(addin, failAt);
    }
  }
}

TEST(RibbonRefusal, EveryActionCompletesWhenNothingFails) {
  for (const RibbonAction& action : Actions()) {
    SCOPED_TRACE(action.name);
    AddinUnderTest addin;
    action.prepare(addin);
    addin.Ribbon().Rearm(std::nullopt, S_OK);
    EXPECT_EQ(S_OK, action.act(addin));
    EXPECT_EQ(action.invalidations, addin.Ribbon().invalidated);
    action.survives(addin, action.invalidations.size());
  }
}

// RibbonLoaded with a null ribbon: every action fails at its first invalidation with
// E_POINTER, after its change to the model.
TEST(RibbonRefusal, NullRibbonFailsEachActionAtItsFirstInvalidation) {
  for (const RibbonAction& action : Actions()) {
    SCOPED_TRACE(action.name);
    AddinUnderTest addin;
    action.prepare(addin);
    ASSERT_EQ(S_OK, addin.Call(L"RibbonLoaded", {standin::DispatchArgument(nullptr)}));
    addin.Ribbon().Rearm(std::nullopt, S_OK);
    EXPECT_EQ(E_POINTER, action.act(addin));
    EXPECT_TRUE(addin.Ribbon().invalidated.empty());
    action.survives(addin, 0);
  }
}

// A ribbon that never loaded: no ribbon, and no service base URL either, so a login finds
// no subject; the typed account is kept all the same.
TEST(RibbonRefusal, RibbonNeverLoaded) {
  FakeShellPorts* ports = nullptr;
  win::ComPtr<IAddInCallback> callbacks;
  {
    auto owned = std::make_unique<FakeShellPorts>();
    ports = owned.get();
    ASSERT_EQ(S_OK, win::CConnect::Create(std::move(owned), IID_IAddInCallback, callbacks.PutVoid()));
  }
  auto* addin = static_cast<win::CConnect*>(callbacks.Get());
  standin::AddinDispatch dispatch{win::ComPtr<IDispatch>(callbacks.Get())};
  VARIANT_BOOL pressed = VARIANT_TRUE;

  EXPECT_EQ(E_POINTER, dispatch.Call(L"LogIn", {standin::DispatchArgument(nullptr)}, nullptr));
  EXPECT_FALSE(addin->Core().IsLoggedIn());
  EXPECT_EQ(u"teacher@example.org", addin->Core().Account().email);
  EXPECT_TRUE(ports->http.requests.empty());

  EXPECT_EQ(E_POINTER, dispatch.Call(L"PressGirl",
                                     {standin::DispatchArgument(nullptr), standin::BoolByRefArgument(&pressed)},
                                     nullptr));
  EXPECT_FALSE(addin->Core().Store().IsBoy());
}

// Memory running out: each BSTR the add-in allocates (through the program's import of
// SysAllocStringLen) can be made to fail.
class BstrAllocationFailure {
 public:
  // The allocation numbered failAt, counted from now, fails; the ones after it succeed.
  explicit BstrAllocationFailure(size_t failAt)
      : patch_("oleaut32.dll", "SysAllocStringLen", reinterpret_cast<void*>(&Allocate)) {
    original_ = reinterpret_cast<Allocator>(patch_.Original());
    countdown_ = static_cast<long>(failAt);
    failures_ = 0;
  }
  static int Failures() { return failures_; }

 private:
  using Allocator = BSTR(WINAPI*)(const OLECHAR*, UINT);
  static BSTR WINAPI Allocate(const OLECHAR* text, UINT length) {
    if (countdown_-- == 0) {
      ++failures_;
      return nullptr;
    }
    return original_(text, length);
  }
  static inline Allocator original_ = nullptr;
  static inline long countdown_ = -1;
  static inline int failures_ = 0;
  ImportPatch patch_;
};

// For the actions whose only allocations are the control names they invalidate, the k-th
// allocation failing is the k-th invalidation failing with E_OUTOFMEMORY.
TEST(BstrOutOfMemory, EachControlNameOfEachActionInTurn) {
  for (const RibbonAction& action : Actions()) {
    if (std::string(action.name) == "SelecteItemChangedComment") continue;  // allocates its text too
    for (size_t failAt = 0; failAt < action.invalidations.size(); ++failAt) {
      SCOPED_TRACE(std::string(action.name) + ", control name " + std::to_string(failAt));
      AddinUnderTest addin;
      action.prepare(addin);
      addin.Ribbon().Rearm(std::nullopt, S_OK);
      HRESULT result = S_OK;
      {
        BstrAllocationFailure outOfMemory(failAt);
        result = action.act(addin);
        EXPECT_EQ(1, BstrAllocationFailure::Failures());
      }
      EXPECT_EQ(E_OUTOFMEMORY, result);
      EXPECT_EQ(Prefix(action.invalidations, failAt), addin.Ribbon().invalidated);
      action.survives(addin, failAt);
    }
  }
}

// The comment's text is the click's first allocation: without it nothing reaches Word, but
// the clicked index is stored.
TEST(BstrOutOfMemory, CommentTextThatCannotBeAllocated) {
  AddinUnderTest addin;
  LogIn(addin);
  addin.Ribbon().Rearm(std::nullopt, S_OK);
  HRESULT result = S_OK;
  {
    BstrAllocationFailure outOfMemory(0);
    result = addin.Select(L"SelecteItemChangedComment", 1);
  }
  EXPECT_EQ(E_OUTOFMEMORY, result);
  EXPECT_EQ(L"", addin.DocumentText());
  EXPECT_EQ(1, addin.Store().SelectedCommentIndex());
  EXPECT_EQ(0, addin.Store().SelectedCommentGroupIndex());
  EXPECT_TRUE(addin.Ribbon().invalidated.empty());
  // And the next click, with memory back, writes.
  EXPECT_EQ(S_OK, addin.Select(L"SelecteItemChangedComment", 1));
  EXPECT_EQ(L"Pupil name is a delight to teach. ", addin.DocumentText());
}

}  // namespace
}  // namespace quillbox::testing
