// The library's exports toward the COM runtime: DllGetClassObject with its class factory, and
// DllCanUnloadNow with the lock count behind it.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/win/com_ptr.h"
#include "common/win/unique_handle.h"
#include "quillbox_addin.h"
#include "tests/windows/addin/addin_test_support.h"

namespace quillbox::testing {
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
    // Nothing of the add-in is alive between tests.
    ASSERT_EQ(S_OK, canUnloadNow_());
    ASSERT_EQ(S_OK, getClassObject_(CLSID_Connect, IID_IClassFactory, factory_.PutVoid()));
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
  factory_.Reset();
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
  factory_.Reset();
  EXPECT_EQ(S_OK, canUnloadNow_());
}

// The factory lives in the library: while a host holds a reference to it, through any of its
// interfaces, the library stays in use.
TEST_F(ClassFactoryTest, HeldFactoryKeepsTheLibraryLoaded) {
  EXPECT_EQ(S_FALSE, canUnloadNow_());
  ComPtr<IUnknown> asUnknown;
  ASSERT_EQ(S_OK, factory_->QueryInterface(IID_IUnknown, asUnknown.PutVoid()));
  factory_.Reset();
  EXPECT_EQ(S_FALSE, canUnloadNow_());
  asUnknown.Reset();
  EXPECT_EQ(S_OK, canUnloadNow_());
}

TEST_F(ClassFactoryTest, ServerLocksCountLikeObjects) {
  ASSERT_EQ(S_OK, factory_->LockServer(TRUE));
  ASSERT_EQ(S_OK, factory_->LockServer(TRUE));
  IClassFactory* const factory = factory_.Get();
  factory_.Reset();  // from here only the locks hold the library
  EXPECT_EQ(S_FALSE, canUnloadNow_());
  ASSERT_EQ(S_OK, factory->LockServer(FALSE));
  EXPECT_EQ(S_FALSE, canUnloadNow_());
  ASSERT_EQ(S_OK, factory->LockServer(FALSE));
  EXPECT_EQ(S_OK, canUnloadNow_());
}

// A host that keeps the class factory without LockServer and lets the COM runtime free unused
// libraries, as Word does from time to time, can still use the factory afterwards. The
// registered library is reached through the COM runtime, which loads and unloads it.
TEST(ClassFactoryInAHost, KeptFactorySurvivesFreeingUnusedLibraries) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(S_OK, ::CoGetClassObject(CLSID_Connect, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     factory.PutVoid()));
  ::CoFreeUnusedLibraries();
  ::CoFreeUnusedLibrariesEx(0, 0);  // no grace period
  if (!::GetModuleHandleW(L"QuillboxAddIn.dll")) {
    (void)factory.Detach();  // its code is gone: releasing it would jump into unmapped memory
    FAIL() << "the library was unloaded under the factory";
  }
  ComPtr<IDispatch> addin;
  EXPECT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, addin.PutVoid()));
  addin.Reset();
  factory.Reset();
  // Once the host has let go of everything the library may go.
  ::CoFreeUnusedLibrariesEx(0, 0);
  EXPECT_EQ(nullptr, ::GetModuleHandleW(L"QuillboxAddIn.dll"));
}

}  // namespace
}  // namespace quillbox::testing
