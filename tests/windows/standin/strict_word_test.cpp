// Where the stand-in Word is as strict as Word: the argument form of the actions, a document
// locked for editing, several document windows driving the one add-in, callbacks from inside
// an add-in's dialog, Word's last release, and the watchdog on Word's thread.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/win/variant.h"
#include "fake_ribbon_addin.h"
#include "word-standin/transcript.h"
#include "word-standin/word_host.h"

namespace quillbox::standin::testing {
namespace {

constexpr wchar_t kRibbonXml[] = LR"(<customUI xmlns="http://schemas.microsoft.com/office/2006/01/customui">
  <ribbon><tabs><tab id="t" label="T"><group id="g" label="G">
    <button id="act" label="Act" onAction="Act" />
    <toggleButton id="star" label="Star" onAction="Star" />
    <dropDown id="term" getItemCount="Count" getItemLabel="Label" getItemID="Id" onAction="Chosen" />
    <editBox id="nick" onChange="Typed" />
  </group></tab></tabs></ribbon>
</customUI>)";

// A property get by name on an automation object; exception, when given, receives Word's error.
HRESULT Get(IDispatch* object, const wchar_t* name, win::UniqueVariant& value) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, 0, &id); FAILED(found)) return found;
  DISPPARAMS none{};
  return object->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, value.Put(), nullptr, nullptr);
}

HWND HwndOf(IDispatch* window) {
  win::UniqueVariant hwnd;
  return SUCCEEDED(Get(window, L"Hwnd", hwnd)) ? reinterpret_cast<HWND>(static_cast<LONG_PTR>(hwnd.Value().lVal))
                                               : nullptr;
}

class StrictWordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto record = [this](const std::vector<VARIANT*>& a, VARIANT*) {
      arguments_.push_back(a.size() > 1 ? a[1]->vt : static_cast<VARTYPE>(VT_EMPTY));
      win::UniqueVariant context;
      if (SUCCEEDED(Get(a[0]->pdispVal, L"Context", context)) && context.Type() == VT_DISPATCH) {
        contexts_.push_back(HwndOf(context.Value().pdispVal));
      }
      if (act_) act_();
      return S_OK;
    };
    std::map<std::wstring, Callback> callbacks = {
        {L"Act", record}, {L"Star", record}, {L"Chosen", record}, {L"Typed", record},
        {L"Count", [](auto&, VARIANT* r) { return ReturnLong(r, 2); }},
        {L"Label", [](auto&, VARIANT* r) { return ReturnText(r, L"item"); }},
        {L"Id", [](auto&, VARIANT* r) { return ReturnText(r, L"id"); }},
    };
    addin_ = win::ComPtr<FakeRibbonAddin>::Attach(new FakeRibbonAddin(kRibbonXml, std::move(callbacks)));
    host_ = std::make_unique<WordHost>(win::ComPtr<IUnknown>(static_cast<_IDTExtensibility2*>(addin_.Get())), out_);
    ASSERT_EQ(host_->Start(), S_OK);
  }

  HWND ActiveWindowHwnd() {
    win::UniqueVariant window;
    EXPECT_EQ(Get(&host_->Application(), L"ActiveWindow", window), S_OK);
    return HwndOf(window.Value().pdispVal);
  }

  CollectedTranscript out_;
  win::ComPtr<FakeRibbonAddin> addin_;
  std::unique_ptr<WordHost> host_;
  std::vector<VARTYPE> arguments_;  // each action's second argument
  std::vector<HWND> contexts_;      // each action's control's Context.Hwnd
  std::function<void()> act_;       // what the Act callback does besides recording
};

TEST_F(StrictWordTest, ActionsPassTheirInputInTheFormOfTheRun) {
  const struct {
    ArgumentForm form;
    std::vector<VARTYPE> expected;  // toggle, drop-down, edit box
  } cases[] = {
      {ArgumentForm::kByReference, {VT_BOOL | VT_BYREF, VT_BSTR | VT_BYREF, VT_BSTR | VT_BYREF}},
      {ArgumentForm::kByValue, {VT_BOOL, VT_BSTR, VT_BSTR}},
  };
  for (const auto& c : cases) {
    arguments_.clear();
    host_->PassArguments(c.form);
    EXPECT_EQ(host_->Toggle(L"star"), S_OK);
    EXPECT_EQ(host_->Choose(L"term", 1), S_OK);
    EXPECT_EQ(host_->Type(L"nick", L"Sam"), S_OK);
    EXPECT_EQ(arguments_, c.expected);
  }
}

