// The add-in's connection to Word: OnConnection keeps Word's application object and connects
// the event sink, OnDisconnection takes both back, and the rules around the connection cookie.

#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include "common/win/com_ptr.h"
#include "office_interfaces.h"
#include "quillbox_addin.h"
#include "server/win/com/word_ids.h"
#include "tests/windows/addin/addin_test_support.h"
#include "word-standin/host_state.h"
#include "word-standin/standin_addin_instance.h"
#include "word-standin/standin_application.h"

namespace quillbox::testing {
namespace {

using standin::HostState;
using standin::StandinAddInInstance;
using standin::StandinApplication;
using win::ComPtr;

// An application object whose query for Word's _Application gives a chosen answer and that
// offers no connection points.
class ScriptedApplication final : public IDispatch {
 public:
  explicit ScriptedApplication(HRESULT wordQuery) : wordQuery_(wordQuery) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (IsEqualIID(iid, win::IID_WordApplication) && FAILED(wordQuery_)) return wordQuery_;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, win::IID_WordApplication)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override { return --references_; }  // lives on the test's stack
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  ULONG References() const { return references_; }

 private:
  HRESULT wordQuery_;
  ULONG references_ = 1;
};

class ConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    addin_ = CreateRegisteredAddin();
    ASSERT_TRUE(addin_);
    ASSERT_EQ(S_OK, addin_.As(IID__IDTExtensibility2, extensibility_));
  }

  static ComPtr<StandinApplication> NewApplication() {
    return ComPtr<StandinApplication>::Attach(StandinApplication::Create(std::make_shared<HostState>()));
  }
  static ComPtr<IDispatch> NewAddInInstance() { return ComPtr<IDispatch>::Attach(new StandinAddInInstance()); }

  HRESULT Connect(IDispatch* application, IDispatch* addInInstance) {
    SAFEARRAY* custom = ::SafeArrayCreateVector(VT_VARIANT, 0, 0);
    const HRESULT result = extensibility_->OnConnection(application, ext_cm_Startup, addInInstance, &custom);
    ::SafeArrayDestroy(custom);
    return result;
  }
  HRESULT Disconnect() {
    SAFEARRAY* custom = ::SafeArrayCreateVector(VT_VARIANT, 0, 0);
    const HRESULT result = extensibility_->OnDisconnection(ext_dm_HostShutdown, &custom);
    ::SafeArrayDestroy(custom);
    return result;
  }

  ComPtr<IUnknown> addin_;
  ComPtr<_IDTExtensibility2> extensibility_;
};

TEST_F(ConnectionTest, ConnectionKeepsWordAndAdvisesTheEventSink) {
  const auto word = NewApplication();
  const auto instance = NewAddInInstance();
  const ULONG wordBefore = ReferenceCount(static_cast<IDispatch*>(word.Get()));
  const ULONG instanceBefore = ReferenceCount(instance.Get());

  ASSERT_EQ(S_OK, Connect(word.Get(), instance.Get()));
  ASSERT_EQ(1u, word->Events().ConnectionCount());
  EXPECT_EQ(1u, word->Events().Sinks()[0].first);
  EXPECT_GT(ReferenceCount(static_cast<IDispatch*>(word.Get())), wordBefore);
  EXPECT_EQ(instanceBefore + 1, ReferenceCount(instance.Get()));

  ASSERT_EQ(S_OK, Disconnect());
  EXPECT_EQ(0u, word->Events().ConnectionCount());
  EXPECT_EQ(wordBefore, ReferenceCount(static_cast<IDispatch*>(word.Get())));
  EXPECT_EQ(instanceBefore, ReferenceCount(instance.Get()));
}

TEST_F(ConnectionTest, ReconnectionAfterDisconnectionSucceeds) {
  const auto word = NewApplication();
  const auto instance = NewAddInInstance();
  ASSERT_EQ(S_OK, Connect(word.Get(), instance.Get()));
  ASSERT_EQ(S_OK, Disconnect());
  ASSERT_EQ(S_OK, Connect(word.Get(), instance.Get()));
  ASSERT_EQ(1u, word->Events().ConnectionCount());
  EXPECT_EQ(2u, word->Events().Sinks()[0].first);
  EXPECT_EQ(S_OK, Disconnect());
  EXPECT_EQ(0u, word->Events().ConnectionCount());
}

// The second application and instance are kept before the connection is refused.
TEST_F(ConnectionTest, SecondConnectionWithoutDisconnectionFailsAfterKeepingTheObjects) {
  const auto first = NewApplication();
  const auto second = NewApplication();
  const auto firstInstance = NewAddInInstance();
  const auto secondInstance = NewAddInInstance();
  const ULONG secondBefore = ReferenceCount(static_cast<IDispatch*>(second.Get()));
  const ULONG firstInstanceBefore = ReferenceCount(firstInstance.Get());
  const ULONG secondInstanceBefore = ReferenceCount(secondInstance.Get());

  ASSERT_EQ(S_OK, Connect(first.Get(), firstInstance.Get()));
  EXPECT_EQ(E_FAIL, Connect(second.Get(), secondInstance.Get()));
  EXPECT_EQ(1u, first->Events().ConnectionCount());
  EXPECT_EQ(0u, second->Events().ConnectionCount());
  EXPECT_GT(ReferenceCount(static_cast<IDispatch*>(second.Get())), secondBefore);
  EXPECT_EQ(firstInstanceBefore, ReferenceCount(firstInstance.Get()));
  EXPECT_EQ(secondInstanceBefore + 1, ReferenceCount(secondInstance.Get()));

  // Disconnection unadvises at the application it now holds and resets the cookie anyway,
  // so the next connection succeeds.
  EXPECT_EQ(S_OK, Disconnect());
  EXPECT_EQ(S_OK, Connect(second.Get(), secondInstance.Get()));
  EXPECT_EQ(1u, second->Events().ConnectionCount());
  EXPECT_EQ(S_OK, Disconnect());
  // The first application's connection was never taken back; drop it as Word would.
  EXPECT_EQ(S_OK, first->Events().Unadvise(first->Events().Sinks()[0].first));
}

