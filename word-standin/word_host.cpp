#include "word-standin/word_host.h"

#include <oleauto.h>

#include <utility>

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

constexpr UINT_PTR kTriggerTimer = 1;
constexpr UINT kTriggerPeriodMs = 10;

// The host whose triggers the timer on Word's thread looks at.
thread_local WordHost* triggeringHost = nullptr;

std::optional<ArgumentForm> ArgumentFormFromEnvironment() {
  wchar_t value[32] = L"";
  const DWORD length = ::GetEnvironmentVariableW(L"QUILLBOX_STANDIN_ARGUMENTS", value, 32);
  if (length == 0 || length >= 32) return std::nullopt;
  return ParseArgumentForm(value);
}

}  // namespace

WordHost::WordHost(win::ComPtr<IUnknown> addin, Transcript& out)
    : out_(out),
      addin_(std::move(addin)),
      application_(win::ComPtr<StandinApplication>::Attach(StandinApplication::Create(state_))),
      addInInstance_(win::ComPtr<IDispatch>::Attach(new StandinAddInInstance())),
      ribbonUi_(win::ComPtr<IDispatch>::Attach(new StandinRibbonUi(state_))),
      form_(ArgumentFormFromEnvironment().value_or(ArgumentForm::kByReference)) {
  windows_.push_back(std::make_unique<DocumentWindow>(1));
  state_->activeWindow = win::ComPtr<IDispatch>(windows_.front()->Object());
}

