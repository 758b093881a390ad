#pragma once
// The ribbon strip's measures, in pixels, and the attributes that decide a control's shape.

#include "word-standin/ribbon_model.h"

namespace quillbox::standin::strip {

constexpr int kTabHeight = 24;
constexpr int kControlHeight = 22;
constexpr int kRowStep = 24;  // a small control and the gap below it
constexpr int kRowsPerColumn = 3;
constexpr int kContentHeight = kRowsPerColumn * kRowStep;
constexpr int kLargeHeight = kContentHeight - 2;
constexpr int kLabelHeight = 16;
constexpr int kGap = 4;
constexpr int kPad = 6;
constexpr wchar_t kGalleryArrow[] = L" \x25BE";
constexpr wchar_t kDefaultSizeString[] = L"MMMMMMMMMMMM";

inline bool IsLarge(const RibbonControl& control) {
  return control.Attribute(L"size").value_or(L"") == L"large";
}

// An edit box or drop-down shows its label in front of it unless showLabel is "false".
inline bool ShowsCaption(const RibbonControl& control) {
  return control.Attribute(L"showLabel").value_or(L"true") != L"false" &&
         (control.Attribute(L"label") || control.Attribute(L"getLabel"));
}

}  // namespace quillbox::standin::strip
