#include "word-standin/ribbon_strip.h"

#include <algorithm>

#include "word-standin/ribbon_strip_metrics.h"

namespace quillbox::standin {

using namespace strip;

int RibbonStrip::TextWidth(const std::wstring& text) const {
  HDC context = ::GetDC(strip_.Get());
  const HGDIOBJ old = ::SelectObject(context, font_);
  SIZE size{};
  ::GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(context, old);
  ::ReleaseDC(strip_.Get(), context);
  return size.cx;
}

SIZE RibbonStrip::LeafSize(size_t index) const {
  const RibbonControl& control = host_.View()->Model().Controls()[index];
  const std::wstring label = host_.View()->Label(index).value_or(L"");
  const int height = IsLarge(control) ? kLargeHeight : kControlHeight;
  if (control.kind == L"labelControl") return {TextWidth(label) + 4, kControlHeight};
  if (control.kind == L"button" || control.kind == L"toggleButton") {
    return {std::max(TextWidth(label) + 16, IsLarge(control) ? 64 : 24), height};
  }
  if (control.kind == L"gallery") return {std::max(TextWidth(label + kGalleryArrow) + 16, 64), height};
  if (control.kind == L"editBox" || control.kind == L"dropDown") {
    int width = TextWidth(control.Attribute(L"sizeString").value_or(kDefaultSizeString)) +
                (control.kind == L"dropDown" ? 28 : 10);
    if (ShowsCaption(control)) width += TextWidth(label) + kGap;
    return {width, kControlHeight};
  }
  return {0, 0};
}

void RibbonStrip::Place(size_t index, int x, int y, SIZE size) {
  const RibbonControl& control = host_.View()->Model().Controls()[index];
  Slot& slot = slots_[index];
  placed_[index] = true;
  int controlX = x;
  int controlWidth = size.cx;
  if (slot.extra) {
    const int captionWidth = TextWidth(host_.View()->Label(index).value_or(L"")) + kGap;
    ::MoveWindow(slot.extra.Get(), x, y, captionWidth, size.cy, FALSE);
    controlX += captionWidth;
    controlWidth -= captionWidth;
  }
  // A combo box's height includes its open list.
  const int height = control.kind == L"dropDown" ? 240 : size.cy;
  ::MoveWindow(slot.window.Get(), controlX, y, controlWidth, height, TRUE);
}

SIZE RibbonStrip::Arrange(size_t index, int x, int y) {
  const RibbonView& view = *host_.View();
  const RibbonControl& control = view.Model().Controls()[index];
  if (control.kind != L"box") {
    const SIZE size = LeafSize(index);
    if (size.cx > 0 && slots_[index].window) Place(index, x, y, size);
    return size;
  }
  const bool horizontal = control.Attribute(L"boxStyle").value_or(L"horizontal") == L"horizontal";
  SIZE total{0, 0};
  for (const size_t child : children_[index]) {
    if (!view.Displayed(child)) continue;
    const SIZE size = horizontal ? Arrange(child, x + total.cx, y) : Arrange(child, x, y + total.cy);
    if (size.cx == 0) continue;
    if (horizontal) {
      total.cx += size.cx + 2;
      total.cy = std::max(total.cy, size.cy);
    } else {
      total.cx = std::max(total.cx, size.cx);
      total.cy += kRowStep;
    }
  }
  if (horizontal && total.cx > 0) total.cx -= 2;
  return total;
}

// Large controls and boxes take a column each; small controls stack three to a column.
SIZE RibbonStrip::ArrangeGroup(size_t group, int x, int y) {
  const RibbonView& view = *host_.View();
  const auto& controls = view.Model().Controls();
  int columnX = x + kPad;
  int columnWidth = 0;
  int rows = 0;
  const auto endColumn = [&] {
    if (columnWidth > 0) columnX += columnWidth + kGap;
    columnWidth = 0;
    rows = 0;
  };
  for (const size_t child : children_[group]) {
    if (!view.Displayed(child)) continue;
    const RibbonControl& control = controls[child];
    if (control.kind == L"box" || IsLarge(control)) {
      endColumn();
      const SIZE size = Arrange(child, columnX, y);
      if (size.cx > 0) columnX += size.cx + kGap;
      continue;
    }
    if (rows == kRowsPerColumn) endColumn();
    const SIZE size = Arrange(child, columnX, y + rows * kRowStep);
    if (size.cx == 0) continue;
    columnWidth = std::max(columnWidth, static_cast<int>(size.cx));
    ++rows;
  }
  endColumn();
  const std::wstring label = view.Label(group).value_or(L"");
  const int width = std::max(columnX - kGap - x + kPad, TextWidth(label) + 2 * kPad);
  placed_[group] = true;
  ::MoveWindow(slots_[group].window.Get(), x, y + kContentHeight + 2, width, kLabelHeight, TRUE);
  ::MoveWindow(slots_[group].extra.Get(), x + width + kGap / 2 - 1, y, 2, kContentHeight + kLabelHeight, TRUE);
  return {width, kContentHeight + kLabelHeight};
}

}  // namespace quillbox::standin
