// The three dialog templates as the dialog manager reads them: captions, fonts, positions,
// classes, texts, styles and tab order, from the test program's copy of the resources and
// from QuillboxAddIn.dll itself.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/win/this_module.h"
#include "common/win/unique_handle.h"
#include "dialog_driver.h"
#include "dialog_template.h"

namespace quillbox::testing {
namespace {

constexpr DWORD kDialogStyle = DS_SETFONT | DS_FIXEDSYS | WS_POPUP | WS_CAPTION;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

struct ExpectedDialog {
  WORD id;
  const wchar_t* caption;
  short cx, cy;
  std::vector<DialogItemTemplate> items;  // in tab order
};

const std::vector<ExpectedDialog>& ExpectedDialogs() {
  static const std::vector<ExpectedDialog> dialogs = {
      {203, L"Please log in...", 174, 104,
       {{static_cast<DWORD>(-1) & 0xFFFF, L"STATIC", L"&Email address:", kChild | SS_LEFT | WS_GROUP, 0, 7, 7, 80, 8},
        {201, L"EDIT", L"", kChild | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 7, 17, 160, 14},
        {static_cast<DWORD>(-1) & 0xFFFF, L"STATIC", L"&Password:", kChild | SS_LEFT | WS_GROUP, 0, 7, 38, 80, 8},
        {202, L"EDIT", L"", kChild | ES_LEFT | ES_AUTOHSCROLL | ES_PASSWORD | WS_BORDER | WS_TABSTOP, 0, 7, 49, 160, 14},
        {205, L"STATIC", L"Create Account", kChild | SS_LEFT | WS_GROUP | WS_TABSTOP, 0, 7, 66, 51, 8},
        {204, L"STATIC", L"Forgot Password?", kChild | SS_LEFT | WS_GROUP | WS_TABSTOP, 0, 109, 66, 58, 8},
        {IDOK, L"BUTTON", L"&Log in", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 36, 83, 50, 14},
        {IDCANCEL, L"BUTTON", L"&Cancel", kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 91, 83, 50, 14}}},
      {205, L"Please wait...", 194, 28,
       {{203, L"MSCTLS_PROGRESS32", L"", kChild | WS_BORDER | PBS_SMOOTH, 0, 7, 7, 180, 14}}},
      {207, L"Error!", 234, 72,
       {{207, L"STATIC", L"", kChild | SS_ICON, 0, 7, 7, 20, 20},
        {205, L"STATIC", L"Static", kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, 33, 7, 194, 25},
        {206, L"STATIC", L"Static", kChild | SS_LEFT | WS_GROUP | WS_TABSTOP, 0, 33, 37, 194, 8},
        {IDOK, L"BUTTON", L"OK", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 91, 51, 50, 14}}},
  };
  return dialogs;
}

void ExpectDialogsIn(HMODULE module) {
  for (const ExpectedDialog& expected : ExpectedDialogs()) {
    SCOPED_TRACE(::testing::Message() << "dialog " << expected.id);
    const auto dialog = LoadDialogTemplate(module, expected.id);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->caption, expected.caption);
    EXPECT_EQ(dialog->style, kDialogStyle);  // no WS_SYSMENU: no close box
    EXPECT_EQ(dialog->exStyle, 0u);
    EXPECT_EQ(dialog->x, 0);
    EXPECT_EQ(dialog->y, 0);
    EXPECT_EQ(dialog->cx, expected.cx);
    EXPECT_EQ(dialog->cy, expected.cy);
    EXPECT_EQ(dialog->fontName, L"MS Shell Dlg");
    EXPECT_EQ(dialog->fontSize, 8);
    EXPECT_EQ(dialog->fontWeight, 400);
    ASSERT_EQ(dialog->items.size(), expected.items.size());
    for (size_t i = 0; i < expected.items.size(); ++i) {
      const DialogItemTemplate& want = expected.items[i];
      const DialogItemTemplate& got = dialog->items[i];
      SCOPED_TRACE(::testing::Message() << "item " << i);
      EXPECT_EQ(got.id & 0xFFFF, want.id);
      EXPECT_EQ(got.windowClass, want.windowClass);
      EXPECT_EQ(got.text, want.text);
      EXPECT_EQ(got.style, want.style) << std::hex << got.style << " vs " << want.style;
      EXPECT_EQ(got.exStyle, 0u);
      EXPECT_EQ(got.x, want.x);
      EXPECT_EQ(got.y, want.y);
      EXPECT_EQ(got.cx, want.cx);
      EXPECT_EQ(got.cy, want.cy);
    }
  }
}

// The manifest the activation context is built from must ask for Common Controls 6.
void ExpectCommonControlsManifestIn(HMODULE module) {
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(2), RT_MANIFEST);
  ASSERT_NE(resource, nullptr);
  const auto* text = static_cast<const char*>(::LockResource(::LoadResource(module, resource)));
  const std::string manifest(text, ::SizeofResource(module, resource));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
}

TEST(DialogResources, TestProgramCopyMatchesLayout) {
  ExpectDialogsIn(win::ThisModule());
  ExpectCommonControlsManifestIn(win::ThisModule());
}

TEST(DialogResources, AddInLibraryMatchesLayout) {
  const std::string path = WinePath(QUILLBOX_ADDIN_DLL);
  win::UniqueModule dll(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(dll) << "cannot load " << path;
  ExpectDialogsIn(dll.Get());
  ExpectCommonControlsManifestIn(dll.Get());
}

}  // namespace
}  // namespace quillbox::testing