TEST_F(StrictWordTest, ALockedDocumentRefusesTextWithWordsError) {
  host_->State().document.Assign(L"Dear parents, ", 14, 14);
  const struct {
    bool locked;
    bool askForException;
    HRESULT expected;
  } cases[] = {{true, true, DISP_E_EXCEPTION}, {true, false, DISP_E_EXCEPTION}, {false, true, S_OK}};
  for (const auto& c : cases) {
    host_->State().document.Lock(c.locked);
    win::UniqueVariant selection;
    ASSERT_EQ(Get(&host_->Application(), L"Selection", selection), S_OK);
    DISPID text = 0;
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"Text")};
    ASSERT_EQ(selection.Value().pdispVal->GetIDsOfNames(IID_NULL, name, 1, 0, &text), S_OK);
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocString(L"Works hard.");
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &put, 1, 1};
    EXCEPINFO exception{};
    EXPECT_EQ(selection.Value().pdispVal->Invoke(text, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr,
                                                 c.askForException ? &exception : nullptr, nullptr),
              c.expected);
    ::SysFreeString(value.bstrVal);
    if (c.locked && c.askForException) {
      EXPECT_EQ(exception.scode, static_cast<SCODE>(0x800A11FD));
      EXPECT_STREQ(exception.bstrDescription,
                   L"This method or property is not available because the document is locked for editing.");
    }
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    EXPECT_EQ(host_->State().document.Text(), c.locked ? L"Dear parents, " : L"Dear parents, Works hard.");
  }
}

TEST_F(StrictWordTest, EachWindowHasItsOwnRibbonContextAndDocument) {
  host_->State().document.Assign(L"Amira", 5, 5);
  ASSERT_EQ(host_->OpenWindow(), 2);
  EXPECT_EQ(host_->State().document.Text(), L"");
  EXPECT_EQ(ActiveWindowHwnd(), host_->WindowHandle(2));
  EXPECT_EQ(host_->Click(L"act"), S_OK);
  ASSERT_TRUE(host_->Activate(1));
  EXPECT_EQ(host_->State().document.Text(), L"Amira");
  EXPECT_EQ(ActiveWindowHwnd(), host_->WindowHandle(1));
  EXPECT_EQ(host_->Click(L"act"), S_OK);
  EXPECT_NE(host_->WindowHandle(1), host_->WindowHandle(2));
  EXPECT_EQ(contexts_, (std::vector<HWND>{host_->WindowHandle(2), host_->WindowHandle(1)}));
}

// Act (in window 1) opens a message box owned by window 1; from inside its loop the trigger
// acts in a window, then closes the box.
TEST_F(StrictWordTest, TriggersActFromInsideADialogAndADisabledWindowTakesNoClick) {
  host_->OpenWindow();
  host_->Activate(1);
  HRESULT nested = E_PENDING;
  const struct {
    long window;
    HRESULT expected;
    size_t actions;
  } cases[] = {{2, S_OK, 2}, {1, E_ACCESSDENIED, 1}};
  for (const auto& c : cases) {
    contexts_.clear();
    act_ = [&] {
      act_ = nullptr;
      ::MessageBoxW(host_->WindowHandle(1), L"Working", L"Busy", MB_OK);
    };
    host_->During(DialogTrigger{L"Busy", L"nested", [&] {
                                  host_->Activate(c.window);
                                  nested = host_->Click(L"act");
                                  ::PostMessageW(::FindWindowW(L"#32770", L"Busy"), WM_COMMAND, IDOK, 0);
                                }});
    host_->Activate(1);
    EXPECT_EQ(host_->Click(L"act"), S_OK);
    EXPECT_EQ(nested, c.expected);
    EXPECT_EQ(contexts_.size(), c.actions);
    EXPECT_TRUE(host_->ReportUnfiredTriggers());
  }
  EXPECT_EQ(out_.Lines().back(), L"! window 1 takes no click: a dialog disables it");
}

TEST_F(StrictWordTest, WordsLastReleaseInsideADialogLeavesTheAddinOnlyTheCallersReferences) {
  act_ = [&] {
    act_ = nullptr;
    ::MessageBoxW(host_->WindowHandle(1), L"Working", L"Busy", MB_OK);
  };
  host_->During(DialogTrigger{L"Busy", L"close Word", [&] {
                                host_->ReleaseAddin();
                                ::PostMessageW(::FindWindowW(L"#32770", L"Busy"), WM_COMMAND, IDOK, 0);
                              }});
  EXPECT_EQ(host_->Click(L"act"), S_OK);
  // Only the test's own reference is left; no later action reaches the add-in.
  EXPECT_EQ(out_.Lines().at(1), L"released the add-in: its Release answered 1");
  EXPECT_EQ(host_->Click(L"act"), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(contexts_.size(), 1u);
}

TEST_F(StrictWordTest, WatchdogSeesHowLongWordsThreadAnsweredNoMessage) {
  host_->WatchResponsiveness(true);
  act_ = [] { ::Sleep(300); };
  EXPECT_EQ(host_->Click(L"act"), S_OK);
  ASSERT_TRUE(host_->LongestUnanswered());
  EXPECT_GE(host_->LongestUnanswered()->count(), 250);
  EXPECT_EQ(out_.Lines().back().rfind(L"watchdog: Word's window waited at most ", 0), 0u);
}

}  // namespace
}  // namespace quillbox::standin::testing