WordHost::~WordHost() {
  Shutdown();
  // The add-in may keep Word's objects; the window they name is gone with the host.
  state_->activeWindow.Reset();
}

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
  model_ = std::move(model);
  // Office loads the ribbon once: one onLoad and one IRibbonUI for every window.
  for (auto& window : windows_) {
    window->ShowRibbon(*model_, *callbacks_, out_);
    window->View()->PassArguments(form_);
  }
  if (const auto& onLoad = model_->OnLoad()) {
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

HRESULT WordHost::ReleaseAddin() {
  if (!addin_) {
    out_.Line(L"! the add-in has already been released");
    return E_UNEXPECTED;
  }
  const HRESULT result = Shutdown();
  if (callbacks_) callbacks_->Drop();
  const ULONG left = addin_.Detach()->Release();
  out_.Line(L"released the add-in: its Release answered " + std::to_wstring(left));
  return result;
}

// An invalidated control is read again in every window that shows it.
void WordHost::ShowInvalidated() {
  if (!callbacks_ || !callbacks_->Holds()) return;
  const auto& log = state_->invalidations;
  for (; invalidationsShown_ < log.size(); ++invalidationsShown_) {
    for (auto& window : windows_) window->View()->Invalidate(log[invalidationsShown_]);
  }
  for (auto& window : windows_) window->View()->Refresh();
}

RibbonView* WordHost::View(long index) noexcept {
  if (index < 1 || index > WindowCount()) return nullptr;
  return windows_[static_cast<size_t>(index - 1)]->View();
}

HWND WordHost::WindowHandle(long index) const {
  if (index < 1 || index > WindowCount()) return nullptr;
  return windows_[static_cast<size_t>(index - 1)]->Handle();
}

void WordHost::ShowFirstWindowIn(HWND frame) { windows_.front()->ShowIn(frame); }

long WordHost::OpenWindow() {
  windows_.push_back(std::make_unique<DocumentWindow>(WindowCount() + 1));
  DocumentWindow& window = *windows_.back();
  if (model_ && callbacks_) {
    window.ShowRibbon(*model_, *callbacks_, out_);
    window.View()->PassArguments(form_);
  }
  Activate(window.Index());
  if (window.View() && callbacks_->Holds()) window.View()->Refresh();
  return window.Index();
}

// The active window's document is the one in the host state; the others wait in their windows.
bool WordHost::Activate(long index) {
  if (index < 1 || index > WindowCount()) return false;
  const size_t target = static_cast<size_t>(index - 1);
  if (target == active_) return true;
  // A view that shows the document (the frame's pane) shows the active window's.
  if (state_->mirror) state_->mirror->LoadInto(state_->document);
  windows_[active_]->parkedDocument = state_->document;
  state_->document = windows_[target]->parkedDocument;
  if (state_->mirror) state_->mirror->ShowFrom(state_->document);
  state_->activeWindow = win::ComPtr<IDispatch>(windows_[target]->Object());
  active_ = target;
  return true;
}

void WordHost::PassArguments(ArgumentForm form) {
  form_ = form;
  for (auto& window : windows_) {
    if (window->View()) window->View()->PassArguments(form);
  }
}

void WordHost::During(DialogTrigger trigger) {
  triggers_.push_back(std::move(trigger));
  HoldTriggeredDialogs();
}

void WordHost::HoldTriggeredDialogs() {
  std::vector<std::wstring> captions;
  for (const DialogTrigger& trigger : triggers_) captions.push_back(trigger.caption);
  dialogs_.Hold(std::move(captions));
}

bool WordHost::ReportUnfiredTriggers() {
  for (const DialogTrigger& trigger : triggers_) {
    out_.Line(L"! during " + Quoted(trigger.caption) + L" never happened: no such dialog showed");
  }
  const bool none = triggers_.empty();
  triggers_.clear();
  HoldTriggeredDialogs();
  return none;
}

void CALLBACK WordHost::TriggerTick(HWND, UINT, UINT_PTR, DWORD) {
  if (triggeringHost) triggeringHost->FireTriggers();
}

// The first trigger whose dialog shows on this thread fires, inside that dialog's loop.
void WordHost::FireTriggers() {
  for (size_t i = 0; i < triggers_.size(); ++i) {
    HWND dialog = ::FindWindowW(L"#32770", triggers_[i].caption.c_str());
    if (!dialog || !::IsWindowVisible(dialog) ||
        ::GetWindowThreadProcessId(dialog, nullptr) != ::GetCurrentThreadId()) {
      continue;
    }
    const DialogTrigger trigger = triggers_[i];
    triggers_.erase(triggers_.begin() + static_cast<std::ptrdiff_t>(i));
    out_.Line(L"during " + Quoted(trigger.caption) + L": " + trigger.description);
    trigger.action();
    // To answer the dialog the teacher clicks into it, and its owner is active again once it
    // closes; a dialog that closes by itself leaves active the window the teacher turned to.
    if (::IsWindow(dialog) && DialogTeacher::Answers(trigger.caption)) {
      const HWND owner = ::GetWindow(dialog, GW_OWNER);
      for (const auto& window : windows_) {
        if (owner && window->Handle() == owner) Activate(window->Index());
      }
    }
    HoldTriggeredDialogs();
    return;
  }
}

void WordHost::BeginOutermostAction(HWND window) {
  if (answerDialogs_) dialogs_.Start();
  if (watchResponsiveness_ && window) watchdog_.Start(window);
  // Without a window of its own (no display) the host has no timer, and no trigger fires.
  if (HWND timerWindow = windows_.front()->OwnHandle()) {
    triggeringHost = this;
    ::SetTimer(timerWindow, kTriggerTimer, kTriggerPeriodMs, &WordHost::TriggerTick);
  }
}

void WordHost::EndOutermostAction() {
  if (HWND timerWindow = windows_.front()->OwnHandle()) ::KillTimer(timerWindow, kTriggerTimer);
  triggeringHost = nullptr;
  if (watchResponsiveness_) {
    longestUnanswered_ = watchdog_.Stop();
    out_.Line(L"watchdog: Word's window waited at most " + std::to_wstring(longestUnanswered_->count()) +
              L" ms to answer a message");
  }
  if (answerDialogs_) {
    for (const std::wstring& line : dialogs_.Stop()) out_.Line(line);
  }
}

template <typename Action>
HRESULT WordHost::Act(Action&& action) {
  if (!callbacks_) return E_UNEXPECTED;
  if (!callbacks_->Holds()) {
    out_.Line(L"! the add-in has been released");
    return CO_E_OBJNOTCONNECTED;
  }
  DocumentWindow& window = *windows_[active_];
  if (window.Handle() && !::IsWindowEnabled(window.Handle())) {
    out_.Line(L"! window " + std::to_wstring(window.Index()) + L" takes no click: a dialog disables it");
    return E_ACCESSDENIED;
  }
  const bool outermost = actionDepth_++ == 0;
  if (outermost) BeginOutermostAction(window.Handle());
  const HRESULT result = action(*window.View());
  if (outermost) EndOutermostAction();
  --actionDepth_;
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

void WordHost::PrintRibbon() {
  if (!View()) {
    out_.Line(L"! no ribbon");
    return;
  }
  for (const std::wstring& line : View()->Describe()) out_.Line(line);
}

void WordHost::PrintInvalidations() {
  const auto& log = state_->invalidations;
  std::wstring line = L"invalidated";
  for (; invalidationsPrinted_ < log.size(); ++invalidationsPrinted_) line += L" " + log[invalidationsPrinted_];
  out_.Line(line);
}

}  // namespace quillbox::standin
