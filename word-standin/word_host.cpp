#include "word-standin/word_host.h"

#include <oleauto.h>

#include "common/win/bstr.h"
#include "office_interfaces.h"
#include "word-standin/standin_addin_instance.h"
#include "word-standin/standin_ribbon_ui.h"
#include "word-standin/xml_reader.h"

namespace quillbox::standin {
namespace {

// Word hands every add-in call an empty custom array.
class EmptyCustomArray {
 public:
  EmptyCustomArray() : array_(::SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
  ~EmptyCustomArray() {
    if (array_) ::SafeArrayDestroy(array_);
  }
  EmptyCustomArray(const EmptyCustomArray&) = delete;
  EmptyCustomArray& operator=(const EmptyCustomArray&) = delete;
  SAFEARRAY** Get() noexcept { return &array_; }

 private:
  SAFEARRAY* array_;
};

}  // namespace

WordHost::WordHost(win::ComPtr<IUnknown> addin, Transcript& out)
    : out_(out),
      addin_(std::move(addin)),
      application_(win::ComPtr<StandinApplication>::Attach(StandinApplication::Create(state_))),
      addInInstance_(win::ComPtr<IDispatch>::Attach(new StandinAddInInstance())),
      ribbonUi_(win::ComPtr<IDispatch>::Attach(new StandinRibbonUi(state_))) {}

WordHost::~WordHost() { Shutdown(); }

HRESULT WordHost::Connect() {
  win::ComPtr<_IDTExtensibility2> extensibility;
  HRESULT result = addin_.As(IID__IDTExtensibility2, extensibility);
  if (SUCCEEDED(result)) {
    EmptyCustomArray custom;
    result = extensibility->OnConnection(static_cast<IDispatch*>(application_.Get()), ext_cm_Startup,
                                         addInInstance_.Get(), custom.Get());
  }
  if (FAILED(result)) {
    out_.Line(L"! OnConnection failed: " + HresultText(result));
    return result;
  }
  connected_ = true;
  return S_OK;
}

HRESULT WordHost::Disconnect() {
  win::ComPtr<_IDTExtensibility2> extensibility;
  HRESULT result = addin_.As(IID__IDTExtensibility2, extensibility);
  if (SUCCEEDED(result)) {
    EmptyCustomArray custom;
    result = extensibility->OnDisconnection(ext_dm_HostShutdown, custom.Get());
  }
  connected_ = false;
  if (FAILED(result)) out_.Line(L"! OnDisconnection failed: " + HresultText(result));
  return result;
}

HRESULT WordHost::LoadRibbon() {
  win::ComPtr<IRibbonExtensibility> extensibility;
  HRESULT result = addin_.As(IID_IRibbonExtensibility, extensibility);
  win::UniqueBstr xml;
  if (SUCCEEDED(result)) {
    win::UniqueBstr ribbonId = win::UniqueBstr::FromWide(L"Microsoft.Word.Document");
    result = extensibility->GetCustomUI(ribbonId.Get(), xml.Put());
  }
  if (FAILED(result)) {
    out_.Line(L"! GetCustomUI failed: " + HresultText(result));
    return result;
  }
  RibbonModel model;
  try {
    const std::u16string text = xml.Text();
    model = RibbonModel::FromCustomUi(ParseXml(std::wstring(text.begin(), text.end())));
  } catch (const XmlError& error) {
    const std::string what = error.what();
    out_.Line(L"! the ribbon XML is not usable: " + std::wstring(what.begin(), what.end()));
    return E_FAIL;
  }
  win::ComPtr<IDispatch> dispatch;
  result = addin_.As(IID_IDispatch, dispatch);
  if (FAILED(result)) {
    out_.Line(L"! the add-in offers no IDispatch: " + HresultText(result));
    return result;
  }
  callbacks_ = std::make_unique<AddinDispatch>(dispatch);
  view_ = std::make_unique<RibbonView>(std::move(model), *callbacks_, out_);
  if (const auto& onLoad = view_->Model().OnLoad()) {
    result = callbacks_->Call(*onLoad, {DispatchArgument(ribbonUi_.Get())}, nullptr);
    if (FAILED(result)) {
      out_.Line(L"! " + *onLoad + L" failed: " + HresultText(result));
      return result;
    }
  }
  ribbonLoadedAt_ = std::chrono::steady_clock::now();
  return S_OK;
}

HRESULT WordHost::Start() {
  HRESULT result = Connect();
  if (SUCCEEDED(result)) result = LoadRibbon();
  if (SUCCEEDED(result)) {
    win::ComPtr<_IDTExtensibility2> extensibility;
    result = addin_.As(IID__IDTExtensibility2, extensibility);
    if (SUCCEEDED(result)) {
      EmptyCustomArray custom;
      result = extensibility->OnStartupComplete(custom.Get());
    }
    if (FAILED(result)) out_.Line(L"! OnStartupComplete failed: " + HresultText(result));
  }
  if (SUCCEEDED(result)) ShowInvalidated();
  return result;
}

HRESULT WordHost::Shutdown() {
  if (!connected_) return S_OK;
  win::ComPtr<_IDTExtensibility2> extensibility;
  HRESULT result = addin_.As(IID__IDTExtensibility2, extensibility);
  if (SUCCEEDED(result)) {
    EmptyCustomArray custom;
    result = extensibility->OnBeginShutdown(custom.Get());
    if (FAILED(result)) out_.Line(L"! OnBeginShutdown failed: " + HresultText(result));
  }
  const HRESULT disconnected = Disconnect();
  return FAILED(result) ? result : disconnected;
}

void WordHost::ShowInvalidated() {
  if (!view_) return;
  const auto& log = state_->invalidations;
  for (; invalidationsShown_ < log.size(); ++invalidationsShown_) view_->Invalidate(log[invalidationsShown_]);
  view_->Refresh();
}

template <typename Action>
HRESULT WordHost::Act(Action&& action) {
  if (!view_) return E_UNEXPECTED;
  if (answerDialogs_) dialogs_.Start();
  const HRESULT result = action(*view_);
  if (answerDialogs_) {
    for (const std::wstring& line : dialogs_.Stop()) out_.Line(line);
  }
  ShowInvalidated();
  return result;
}

HRESULT WordHost::Click(const std::wstring& id) {
  return Act([&](RibbonView& view) { return view.Click(id); });
}
HRESULT WordHost::Toggle(const std::wstring& id) {
  return Act([&](RibbonView& view) { return view.Toggle(id); });
}
HRESULT WordHost::Choose(const std::wstring& id, long item) {
  return Act([&](RibbonView& view) { return view.Choose(id, item); });
}
HRESULT WordHost::Type(const std::wstring& id, const std::wstring& text) {
  return Act([&](RibbonView& view) { return view.Type(id, text); });
}

std::vector<HRESULT> WordHost::FireEvent(DISPID id) { return application_->Events().Fire(id); }

void WordHost::PrintDocument() {
  const StandinDocument& document = state_->document;
  out_.Line(L"document " + Quoted(document.Text()));
  out_.Line(L"selection " + std::to_wstring(document.Start()) + L" " + std::to_wstring(document.End()));
}

void WordHost::PrintRibbon(const std::wstring& ids) {
  if (!view_) {
    out_.Line(L"! no ribbon");
    return;
  }
  for (const std::wstring& line : view_->Describe(ids)) out_.Line(line);
}

void WordHost::PrintInvalidations() {
  const auto& log = state_->invalidations;
  std::wstring line = L"invalidated";
  for (; invalidationsPrinted_ < log.size(); ++invalidationsPrinted_) line += L" " + log[invalidationsPrinted_];
  out_.Line(line);
}

}  // namespace quillbox::standin
