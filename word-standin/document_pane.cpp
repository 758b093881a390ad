#include "word-standin/document_pane.h"

#include "word-standin/pane_text.h"

namespace quillbox::standin {
namespace {

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

DocumentPane::DocumentPane(HWND parent, int controlId, HFONT font, std::shared_ptr<HostState> state)
    : state_(std::move(state)),
      edit_(::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                  ES_NOHIDESEL,
                              0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                              ::GetModuleHandleW(nullptr), nullptr)) {
  ::SendMessageW(edit_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The pane starts with whatever the document holds and owns it from now on.
  ShowFrom(state_->document);
  state_->mirror = this;
}

DocumentPane::~DocumentPane() {
  if (state_->mirror == this) {
    LoadInto(state_->document);
    state_->mirror = nullptr;
  }
}

void DocumentPane::LoadInto(StandinDocument& document) {
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(edit_.Get(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  document.Assign(WindowText(edit_.Get()), static_cast<long>(start), static_cast<long>(end));
}

void DocumentPane::ShowFrom(const StandinDocument& document) {
  const PaneText pane = WithControlLineEnds(document.Text(), document.Start(), document.End());
  if (WindowText(edit_.Get()) != pane.text) ::SetWindowTextW(edit_.Get(), pane.text.c_str());
  ::SendMessageW(edit_.Get(), EM_SETSEL, static_cast<WPARAM>(pane.start), static_cast<LPARAM>(pane.end));
  ::SendMessageW(edit_.Get(), EM_SCROLLCARET, 0, 0);
}

}  // namespace quillbox::standin
