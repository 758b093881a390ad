#pragma once
// The ribbon as the stand-in Office reads it from the add-in's custom-UI XML: the onLoad
// callback and every control below <tabs>, in document order, each with its attributes and
// the position of its parent. Nothing here knows the add-in's controls by name.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "word-standin/xml_reader.h"

namespace quillbox::standin {

struct RibbonControl {
  std::wstring kind;  // the element name: tab, group, button, box, editBox, dropDown, ...
  std::wstring id;
  std::optional<size_t> parent;  // index into the model's controls
  int depth = 0;                 // 0 for a tab
  std::vector<std::pair<std::wstring, std::wstring>> attributes;

  std::optional<std::wstring> Attribute(std::wstring_view name) const;
};

class RibbonModel {
 public:
  // Throws XmlError when the document is not a custom UI with a ribbon.
  static RibbonModel FromCustomUi(const XmlElement& customUi);

  const std::optional<std::wstring>& OnLoad() const noexcept { return onLoad_; }
  const std::vector<RibbonControl>& Controls() const noexcept { return controls_; }
  // The index of the control with this id, or nothing.
  std::optional<size_t> Find(std::wstring_view id) const;

 private:
  void Add(const XmlElement& element, std::optional<size_t> parent, int depth);

  std::optional<std::wstring> onLoad_;
  std::vector<RibbonControl> controls_;
};

}  // namespace quillbox::standin
