#include "bench/scale/win/callback_caller.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <stdexcept>
#include <vector>

#include "bench/scale/win/null_dispatch.h"

namespace quillbox::bench {
namespace {

// Knows one name, records what Invoke received and answers a BSTR.
class RecordingDispatch final : public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID, void** out) override {
    *out = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    if (std::wstring(names[0]) != L"GetItemLabelComment") return DISP_E_UNKNOWNNAME;
    ids[0] = 107;
    return S_OK;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT*) override {
    invokedId = id;
    invokedFlags = flags;
    received.assign(params->rgvarg, params->rgvarg + params->cArgs);
    result->vt = VT_BSTR;
    result->bstrVal = ::SysAllocString(L"label");
    return S_OK;
  }

  DISPID invokedId = 0;
  WORD invokedFlags = 0;
  std::vector<VARIANT> received;
};

TEST(CallbackCallerTest, PassesArgumentsLastFirstToTheLookedUpMethod) {
  RecordingDispatch target;
  NullDispatch control;
  CallbackCaller caller(&target);
  PreparedCall call = caller.Prepare(L"GetItemLabelComment", {DispatchArgument(&control), LongArgument(42)});
  VARIANT result;
  ASSERT_EQ(caller.Call(call, result), S_OK);
  EXPECT_EQ(target.invokedId, 107);
  EXPECT_EQ(target.invokedFlags, DISPATCH_METHOD);
  ASSERT_EQ(target.received.size(), 2u);
  EXPECT_EQ(target.received[0].vt, VT_I4);
  EXPECT_EQ(target.received[0].lVal, 42);
  EXPECT_EQ(target.received[1].vt, VT_DISPATCH);
  EXPECT_EQ(target.received[1].pdispVal, &control);
  ASSERT_EQ(result.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(result.bstrVal), L"label");
  ::VariantClear(&result);

  // Changing the prepared index is what the timed loops do between calls.
  call.arguments[0].lVal = 7;
  ASSERT_EQ(caller.Call(call), S_OK);
  EXPECT_EQ(target.received[0].lVal, 7);
}

TEST(CallbackCallerTest, RefusesUnknownNamesAndTooManyArguments) {
  RecordingDispatch target;
  CallbackCaller caller(&target);
  EXPECT_THROW(caller.IdOf(L"NoSuchCallback"), std::runtime_error);
  EXPECT_THROW(caller.Prepare(L"GetItemLabelComment", {LongArgument(1), LongArgument(2), LongArgument(3), LongArgument(4)}),
               std::invalid_argument);
}

}  // namespace
}  // namespace quillbox::bench
