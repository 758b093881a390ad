#include "word-standin/standin_window.h"

#include <cwchar>

namespace quillbox::standin {
namespace {

constexpr wchar_t kFrameClass[] = L"QuillboxStandinWord";
constexpr wchar_t kTitle[] = L"Document1 - Word stand-in";
constexpr UINT_PTR kStepTimer = 1;
constexpr int kPaneId = 100;
constexpr int kTipLineId = 101;
constexpr int kTipLineHeight = 40;  // two lines of the interface font

HFONT MessageFont(int pointsOrZero) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  if (pointsOrZero > 0) {
    HDC screen = ::GetDC(nullptr);
    font.lfHeight = -::MulDiv(pointsOrZero, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
  }
  return ::CreateFontIndirectW(&font);
}

void RegisterFrameClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ::DefWindowProcW;  // replaced once the window's object exists
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFrameClass;
    return ::RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

// "pause MS": the milliseconds, or nothing when the line is something else.
std::optional<unsigned> PauseOf(const std::wstring& line) {
  if (line.rfind(L"pause ", 0) != 0) return std::nullopt;
  wchar_t* end = nullptr;
  const unsigned long ms = std::wcstoul(line.c_str() + 6, &end, 10);
  if (end == line.c_str() + 6 || *end != L'\0') return std::nullopt;
  return static_cast<unsigned>(ms);
}

}  // namespace

StandinWindow::StandinWindow(WordHost& host, Transcript& out)
    : host_(host), out_(out), uiFont_(MessageFont(0)), documentFont_(MessageFont(12)) {
  RegisterFrameClass();
  frame_.Reset(::CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 CW_USEDEFAULT, CW_USEDEFAULT, 1000, 640, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr));
  ::SetWindowLongPtrW(frame_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(frame_.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandinWindow::FrameProcedure));
  strip_ = std::make_unique<RibbonStrip>(frame_.Get(), host_, static_cast<HFONT>(uiFont_.Get()));
  pane_ = std::make_unique<DocumentPane>(frame_.Get(), kPaneId, static_cast<HFONT>(documentFont_.Get()),
                                         host_.SharedState());
  tipLine_.Reset(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_SUNKEN, 0,
                                   0, 0, 0, frame_.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTipLineId)),
                                   ::GetModuleHandleW(nullptr), nullptr));
  ::SendMessageW(tipLine_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.Get()), FALSE);
  strip_->OnChanged([this] { Layout(); });
  strip_->OnItemTip([this](const std::wstring& id, const std::wstring& tip) { ShowTip(id, tip); });
  // The frame is Word's first document window; a person at it answers the add-in's dialogs, a
  // scripted drive turns the teacher on.
  host_.ShowFirstWindowIn(frame_.Get());
  host_.AnswerDialogs(false);
  strip_->Update();
  Layout();
}

StandinWindow::~StandinWindow() {
  if (frame_) {
    ::KillTimer(frame_.Get(), kStepTimer);
    ::SetWindowLongPtrW(frame_.Get(), GWLP_USERDATA, 0);
  }
  pane_.reset();
  strip_.reset();
  host_.ShowFirstWindowIn(nullptr);
  host_.AnswerDialogs(true);
}

void StandinWindow::Drive(std::vector<std::wstring> lines, unsigned stepMs) {
  lines_ = std::move(lines);
  nextLine_ = 0;
  stepMs_ = stepMs;
  runner_ = std::make_unique<SessionRunner>(host_, out_);
  ::SetTimer(frame_.Get(), kStepTimer, stepMs_, nullptr);
}

bool StandinWindow::Run() {
  ::ShowWindow(frame_.Get(), SW_SHOWNORMAL);
  ::SetForegroundWindow(frame_.Get());
  ::SetFocus(pane_->Handle());
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(frame_.Get(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return understood_;
}

LRESULT CALLBACK StandinWindow::FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* frame = reinterpret_cast<StandinWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!frame) return ::DefWindowProcW(window, message, wParam, lParam);
  return frame->Handle(message, wParam, lParam);
}

