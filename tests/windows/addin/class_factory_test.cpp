// The library's exports toward the COM runtime: DllGetClassObject with its class factory, and
// DllCanUnloadNow with the lock count behind it.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/win/com_ptr.h"
#include "common/win/unique_handle.h"
#include "quillbox_addin.h"
#include "tests/windows/addin/addin_test_support.h"

namespace quillbox::test {
namespace {

using win::ComPtr;

using GetClassObjectFunction = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(__stdcall*)();

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}

class ClassFactoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_.Reset(::LoadLibraryW(AddinLibraryPath().c_str()));
    ASSERT_TRUE(library_);
    getClassObject_ = Export<GetClassObjectFunction>(library_.Get(), "DllGetClassObject");
    canUnloadNow_ = Export<CanUnloadNowFunction>(library_.Get(), "DllCanUnloadNow");
    ASSERT_NE(nullptr, getClassObject_);
    ASSERT_NE(nullptr, canUnloadNow_);
    ASSERT_EQ(S_OK, getClassObject_(CLSID_Connect, IID_IClassFactory, factory_.PutVoid()));
    // Nothing of the add-in is alive between tests.
    ASSERT_EQ(S_OK, canUnloadNow_());
  }

  win::UniqueModule library_;
  GetClassObjectFunction getClassObject_ = nullptr;
  CanUnloadNowFunction canUnloadNow_ = nullptr;
  ComPtr<IClassFactory> factory_;
};

TEST_F(ClassFactoryTest, ClassObjectRequestsAreChecked) {
  EXPECT_EQ(E_POINTER, getClassObject_(CLSID_Connect, IID_IClassFactory, nullptr));

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject_(IID_IAddInCallback, IID_IClassFactory, &out));
  EXPECT_EQ(nullptr, out);

  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, getClassObject_(CLSID_Connect, IID_IDispatch, &out));
  EXPECT_EQ(nullptr, out);
}

TEST_F(ClassFactoryTest, EveryRequestGetsTheSameFactory) {
  ComPtr<IClassFactory> again;
  ASSERT_EQ(S_OK, getClassObject_(CLSID_Connect, IID_IClassFactory, again.PutVoid()));
  EXPECT_EQ(factory_.Get(), again.Get());
  ComPtr<IUnknown> asUnknown;
  ASSERT_EQ(S_OK, getClassObject_(CLSID_Connect, IID_IUnknown, asUnknown.PutVoid()));
  EXPECT_EQ(static_cast<IUnknown*>(factory_.Get()), asUnknown.Get());
}

TEST_F(ClassFactoryTest, AggregationIsRefused) {
  ComPtr<IUnknown> outer;
  ASSERT_EQ(S_OK, factory_->CreateInstance(nullptr, IID_IUnknown, outer.PutVoid()));
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(CLASS_E_NOAGGREGATION, factory_->CreateInstance(outer.Get(), IID_IUnknown, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(E_POINTER, factory_->CreateInstance(nullptr, IID_IUnknown, nullptr));
}

TEST_F(ClassFactoryTest, EachCreationIsANewObject) {
  ComPtr<IUnknown> first, second;
  ASSERT_EQ(S_OK, factory_->CreateInstance(nullptr, IID_IUnknown, first.PutVoid()));
  ASSERT_EQ(S_OK, factory_->CreateInstance(nullptr, IID_IUnknown, second.PutVoid()));
  EXPECT_NE(first.Get(), second.Get());
}

TEST_F(ClassFactoryTest, LiveObjectsKeepTheLibraryLoaded) {
  ComPtr<IDispatch> first, second;
  ASSERT_EQ(S_OK, factory_->CreateInstance(nullptr, IID_IDispatch, first.PutVoid()));
  ASSERT_EQ(S_OK, factory_->CreateInstance(nullptr, IID_IDispatch, second.PutVoid()));
  EXPECT_EQ(S_FALSE, canUnloadNow_());
  first.Reset();
  EXPECT_EQ(S_FALSE, canUnloadNow_());
  second.Reset();
  EXPECT_EQ(S_OK, canUnloadNow_());
}

// An object whose query fails is destroyed again and holds no lock.
TEST_F(ClassFactoryTest, FailedQueryDestroysTheNewObject) {
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, factory_->CreateInstance(nullptr, IID_IClassFactory, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(S_OK, canUnloadNow_());
}

TEST_F(ClassFactoryTest, ServerLocksCountLikeObjects) {
  ASSERT_EQ(S_OK, factory_->LockServer(TRUE));
  ASSERT_EQ(S_OK, factory_->LockServer(TRUE));
  EXPECT_EQ(S_FALSE, canUnloadNow_());
  ASSERT_EQ(S_OK, factory_->LockServer(FALSE));
  EXPECT_EQ(S_FALSE, canUnloadNow_());
  ASSERT_EQ(S_OK, factory_->LockServer(FALSE));
  EXPECT_EQ(S_OK, canUnloadNow_());
}

}  // namespace
}  // namespace quillbox::test
