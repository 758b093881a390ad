// The login dialog as QuillboxAddIn.dll itself shows it when Word's ribbon asks to log in: its
// links answer a screen reader as links (through the library's delay-loaded oleacc).

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "tests/windows/addin/addin_test_support.h"
#include "tests/windows/ui/accessible_probe.h"
#include "ui/win/resource_ids.h"
#include "word-standin/transcript.h"
#include "word-standin/word_host.h"

namespace quillbox::testing {
namespace {

TEST(LibraryDialogs, LoginLinksAreLinksToAScreenReader) {
  standin::CollectedTranscript transcript;
  standin::WordHost host(CreateRegisteredAddin(), transcript);
  ASSERT_EQ(S_OK, host.Start());
  host.AnswerDialogs(false);  // this test reads and ends the dialog itself
  std::vector<std::tuple<std::wstring, long, long, std::wstring>> seen;  // name, role, state, action
  InDialogLoop(L"Please log in...", [&](HWND dialog) {
    for (int id : {IDC_LOGIN_CREATE_LINK, IDC_LOGIN_FORGOT_LINK}) {
      win::ComPtr<IAccessible> link;
      ::AccessibleObjectFromWindow(::GetDlgItem(dialog, id), OBJID_CLIENT, __uuidof(IAccessible), link.PutVoid());
      if (!link) continue;
      seen.emplace_back(Text(&IAccessible::get_accName, *link), Number(&IAccessible::get_accRole, *link),
                        Number(&IAccessible::get_accState, *link), Text(&IAccessible::get_accDefaultAction, *link));
    }
    ::EndDialog(dialog, IDCANCEL);
  });
  EXPECT_EQ(S_OK, host.Click(L"logIn"));
  constexpr long kState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
  EXPECT_EQ(seen, (std::vector<std::tuple<std::wstring, long, long, std::wstring>>{
                      {L"Create Account", ROLE_SYSTEM_LINK, kState, L"Jump"},
                      {L"Forgot Password?", ROLE_SYSTEM_LINK, kState, L"Jump"}}));
}

}  // namespace
}  // namespace quillbox::testing
