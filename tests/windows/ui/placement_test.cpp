// Where dialogs open, and the Common Controls version they are created with.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ui/win/activation_context.h"
#include "ui/win/dialog_placement.h"

namespace quillbox::testing {
namespace {

struct PlacementCase {
  const char* name;
  RECT dialog;
  std::optional<RECT> owner;
  RECT workArea;
  POINT expected;
};

void PrintTo(const PlacementCase& c, std::ostream* out) { *out << c.name; }

class CentredPositionTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(CentredPositionTest, CentresThenKeepsInsideTheWorkArea) {
  const PlacementCase& c = GetParam();
  const POINT at = win::CentredPosition(c.dialog, c.owner ? &*c.owner : nullptr, c.workArea);
  EXPECT_EQ(at.x, c.expected.x);
  EXPECT_EQ(at.y, c.expected.y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CentredPositionTest,
    ::testing::Values(
        PlacementCase{"OverOwner", {0, 0, 200, 100}, RECT{100, 100, 700, 500}, {0, 0, 1024, 768}, {300, 250}},
        PlacementCase{"NoOwnerCentresOnWorkArea", {0, 0, 200, 100}, std::nullopt, {0, 0, 1024, 728}, {412, 314}},
        PlacementCase{"WorkAreaOffset", {50, 50, 250, 150}, std::nullopt, {100, 40, 1124, 808}, {512, 374}},
        PlacementCase{"OwnerOffRightEdge", {0, 0, 200, 100}, RECT{900, 100, 1100, 200}, {0, 0, 1024, 768}, {824, 100}},
        PlacementCase{"OwnerAboveTop", {0, 0, 200, 100}, RECT{-300, -300, -100, -200}, {0, 0, 1024, 768}, {0, 0}},
        PlacementCase{"LargerThanWorkArea", {0, 0, 1200, 900}, RECT{0, 0, 1024, 768}, {0, 0, 1024, 768}, {0, 0}}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

// Inside the context the loader redirects comctl32.dll to the side-by-side Common Controls 6
// assembly (Wine's copy still reports 5.81 from DllGetVersion, so the path is what tells).
TEST(UiActivationContext, RedirectsToCommonControls6) {
  win::ScopedUiActivation activation;
  ASSERT_TRUE(activation.Active());
  HMODULE controls = ::LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(controls, path, MAX_PATH);
  ::CharLowerW(path);
  const std::wstring loaded = path;
  EXPECT_NE(loaded.find(L"\\winsxs\\"), std::wstring::npos);
  EXPECT_NE(loaded.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), std::wstring::npos);
  ::FreeLibrary(controls);
}

}  // namespace
}  // namespace quillbox::testing