TEST_F(ConnectionTest, ApplicationThatIsNotWordConnectsNothing) {
  const auto notWord = NewAddInInstance();  // answers IDispatch only
  const auto instance = NewAddInInstance();
  const ULONG instanceBefore = ReferenceCount(instance.Get());
  const ULONG notWordBefore = ReferenceCount(notWord.Get());

  EXPECT_EQ(S_OK, Connect(notWord.Get(), instance.Get()));
  EXPECT_EQ(notWordBefore, ReferenceCount(notWord.Get()));
  EXPECT_EQ(instanceBefore + 1, ReferenceCount(instance.Get()));
  EXPECT_EQ(S_OK, Disconnect());
  EXPECT_EQ(instanceBefore, ReferenceCount(instance.Get()));

  EXPECT_EQ(S_OK, Connect(nullptr, nullptr));
  EXPECT_EQ(S_OK, Disconnect());
}

TEST_F(ConnectionTest, FailedQueryOtherThanNoInterfaceIsReturned) {
  ScriptedApplication refusing(E_ACCESSDENIED);
  EXPECT_EQ(E_ACCESSDENIED, Connect(&refusing, nullptr));
  EXPECT_EQ(1u, refusing.References());
}

// Word without connection points: the add-in keeps it, and the failed advice is not reported.
TEST_F(ConnectionTest, ApplicationWithoutConnectionPointsIsKept) {
  ScriptedApplication word(S_OK);
  EXPECT_EQ(S_OK, Connect(&word, nullptr));
  EXPECT_EQ(2u, word.References());
  EXPECT_EQ(S_OK, Disconnect());
  EXPECT_EQ(1u, word.References());
}

class EventSinkTest : public ConnectionTest {
 protected:
  void SetUp() override {
    ConnectionTest::SetUp();
    word_ = NewApplication();
    ASSERT_EQ(S_OK, Connect(word_.Get(), nullptr));
    ASSERT_EQ(1u, word_->Events().ConnectionCount());
    sink_ = word_->Events().Sinks()[0].second;
  }
  void TearDown() override {
    sink_.Reset();
    if (extensibility_) Disconnect();
  }

  ComPtr<StandinApplication> word_;
  ComPtr<IDispatch> sink_;
};

TEST_F(EventSinkTest, SinkAnswersOnlyItsOwnInterfaces) {
  const struct {
    const char* name;
    const IID* iid;
    HRESULT expected;
  } queries[] = {
      {"IUnknown", &IID_IUnknown, S_OK},
      {"IDispatch", &IID_IDispatch, S_OK},
      {"ApplicationEvents2", &win::DIID_ApplicationEvents2, S_OK},
      {"IID_NULL", &IID_NULL, E_NOINTERFACE},
      {"IAddInCallback", &IID_IAddInCallback, E_NOINTERFACE},
      {"_IDTExtensibility2", &IID__IDTExtensibility2, E_NOINTERFACE},
      {"IRibbonExtensibility", &IID_IRibbonExtensibility, E_NOINTERFACE},
  };
  for (const auto& query : queries) {
    void* answer = reinterpret_cast<void*>(1);
    EXPECT_EQ(query.expected, sink_->QueryInterface(*query.iid, &answer)) << query.name;
    if (answer && SUCCEEDED(query.expected)) {
      static_cast<IUnknown*>(answer)->Release();
    } else {
      EXPECT_EQ(nullptr, answer) << query.name;
    }
  }
}

TEST_F(EventSinkTest, EveryEventIsAnsweredWithSuccess) {
  for (const DISPID event : {10, 1, 2, 3, 4, 0x7FFFFFFF}) {
    const auto results = word_->Events().Fire(event);
    ASSERT_EQ(1u, results.size());
    EXPECT_EQ(S_OK, results[0]) << event;
  }
}

// The sink shares the add-in's reference count: Word's connection keeps the add-in alive.
TEST_F(EventSinkTest, ConnectionKeepsTheAddinAliveUntilWordDropsIt) {
  using CanUnload = HRESULT(__stdcall*)();
  const HMODULE library = ::GetModuleHandleW(AddinLibraryPath().c_str());
  ASSERT_NE(nullptr, library);
  const auto canUnload =
      reinterpret_cast<CanUnload>(reinterpret_cast<void (*)()>(::GetProcAddress(library, "DllCanUnloadNow")));
  ASSERT_NE(nullptr, canUnload);

  extensibility_.Reset();
  addin_.Reset();
  EXPECT_EQ(S_FALSE, canUnload());
  EXPECT_EQ(S_OK, word_->Events().Fire(10).at(0));

  sink_.Reset();
  ASSERT_EQ(S_OK, word_->Events().Unadvise(word_->Events().Sinks()[0].first));
  EXPECT_EQ(S_OK, canUnload());
}

}  // namespace
}  // namespace quillbox::testing
