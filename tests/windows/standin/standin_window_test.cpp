// The stand-in window built from a small test ribbon and a fake add-in: the strip shows the
// controls the XML and the callbacks describe, re-reads only what the add-in invalidates, and
// the document pane's selection is where the add-in writes.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_ribbon_addin.h"
#include "word-standin/standin_window.h"
#include "word-standin/transcript.h"
#include "word-standin/word_host.h"

namespace quillbox::standin::testing {
namespace {

constexpr wchar_t kRibbonXml[] = LR"(<?xml version="1.0"?>
<customUI xmlns="http://schemas.microsoft.com/office/2006/01/customui" onLoad="Loaded">
  <ribbon startFromScratch="false">
    <tabs>
      <tab id="marks" label="Marks">
        <group id="pupil" label="Pupil">
          <button id="hello" label="Hello" onAction="Hello" size="large" />
          <button id="count" getLabel="CountLabel" onAction="Count" />
          <toggleButton id="star" label="Star" getPressed="StarPressed" onAction="Star" />
          <box id="column" boxStyle="vertical">
            <labelControl id="note" label="Nickname" />
            <editBox id="nick" getText="NickText" onChange="NickChanged" showLabel="false" />
          </box>
          <dropDown id="term" getItemCount="TermCount" getItemLabel="TermLabel" getItemID="TermId"
                    getSelectedItemIndex="TermSelected" onAction="TermChosen" />
        </group>
        <group id="phrases" label="Phrases" getVisible="PhrasesVisible">
          <gallery id="phrase" getLabel="PhraseLabel" getItemCount="PhraseCount" getItemLabel="PhraseText"
                   getItemID="PhraseId" getItemSupertip="PhraseTip" onAction="PhraseChosen" size="large" />
        </group>
      </tab>
    </tabs>
  </ribbon>
</customUI>)";

const std::vector<std::wstring> kTerms = {L"Autumn", L"Spring", L"Summer"};
const std::vector<std::wstring> kPhrases = {L"Works hard. ", L"Reads & writes well. "};

std::wstring WindowText(HWND window) {
  wchar_t text[512] = L"";
  ::GetWindowTextW(window, text, 512);
  return text;
}

std::wstring TextOf(const VARIANT* argument) {
  const VARIANT* value = argument->vt == (VT_BSTR | VT_BYREF) ? nullptr : argument;
  const BSTR text = value ? value->bstrVal : *argument->pbstrVal;
  return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}

// What the fake add-in holds, changed by its actions and by the tests.
struct Model {
  long count = 0;
  bool star = false;
  std::wstring nick = L"Nick";
  long term = 1;
  bool phrasesVisible = false;
  std::vector<std::wstring> chosen;  // "callback id index" or "callback text"
};

class StandinWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::map<std::wstring, Callback> callbacks = {
        {L"Hello", [](auto&, VARIANT*) { return S_OK; }},
        {L"CountLabel", [this](auto&, VARIANT* r) { return ReturnText(r, L"Count " + std::to_wstring(model_.count)); }},
        {L"Count",
         [this](auto&, VARIANT*) {
           ++model_.count;
           return addin_->Invalidate(L"count");
         }},
        {L"StarPressed", [this](auto&, VARIANT* r) { return ReturnFlag(r, model_.star); }},
        {L"Star",
         [this](const std::vector<VARIANT*>& a, VARIANT*) {
           model_.chosen.push_back(L"Star " + std::to_wstring(*a.at(1)->pboolVal != VARIANT_FALSE));
           model_.star = true;  // a star, once given, stays
           return addin_->Invalidate(L"star");
         }},
        {L"NickText", [this](auto&, VARIANT* r) { return ReturnText(r, model_.nick); }},
        {L"NickChanged",
         [this](const std::vector<VARIANT*>& a, VARIANT*) {
           model_.chosen.push_back(L"NickChanged " + TextOf(a.at(1)));
           return S_OK;
         }},
        {L"TermCount", [](auto&, VARIANT* r) { return ReturnLong(r, static_cast<long>(kTerms.size())); }},
        {L"TermLabel", [](const std::vector<VARIANT*>& a, VARIANT* r) { return ReturnText(r, kTerms.at(a.at(1)->lVal)); }},
        {L"TermId",
         [](const std::vector<VARIANT*>& a, VARIANT* r) { return ReturnText(r, L"term" + std::to_wstring(a.at(1)->lVal)); }},
        {L"TermSelected", [this](auto&, VARIANT* r) { return ReturnLong(r, model_.term); }},
        {L"TermChosen",
         [this](const std::vector<VARIANT*>& a, VARIANT*) {
           model_.chosen.push_back(L"TermChosen " + TextOf(a.at(1)) + L" " + std::to_wstring(a.at(2)->lVal));
           return S_OK;
         }},
        {L"PhrasesVisible", [this](auto&, VARIANT* r) { return ReturnFlag(r, model_.phrasesVisible); }},
        {L"PhraseLabel", [](auto&, VARIANT* r) { return ReturnText(r, L"Phrases"); }},
        {L"PhraseCount", [](auto&, VARIANT* r) { return ReturnLong(r, static_cast<long>(kPhrases.size())); }},
        {L"PhraseText",
         [](const std::vector<VARIANT*>& a, VARIANT* r) { return ReturnText(r, kPhrases.at(a.at(1)->lVal)); }},
        {L"PhraseTip",
         [](const std::vector<VARIANT*>& a, VARIANT* r) {
           return ReturnText(r, L"Whole: " + kPhrases.at(a.at(1)->lVal));
         }},
        {L"PhraseId",
         [](const std::vector<VARIANT*>& a, VARIANT* r) { return ReturnText(r, L"phrase" + std::to_wstring(a.at(1)->lVal)); }},
        {L"PhraseChosen",
         [this](const std::vector<VARIANT*>& a, VARIANT*) {
           model_.chosen.push_back(L"PhraseChosen " + TextOf(a.at(1)) + L" " + std::to_wstring(a.at(2)->lVal));
           return addin_->WriteAtSelection(kPhrases.at(a.at(2)->lVal));
         }},
    };
    addin_ = win::ComPtr<FakeRibbonAddin>::Attach(new FakeRibbonAddin(kRibbonXml, std::move(callbacks)));
    host_ = std::make_unique<WordHost>(win::ComPtr<IUnknown>(static_cast<_IDTExtensibility2*>(addin_.Get())), out_);
    ASSERT_EQ(host_->Start(), S_OK);
    window_ = std::make_unique<StandinWindow>(*host_, out_);
    ::ShowWindow(window_->Handle(), SW_SHOWNA);
    addin_->Calls().clear();
  }

  void TearDown() override {
    window_.reset();
    host_.reset();
    EXPECT_TRUE(out_.Lines().empty()) << "first transcript line: " << std::string(out_.Lines()[0].begin(), out_.Lines()[0].end());
  }

  HWND Control(const wchar_t* id) { return window_->Strip().ControlWindow(id); }
  size_t IndexOf(const wchar_t* id) { return *host_->View()->Model().Find(id); }
  // Makes the phrase group appear, as an add-in does after a log-in.
  void ShowPhrases() {
    model_.phrasesVisible = true;
    ASSERT_EQ(addin_->Invalidate(L"phrases"), S_OK);
    window_->Strip().Pressed(IndexOf(L"hello"));
  }
  void SetPane(const std::wstring& text, long start, long end) {
    ::SetWindowTextW(window_->Pane().Handle(), text.c_str());
    ::SendMessageW(window_->Pane().Handle(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  }

  Model model_;
  CollectedTranscript out_;
  win::ComPtr<FakeRibbonAddin> addin_;
  std::unique_ptr<WordHost> host_;
  std::unique_ptr<StandinWindow> window_;
};

TEST_F(StandinWindowTest, StripShowsEachControlAsTheXmlAndCallbacksDescribeIt) {
  struct Expected {
    const wchar_t* id;
    const wchar_t* windowClass;
    const wchar_t* text;
    bool visible;
  };
  const Expected table[] = {
      {L"pupil", L"Static", L"Pupil", true},            // the group's label
      {L"hello", L"Button", L"Hello", true},            // label attribute
      {L"count", L"Button", L"Count 0", true},          // getLabel
      {L"star", L"Button", L"Star", true},
      {L"note", L"Static", L"Nickname", true},
      {L"nick", L"Edit", L"Nick", true},                // getText
      {L"term", L"ComboBox", L"Spring", true},          // items and getSelectedItemIndex
      {L"phrases", L"Static", L"", false},              // getVisible said no: not filled in
      {L"phrase", L"Button", L"", false},               // never read inside a hidden group
  };
  for (const Expected& expected : table) {
    SCOPED_TRACE(std::string(expected.id, expected.id + wcslen(expected.id)));
    HWND window = Control(expected.id);
    ASSERT_NE(window, nullptr);
    wchar_t windowClass[64] = L"";
    ::GetClassNameW(window, windowClass, 64);
    EXPECT_EQ(_wcsicmp(windowClass, expected.windowClass), 0);
    EXPECT_EQ(WindowText(window), expected.text);
    EXPECT_EQ(::IsWindowVisible(window) != FALSE, expected.visible);
  }
  EXPECT_EQ(::SendMessageW(Control(L"term"), CB_GETCOUNT, 0, 0), 3);
  const LONG_PTR toggleStyle = ::GetWindowLongPtrW(Control(L"star"), GWL_STYLE);
  EXPECT_EQ(toggleStyle & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_TRUE(toggleStyle & BS_PUSHLIKE);
  EXPECT_EQ(::SendMessageW(Control(L"star"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // The vertical box stacks its label above its edit box; the large button is as tall as both.
  RECT label{}, edit{}, large{}, small{};
  ::GetWindowRect(Control(L"note"), &label);
  ::GetWindowRect(Control(L"nick"), &edit);
  ::GetWindowRect(Control(L"hello"), &large);
  ::GetWindowRect(Control(L"count"), &small);
  EXPECT_EQ(label.left, edit.left);
  EXPECT_GT(edit.top, label.top);
  EXPECT_GT(large.bottom - large.top, 2 * (small.bottom - small.top));
}

TEST_F(StandinWindowTest, AnActionRereadsExactlyTheControlsItInvalidated) {
  struct Case {
    const wchar_t* press;
    std::vector<std::wstring> calls;  // the action, then the getters of what it invalidated
    const wchar_t* shows;
    const wchar_t* text;
  };
  const Case cases[] = {
      {L"count", {L"Count", L"CountLabel"}, L"count", L"Count 1"},
      {L"count", {L"Count", L"CountLabel"}, L"count", L"Count 2"},
      {L"hello", {L"Hello"}, L"count", L"Count 2"},
  };
  for (const Case& c : cases) {
    addin_->Calls().clear();
    window_->Strip().Pressed(IndexOf(c.press));
    EXPECT_EQ(addin_->Calls(), c.calls);
    EXPECT_EQ(WindowText(Control(c.shows)), c.text);
  }
  // A value changed without an invalidation is not read: the box keeps showing the old one.
  model_.nick = L"Changed";
  window_->Strip().Pressed(IndexOf(L"hello"));
  EXPECT_EQ(WindowText(Control(L"nick")), L"Nick");
}

TEST_F(StandinWindowTest, InvalidatingAHiddenGroupShowsItAndReadsItsControls) {
  ShowPhrases();
  EXPECT_EQ(addin_->Calls(),
            (std::vector<std::wstring>{L"Hello", L"PhrasesVisible", L"PhraseLabel", L"PhraseCount", L"PhraseId",
                                       L"PhraseText", L"PhraseTip", L"PhraseId", L"PhraseText", L"PhraseTip"}));
  EXPECT_TRUE(::IsWindowVisible(Control(L"phrase")));
  EXPECT_EQ(WindowText(Control(L"phrase")).rfind(L"Phrases", 0), 0u);

  const UniqueMenu menu = GalleryMenu(host_->View()->State(IndexOf(L"phrase")).items.value(), std::nullopt);
  ASSERT_EQ(::GetMenuItemCount(menu.Get()), 2);
  wchar_t item[64] = L"";
  ::GetMenuStringW(menu.Get(), 2, item, 64, MF_BYCOMMAND);
  EXPECT_STREQ(item, L"Reads && writes well. ");  // shown with its ampersand, not as an access key
}

TEST_F(StandinWindowTest, ControlsDeliverTheTeachersActionsWithOfficesArguments) {
  // Toggle: the click passes the new state; the add-in's answer decides the look.
  ::SendMessageW(Control(L"star"), BM_CLICK, 0, 0);
  EXPECT_EQ(::SendMessageW(Control(L"star"), BM_GETCHECK, 0, 0), BST_CHECKED);
  ::SendMessageW(Control(L"star"), BM_CLICK, 0, 0);
  EXPECT_EQ(::SendMessageW(Control(L"star"), BM_GETCHECK, 0, 0), BST_CHECKED);

  // Drop-down: the chosen item's id and position.
  ::SendMessageW(Control(L"term"), CB_SETCURSEL, 2, 0);
  ::SendMessageW(window_->Strip().Handle(), WM_COMMAND,
                 MAKEWPARAM(::GetDlgCtrlID(Control(L"term")), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(Control(L"term")));

  // Edit box: Enter ends the editing; leaving it unchanged afterwards says nothing more.
  ::SetWindowTextW(Control(L"nick"), L"Amira");
  ::SendMessageW(Control(L"nick"), WM_KEYDOWN, VK_RETURN, 0);
  ::SendMessageW(window_->Strip().Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Control(L"nick")), EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(Control(L"nick")));
  // Leaving it changed is the other way to end the editing.
  ::SetWindowTextW(Control(L"nick"), L"Tom");
  ::SendMessageW(window_->Strip().Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Control(L"nick")), EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(Control(L"nick")));

  EXPECT_EQ(model_.chosen, (std::vector<std::wstring>{L"Star 1", L"Star 0", L"TermChosen term2 2",
                                                      L"NickChanged Amira", L"NickChanged Tom"}));
  EXPECT_EQ(WindowText(Control(L"nick")), L"Tom");
}

TEST_F(StandinWindowTest, ChoosingAGalleryItemWritesAtThePanesSelection) {
  ShowPhrases();
  struct Case {
    const wchar_t* typed;
    long start, end;
    long item;
    const wchar_t* text;
    long caret;
  };
  const Case cases[] = {
      {L"Tom\r\n", 5, 5, 0, L"Tom\r\nWorks hard. ", 17},              // at the end
      {L"Tom. Fine.", 5, 5, 0, L"Tom. Works hard. Fine.", 17},          // at the cursor in the middle
      {L"Tom. XXX Fine.", 5, 9, 1, L"Tom. Reads & writes well. Fine.", 26},  // over the selected stretch
  };
  for (const Case& c : cases) {
    SetPane(c.typed, c.start, c.end);
    window_->Strip().Chose(IndexOf(L"phrase"), c.item);
    EXPECT_EQ(WindowText(window_->Pane().Handle()), c.text);
    DWORD start = 0, end = 0;
    ::SendMessageW(window_->Pane().Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(static_cast<long>(start), c.caret);
    EXPECT_EQ(static_cast<long>(end), c.caret);
  }
  EXPECT_EQ(model_.chosen.back(), L"PhraseChosen phrase1 1");
}

// The line below the document shows the supertip of the gallery item the pointer rests on: the
// item highlighted in the open list (here by the keyboard), or the one a script hovers over.
TEST_F(StandinWindowTest, TipLineShowsTheSupertipOfTheHighlightedItem) {
  ShowPhrases();
  EXPECT_EQ(WindowText(window_->TipLine()), L"");
  // The open list takes these from the queue: the first item is highlighted, then the list closes.
  ::PostMessageW(window_->Strip().Handle(), WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(window_->Strip().Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  window_->Strip().Pressed(IndexOf(L"phrase"));
  EXPECT_EQ(WindowText(window_->TipLine()), L"Phrases: Whole: Works hard. ");
  EXPECT_TRUE(model_.chosen.empty()) << "nothing was chosen";

  window_->Drive({L"hover phrase 1", L"close"}, 10);
  EXPECT_TRUE(window_->Run());
  EXPECT_EQ(WindowText(window_->TipLine()), L"Phrases: Whole: Reads & writes well. ");
}

}  // namespace
}  // namespace quillbox::standin::testing
