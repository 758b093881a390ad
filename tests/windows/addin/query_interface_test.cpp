// The add-in object's query table, and the event sink that lives inside it but is not
// reachable from it.

#include <windows.h>

#include <ocidl.h>

#include <gtest/gtest.h>

#include "common/win/com_ptr.h"
#include "office_interfaces.h"
#include "quillbox_addin.h"
#include "server/win/com/word_ids.h"
#include "tests/windows/addin/addin_test_support.h"

namespace quillbox::testing {
namespace {

using win::ComPtr;

struct Query {
  const char* name;
  const IID* iid;
  HRESULT expected;
};

const Query kQueries[] = {
    {"IUnknown", &IID_IUnknown, S_OK},
    {"IDispatch", &IID_IDispatch, S_OK},
    {"_IDTExtensibility2", &IID__IDTExtensibility2, S_OK},
    {"IRibbonExtensibility", &IID_IRibbonExtensibility, S_OK},
    {"IAddInCallback", &IID_IAddInCallback, S_OK},
    {"ApplicationEvents2", &win::DIID_ApplicationEvents2, E_NOINTERFACE},
    {"IRibbonUI", &IID_IRibbonUI, E_NOINTERFACE},
    {"IClassFactory", &IID_IClassFactory, E_NOINTERFACE},
    {"IConnectionPointContainer", &IID_IConnectionPointContainer, E_NOINTERFACE},
    {"_Application", &win::IID_WordApplication, E_NOINTERFACE},
    {"IID_NULL", &IID_NULL, E_NOINTERFACE},
};

TEST(QueryInterfaceTest, AnswersExactlyItsFiveInterfaces) {
  const ComPtr<IUnknown> addin = CreateRegisteredAddin();
  ASSERT_TRUE(addin);
  for (const Query& query : kQueries) {
    void* answer = reinterpret_cast<void*>(1);
    EXPECT_EQ(query.expected, addin->QueryInterface(*query.iid, &answer)) << query.name;
    if (SUCCEEDED(query.expected)) {
      ASSERT_NE(nullptr, answer) << query.name;
      static_cast<IUnknown*>(answer)->Release();
    } else {
      EXPECT_EQ(nullptr, answer) << query.name;
    }
  }
}

// Office's calls by name must land on the callbacks, whichever interface it asked for first.
TEST(QueryInterfaceTest, DispatchIsTheCallbackInterface) {
  const ComPtr<IUnknown> addin = CreateRegisteredAddin();
  ASSERT_TRUE(addin);
  ComPtr<IDispatch> dispatch;
  ComPtr<IAddInCallback> callbacks;
  ASSERT_EQ(S_OK, addin.As(IID_IDispatch, dispatch));
  ASSERT_EQ(S_OK, addin.As(IID_IAddInCallback, callbacks));
  EXPECT_EQ(static_cast<void*>(dispatch.Get()), static_cast<void*>(callbacks.Get()));

  // Every interface leads back to the same identity.
  ComPtr<IRibbonExtensibility> ribbon;
  ASSERT_EQ(S_OK, addin.As(IID_IRibbonExtensibility, ribbon));
  ComPtr<IUnknown> identity;
  ASSERT_EQ(S_OK, ribbon.As(IID_IUnknown, identity));
  EXPECT_EQ(addin.Get(), identity.Get());
}

TEST(QueryInterfaceTest, NullOutPointerIsRefused) {
  const ComPtr<IUnknown> addin = CreateRegisteredAddin();
  ASSERT_TRUE(addin);
  EXPECT_EQ(E_POINTER, addin->QueryInterface(IID_IUnknown, nullptr));
}

}  // namespace
}  // namespace quillbox::testing
