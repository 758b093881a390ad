#pragma once
// The ribbon as a strip of real Win32 controls, built from the add-in's own ribbon XML and kept
// up to date from what the ribbon view holds (which reads a control's callbacks only when it is
// new or was invalidated). Nothing here knows the add-in's controls: every kind of control is
// drawn the same way for any custom UI.
//
//   tab           a tab header (tab control) above its groups
//   group         a column block with its label below and a separator, hidden by getVisible
//   box           its children stacked (boxStyle "vertical") or in a row ("horizontal")
//   labelControl  static text
//   button        push button; size "large" makes it as tall as the group
//   toggleButton  BS_AUTOCHECKBOX | BS_PUSHLIKE push-like check box, pushed while pressed
//   editBox       single-line edit; onChange when the teacher presses Enter or leaves it
//   dropDown      drop-down list combo box
//   gallery       a button with its label that opens a popup list of the items; the item
//                 under the pointer has its supertip (getItemSupertip) shown, as Office shows it
//                 on hover, through OnItemTip
//
// Other kinds are not shown. The teacher's actions go to the Word host, which runs the
// callbacks and reads the invalidated controls again; then the strip shows the new values.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/win/unique_handle.h"
#include "word-standin/ribbon_view.h"
#include "word-standin/word_host.h"

namespace quillbox::standin {

struct MenuTraits {
  using Handle = HMENU;
  static HMENU Invalid() noexcept { return nullptr; }
  static void Close(HMENU menu) noexcept { ::DestroyMenu(menu); }
};
using UniqueMenu = win::UniqueHandle<MenuTraits>;

// A gallery's popup list: one entry per item, command i + 1 for item i, the selected one checked.
UniqueMenu GalleryMenu(const std::vector<GalleryItem>& items, std::optional<long> selected);

class RibbonStrip {
 public:
  // Creates the strip as a child of parent with a control for each shown kind in the host's
  // ribbon; call Update to fill them in.
  RibbonStrip(HWND parent, WordHost& host, HFONT font);
  ~RibbonStrip();
  RibbonStrip(const RibbonStrip&) = delete;
  RibbonStrip& operator=(const RibbonStrip&) = delete;

  HWND Handle() const noexcept { return strip_.Get(); }
  int Height() const noexcept { return height_; }

  // Shows what the ribbon view holds now and lays the controls out again.
  void Update();
  // Called after every action of the teacher at the strip, once the strip is up to date.
  void OnChanged(std::function<void()> changed) { changed_ = std::move(changed); }

  // Called with the gallery's id and an item's supertip (its label when the gallery has no
  // getItemSupertip) while the item is highlighted in the gallery's open list.
  void OnItemTip(std::function<void(const std::wstring& galleryId, const std::wstring& tip)> show) {
    itemTip_ = std::move(show);
  }
  // The supertip of item N of the gallery with this id as the strip holds it, or nothing.
  std::optional<std::wstring> ItemTip(const std::wstring& galleryId, long item) const;
  // A copy of the icon of the picture the add-in gave the item (getItemImage), or null.
  HICON CopyItemIcon(const std::wstring& galleryId, long item) const;

  // The Win32 control that shows the ribbon control with this id, or null.
  HWND ControlWindow(const std::wstring& id) const;

  // The teacher's actions as the controls deliver them (also reachable from tests).
  void Pressed(size_t control);            // button, toggleButton, gallery (opens its list)
  void Committed(size_t control);          // editBox: Enter or leaving the box
  void Chose(size_t control, long item);   // dropDown or gallery item

 private:
  // What a Win32 control shows of its ribbon control, to change only what changed.
  struct Shown {
    std::wstring label;
    std::optional<std::wstring> text;
    bool pressed = false;
    std::vector<std::wstring> items;
    long selected = -1;
  };
  struct Slot {
    win::UniqueWindow window;    // the control; for a group, its label below the controls
    win::UniqueWindow extra;     // a group's separator, an edit box's or drop-down's caption
    std::optional<Shown> shown;  // nothing until the first Update
  };

  static LRESULT CALLBACK StripProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateControls();
  void Apply(Slot& slot);
  void UpdateTabs();
  bool OnCurrentTab(size_t control) const;
  // Layout (ribbon_strip_layout.cpp): Arrange and ArrangeGroup place what they measure.
  SIZE LeafSize(size_t control) const;
  SIZE Arrange(size_t control, int x, int y);
  SIZE ArrangeGroup(size_t control, int x, int y);
  void Place(size_t control, int x, int y, SIZE size);
  int TextWidth(const std::wstring& text) const;
  template <typename Action>
  void Act(Action&& action);

  WordHost& host_;
  HFONT font_;
  win::UniqueWindow strip_;
  win::UniqueWindow tabs_;
  std::vector<Slot> slots_;                      // one per ribbon control, by model index
  std::vector<std::vector<size_t>> children_;    // by model index
  std::vector<bool> placed_;                     // by model index: laid out by the last Update
  std::vector<size_t> tabControls_;              // model indices of the tabs shown as tab items
  size_t currentTab_ = 0;                        // position in tabControls_
  int height_ = 0;
  bool acting_ = false;
  std::function<void()> changed_;
  std::function<void(const std::wstring&, const std::wstring&)> itemTip_;
  std::optional<size_t> openGallery_;  // the gallery whose list is open
};

}  // namespace quillbox::standin
