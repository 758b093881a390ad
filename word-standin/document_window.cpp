#include "word-standin/document_window.h"

#include <string>

namespace quillbox::standin {
namespace {

constexpr wchar_t kDocumentClass[] = L"QuillboxStandinDocument";

const wchar_t* DocumentClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kDocumentClass;
    return ::RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
  return kDocumentClass;
}

}  // namespace

DocumentWindow::DocumentWindow(long index) : index_(index) {
  const std::wstring caption = L"Document" + std::to_wstring(index) + L" - Word stand-in";
  window_.Reset(::CreateWindowExW(0, DocumentClass(), caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 800, 600, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  object_ = win::ComPtr<StandinWordWindow>::Attach(new StandinWordWindow(window_.Get(), index, caption));
}

void DocumentWindow::ShowRibbon(const RibbonModel& model, AddinDispatch& addin, Transcript& out) {
  view_ = std::make_unique<RibbonView>(model, addin, out, win::ComPtr<IDispatch>(object_.Get()));
}

}  // namespace quillbox::standin
