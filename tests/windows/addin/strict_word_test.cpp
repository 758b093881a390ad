// The add-in object as real Word drives it: argument forms other than the documented
// by-reference ones, several document windows whose ribbons own the dialogs, and Word's last
// release made while a dialog is up.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/win/bstr.h"
#include "tests/windows/addin/in_process_addin.h"

namespace quillbox::testing {
namespace {

using win::UniqueBstr;

class StrictWordTest : public InProcessAddinTest {
 protected:
  // Calls an action by DISPID as Office does: the control, the string or flag input, and for
  // the galleries and the drop-down the item index (arguments in reverse order).
  HRESULT InvokeAction(DISPID id, VARIANT input, bool withIndex, LONG index) {
    VARIANT arguments[3];
    UINT count = 0;
    if (withIndex) {
      arguments[count].vt = VT_I4;
      arguments[count++].lVal = index;
    }
    arguments[count++] = input;
    arguments[count].vt = VT_DISPATCH;
    arguments[count++].pdispVal = nullptr;
    DISPPARAMS params = {arguments, nullptr, count, 0};
    UINT argumentError = 0;
    return callbacks_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                              &argumentError);
  }
};

enum class Form { kByReference, kByValue, kVariantByReference, kOtherType };

// Every action with a string or flag input, in each form an Office build might use, reaches
// its callback (which invalidates its controls); a refused argument never would.
TEST_F(StrictWordTest, ActionsTakeTheirInputInEveryForm) {
  struct Member {
    const char* name;
    DISPID id;
    bool flag;  // else a string
    bool withIndex;
  };
  // Another name in each form (the same name typed again changes nothing), and the comment
  // last, once a pronoun set is chosen for that name and the gallery takes clicks.
  const Member members[] = {{"OnChangeName", 123, false, false},         {"SelecteItemChangedSubject", 134, false, true},
                            {"SelecteItemChangedCategory", 154, false, true}, {"PressBoy", 142, true, false},
                            {"PressGirl", 143, true, false},             {"PressThey", 162, true, false},
                            {"SelecteItemChangedComment", 110, false, true}};
  LogIn();
  for (const Form form : {Form::kByReference, Form::kByValue, Form::kVariantByReference, Form::kOtherType}) {
    for (const Member& member : members) {
      SCOPED_TRACE(std::string(member.name) + " form " + std::to_string(static_cast<int>(form)));
      const UniqueBstr text = UniqueBstr::FromText(std::u16string(u"Pupil ") + static_cast<char16_t>(u'A' + static_cast<int>(form)));
      BSTR textValue = text.Get();
      VARIANT_BOOL flagValue = VARIANT_TRUE;
      VARIANT value;
      value.vt = member.flag ? VT_BOOL : VT_BSTR;
      member.flag ? (void)(value.boolVal = flagValue) : (void)(value.bstrVal = textValue);
      VARIANT input = value;
      if (form == Form::kByReference) {
        input.vt = static_cast<VARTYPE>(value.vt | VT_BYREF);
        member.flag ? (void)(input.pboolVal = &flagValue) : (void)(input.pbstrVal = &textValue);
      } else if (form == Form::kVariantByReference) {
        input.vt = VT_VARIANT | VT_BYREF;
        input.pvarVal = &value;
      } else if (form == Form::kOtherType) {
        input.vt = VT_I4;  // a number where a string or flag is declared
        input.lVal = member.flag ? -1 : 1;
      }
      NewInvalidations();
      EXPECT_EQ(S_OK, InvokeAction(member.id, input, member.withIndex, 0));
      EXPECT_FALSE(NewInvalidations().empty());
    }
  }
}

// Word's last release from another window, made while the login dialog is up, frees the
// object only once the callback has returned.
TEST_F(StrictWordTest, FinalReleaseDuringADialogWaitsForTheCallback) {
  bool destroyed = false;
  ports_->destroyed = &destroyed;
  bool aliveAfterRelease = false;
  ports_->login.whileShown = [&] {
    callbacks_.Reset();
    host_->ReleaseAddin();
    aliveAfterRelease = !destroyed;
  };
  EXPECT_EQ(S_OK, host_->Click(L"logIn"));
  EXPECT_TRUE(aliveAfterRelease);
  EXPECT_TRUE(destroyed);
}

// Each window's ribbon owns the dialogs of its actions: the control's Context.Hwnd, else
// Application.ActiveWindow.Hwnd for a callback called without a control.
TEST_F(StrictWordTest, DialogsAreOwnedByTheWindowWhoseRibbonWasUsed) {
  const long second = host_->OpenWindow();
  ASSERT_EQ(S_OK, host_->Click(L"logIn"));  // logs in from the second window's ribbon
  ASSERT_EQ(S_OK, host_->Click(L"logIn"));  // logs out
  ASSERT_TRUE(host_->Activate(1));
  ASSERT_EQ(S_OK, callbacks_->LogIn(nullptr));
  EXPECT_EQ((std::vector<WindowHandle>{reinterpret_cast<WindowHandle>(host_->WindowHandle(second)),
                                       reinterpret_cast<WindowHandle>(host_->WindowHandle(1))}),
            ports_->login.owners);
}

}  // namespace
}  // namespace quillbox::testing