LRESULT StandinWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_TIMER:
      if (wParam == kStepTimer) Step();
      return 0;
    case WM_CLOSE:
      ::KillTimer(frame_.Get(), kStepTimer);
      ::ShowWindow(frame_.Get(), SW_HIDE);
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(frame_.Get(), message, wParam, lParam);
}

void StandinWindow::Layout() {
  if (!strip_ || !pane_) return;
  RECT client{};
  ::GetClientRect(frame_.Get(), &client);
  const int stripHeight = strip_->Height();
  ::MoveWindow(strip_->Handle(), 0, 0, client.right, stripHeight, TRUE);
  const int paneBottom = client.bottom - kTipLineHeight - 4;
  ::MoveWindow(pane_->Handle(), 4, stripHeight + 4, client.right - 8, paneBottom - stripHeight - 8, TRUE);
  ::MoveWindow(tipLine_.Get(), 4, paneBottom, client.right - 8, kTipLineHeight, TRUE);
}

// One line of the scripted drive; the timer is stopped while it runs, since an action may sit in
// a modal dialog that dispatches timer messages.
void StandinWindow::Step() {
  ::KillTimer(frame_.Get(), kStepTimer);
  unsigned delay = stepMs_;
  // Comments and blank lines take no step of their own.
  while (nextLine_ < lines_.size()) {
    const std::wstring& line = lines_[nextLine_];
    const size_t first = line.find_first_not_of(L" \t");
    if (first != std::wstring::npos && line[first] != L'#') break;
    ++nextLine_;
  }
  if (nextLine_ >= lines_.size()) {
    out_.Line(L"the scripted drive has ended");
    understood_ = host_.ReportUnfiredTriggers() && understood_;
    host_.AnswerDialogs(false);
    return;
  }
  const std::wstring line = lines_[nextLine_++];
  if (line == L"close") {
    ::PostMessageW(frame_.Get(), WM_CLOSE, 0, 0);
    return;
  }
  if (const auto pause = PauseOf(line)) {
    delay = *pause;
  } else if (line.rfind(L"hover ", 0) == 0) {
    understood_ = Hover(line) && understood_;
  } else {
    host_.AnswerDialogs(true);
    pane_->LoadInto(host_.State().document);
    understood_ = runner_->RunLine(line, nextLine_) && understood_;
    pane_->ShowFrom(host_.State().document);
    host_.AnswerDialogs(false);
    strip_->Update();
    Layout();
  }
  ::SetTimer(frame_.Get(), kStepTimer, delay, nullptr);
}

// "hover ID N": the tip line shows what the pointer resting on the item would show.
bool StandinWindow::Hover(const std::wstring& line) {
  const size_t space = line.rfind(L' ');
  const std::wstring id = line.substr(6, space > 6 ? space - 6 : 0);
  wchar_t* end = nullptr;
  const long item = std::wcstol(line.c_str() + space + 1, &end, 10);
  const auto tip = space > 6 && end != line.c_str() + space + 1 && *end == L'\0' ? strip_->ItemTip(id, item) : std::nullopt;
  if (!tip) {
    out_.Line(L"! line " + std::to_wstring(nextLine_) + L" has no gallery item to hover: " + line);
    return false;
  }
  ShowTip(id, *tip);
  return true;
}

// The gallery's label, then the item's supertip: "Insert Comment: They read widely ...".
void StandinWindow::ShowTip(const std::wstring& galleryId, const std::wstring& tip) {
  const auto index = host_.View()->Model().Find(galleryId);
  const std::wstring label = index ? host_.View()->Label(*index).value_or(galleryId) : galleryId;
  const std::wstring line = label + L": " + tip;
  ::SetWindowTextW(tipLine_.Get(), line.c_str());
}

}  // namespace quillbox::standin
