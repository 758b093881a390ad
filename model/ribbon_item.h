#pragma once

#include <string>

namespace quillbox {

// One entry of a list that the ribbon shows: the identifier handed to getItemID and the
// label handed to getItemLabel.
struct RibbonItem {
  std::u16string identifier;
  std::u16string label;
};

}  // namespace quillbox
