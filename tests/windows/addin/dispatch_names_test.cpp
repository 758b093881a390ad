// Office reaches every callback by name: GetIDsOfNames on the add-in's IDispatch with the name
// from the ribbon XML, answered from the registered type library.

#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include "common/win/com_ptr.h"
#include "quillbox_addin.h"
#include "tests/windows/addin/addin_test_support.h"
#include "tests/windows/addin/callback_table.h"

namespace quillbox::testing {
namespace {

using win::ComPtr;

class DispatchNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    addin_ = CreateRegisteredAddin();
    ASSERT_TRUE(addin_);
    ASSERT_EQ(S_OK, addin_.As(IID_IDispatch, dispatch_));
  }

  HRESULT IdOf(const wchar_t* name, DISPID& id) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  }

  ComPtr<IUnknown> addin_;
  ComPtr<IDispatch> dispatch_;
};

TEST_F(DispatchNamesTest, EveryCallbackNameGivesItsDispid) {
  for (const Callback& callback : kCallbacks) {
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(S_OK, IdOf(callback.name, id)) << callback.name;
    EXPECT_EQ(callback.dispid, id) << callback.name;
  }
}

TEST_F(DispatchNamesTest, NamesOutsideTheInterfaceAreUnknown) {
  // The selection callbacks are spelled "Selecte..." in the XML; the usual spelling is not a
  // callback, and neither are the connection interface's methods.
  for (const wchar_t* name : {L"SelectedItemChangedComment", L"OnConnection", L"GetCustomUI", L""}) {
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, IdOf(name, id)) << static_cast<const void*>(name);
    EXPECT_EQ(DISPID_UNKNOWN, id);
  }
}

TEST_F(DispatchNamesTest, LookupsForAnotherInterfaceAreRefused) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"LogIn")};
  DISPID id = 0;
  EXPECT_EQ(DISP_E_UNKNOWNINTERFACE, dispatch_->GetIDsOfNames(IID_IAddInCallback, names, 1, 0, &id));
}

TEST_F(DispatchNamesTest, TypeInformationDescribesTheCallbackInterface) {
  UINT count = 0;
  ASSERT_EQ(S_OK, dispatch_->GetTypeInfoCount(&count));
  EXPECT_EQ(1u, count);

  ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put()));
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(S_OK, info->GetTypeAttr(&attributes));
  EXPECT_TRUE(IsEqualIID(attributes->guid, IID_IAddInCallback));
  info->ReleaseTypeAttr(attributes);

  ComPtr<ITypeInfo> none;
  EXPECT_EQ(DISP_E_BADINDEX, dispatch_->GetTypeInfo(1, LOCALE_USER_DEFAULT, none.Put()));
  EXPECT_FALSE(none);
}

TEST_F(DispatchNamesTest, InvokeByDispidReachesTheGetter) {
  DISPID id = DISPID_UNKNOWN;
  ASSERT_EQ(S_OK, IdOf(L"GetLabelLogIn", id));
  VARIANT control;
  control.vt = VT_DISPATCH;
  control.pdispVal = nullptr;
  DISPPARAMS params = {&control, nullptr, 1, 0};
  VARIANT result;
  ::VariantInit(&result);
  ASSERT_EQ(S_OK, dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                    nullptr));
  ASSERT_EQ(VT_BSTR, result.vt);
  EXPECT_STREQ(L"Log In", result.bstrVal);
  ::VariantClear(&result);
}

}  // namespace
}  // namespace quillbox::testing
