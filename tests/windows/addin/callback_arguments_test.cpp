// The callbacks' side of the COM conventions, called through the interface's table as well as
// by name: missing out pointers, text arguments that are null, strings that say "no value",
// and the ribbon object handed to RibbonLoaded.

#include <windows.h>

#include <oleauto.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/win/bstr.h"
#include "tests/windows/addin/in_process_addin.h"
#include "word-standin/standin_addin_instance.h"
#include "word-standin/standin_ribbon_ui.h"

namespace quillbox::testing {
namespace {

using win::UniqueBstr;

using CallbackArgumentsTest = InProcessAddinTest;

TEST_F(CallbackArgumentsTest, GettersRefuseAMissingOutPointer) {
  IAddInCallback* const callbacks = callbacks_.Get();
  const std::vector<std::pair<const char*, std::function<HRESULT()>>> calls = {
      {"GetItemCountComment", [&] { return callbacks->GetItemCountComment(nullptr, nullptr); }},
      {"GetItemLabelComment", [&] { return callbacks->GetItemLabelComment(nullptr, 0, nullptr); }},
      {"GetItemIDComment", [&] { return callbacks->GetItemIDComment(nullptr, 0, nullptr); }},
      {"GetSelectedItemIndexComment", [&] { return callbacks->GetSelectedItemIndexComment(nullptr, nullptr); }},
      {"GetVisibleComments", [&] { return callbacks->GetVisibleComments(nullptr, nullptr); }},
      {"GetLabelLogIn", [&] { return callbacks->GetLabelLogIn(nullptr, nullptr); }},
      {"GetTextName", [&] { return callbacks->GetTextName(nullptr, nullptr); }},
      {"GetItemCountSubject", [&] { return callbacks->GetItemCountSubject(nullptr, nullptr); }},
      {"GetItemLabelSubject", [&] { return callbacks->GetItemLabelSubject(nullptr, 0, nullptr); }},
      {"GetItemIDSubject", [&] { return callbacks->GetItemIDSubject(nullptr, 0, nullptr); }},
      {"GetSelectedItemIndexSubject", [&] { return callbacks->GetSelectedItemIndexSubject(nullptr, nullptr); }},
      {"GetPressedBoy", [&] { return callbacks->GetPressedBoy(nullptr, nullptr); }},
      {"GetPressedGirl", [&] { return callbacks->GetPressedGirl(nullptr, nullptr); }},
      {"GetItemCountCategory", [&] { return callbacks->GetItemCountCategory(nullptr, nullptr); }},
      {"GetItemLabelCategory", [&] { return callbacks->GetItemLabelCategory(nullptr, 0, nullptr); }},
      {"GetItemIDCategory", [&] { return callbacks->GetItemIDCategory(nullptr, 0, nullptr); }},
      {"GetSelectedItemIndexCategory", [&] { return callbacks->GetSelectedItemIndexCategory(nullptr, nullptr); }},
      {"GetLabelCategory", [&] { return callbacks->GetLabelCategory(nullptr, nullptr); }},
      {"GetPressedThey", [&] { return callbacks->GetPressedThey(nullptr, nullptr); }},
      {"GetItemSupertipComment", [&] { return callbacks->GetItemSupertipComment(nullptr, 0, nullptr); }},
      {"GetEnabledComment", [&] { return callbacks->GetEnabledComment(nullptr, nullptr); }},
      {"GetSupertipComment", [&] { return callbacks->GetSupertipComment(nullptr, nullptr); }},
      {"GetItemImageComment", [&] { return callbacks->GetItemImageComment(nullptr, 0, nullptr); }},
  };
  ASSERT_EQ(23u, calls.size());
  for (const auto& [name, call] : calls) EXPECT_EQ(E_POINTER, call()) << name;
}

TEST_F(CallbackArgumentsTest, ItemsThatDoNotExistAreNullStrings) {
  LogIn();
  // Two subjects and three comment groups are listed.
  for (const LONG index : {-1, 3, 1000}) {
    BSTR label = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(S_OK, callbacks_->GetItemLabelSubject(nullptr, index == 3 ? 2 : index, &label));
    EXPECT_EQ(nullptr, label) << index;
    BSTR id = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(S_OK, callbacks_->GetItemIDCategory(nullptr, index, &id));
    EXPECT_EQ(nullptr, id) << index;
    BSTR supertip = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(S_OK, callbacks_->GetItemSupertipComment(nullptr, index == 3 ? 2 : index, &supertip));
    EXPECT_EQ(nullptr, supertip) << index;
  }
  UniqueBstr existing;
  ASSERT_EQ(S_OK, callbacks_->GetItemIDSubject(nullptr, 1, existing.Put()));
  EXPECT_EQ(u"subject1", existing.Text());
}

TEST_F(CallbackArgumentsTest, NullTextArgumentsCountAsEmpty) {
  UniqueBstr name;
  ASSERT_EQ(S_OK, callbacks_->OnChangeName(nullptr, nullptr));
  ASSERT_EQ(S_OK, callbacks_->GetTextName(nullptr, name.Put()));
  ASSERT_TRUE(name);  // an empty name is a value, not "no value"
  EXPECT_EQ(u"", name.Text());

  BSTR typed = ::SysAllocString(L"Tom");
  ASSERT_EQ(S_OK, callbacks_->OnChangeName(nullptr, &typed));
  ::SysFreeString(typed);
  typed = nullptr;
  ASSERT_EQ(S_OK, callbacks_->OnChangeName(nullptr, &typed));
  ASSERT_EQ(S_OK, callbacks_->GetTextName(nullptr, name.Put()));
  EXPECT_EQ(u"", name.Text());
}

// Text reaches the core and comes back unchanged, surrogate pairs and embedded nulls included.
TEST_F(CallbackArgumentsTest, TypedNameRoundTripsThroughDispatch) {
  LogIn();
  using namespace std::string_literals;
  const std::wstring typed = L"Zo\u00EB \U0001F600 O'Neil\0x"s;
  ASSERT_EQ(S_OK, host_->Type(L"name", typed));
  UniqueBstr name;
  ASSERT_EQ(S_OK, callbacks_->GetTextName(nullptr, name.Put()));
  EXPECT_EQ(std::u16string(typed.begin(), typed.end()), name.Text());
}

TEST_F(CallbackArgumentsTest, RibbonObjectWithoutRibbonInterfaceLeavesTheAddinWithoutRibbon) {
  const auto notRibbon = win::ComPtr<IDispatch>::Attach(new standin::StandinAddInInstance());
  ASSERT_EQ(S_OK, callbacks_->RibbonLoaded(notRibbon.Get()));
  EXPECT_FALSE(addin_->HasRibbon());
  // Every invalidation now fails, after the model has changed.
  EXPECT_EQ(E_POINTER, callbacks_->PressGirl(nullptr, nullptr));
  VARIANT_BOOL pressed = VARIANT_FALSE;
  ASSERT_EQ(S_OK, callbacks_->GetPressedGirl(nullptr, &pressed));
  EXPECT_EQ(VARIANT_TRUE, pressed);

  ASSERT_EQ(S_OK, callbacks_->RibbonLoaded(nullptr));
  EXPECT_FALSE(addin_->HasRibbon());
}

TEST_F(CallbackArgumentsTest, RibbonLoadedReplacesTheEarlierRibbon) {
  auto state = std::make_shared<standin::HostState>();
  const auto second = win::ComPtr<IDispatch>::Attach(new standin::StandinRibbonUi(state));
  ASSERT_EQ(S_OK, callbacks_->RibbonLoaded(second.Get()));
  ASSERT_EQ(S_OK, callbacks_->PressBoy(nullptr, nullptr));
  EXPECT_EQ((std::vector<std::wstring>{L"boy", L"girl", L"they", L"category", L"comment"}), state->invalidations);
  EXPECT_TRUE(host_->State().invalidations.empty());
}

}  // namespace
}  // namespace quillbox::testing
