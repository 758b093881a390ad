#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace quillbox {

// What the service returned for one subject. Group names keep the reply's order and may
// repeat; the comments of a repeated name are those of its first occurrence.
struct SubjectEntry {
  std::vector<std::u16string> commentGroupNames;
  std::unordered_map<std::u16string, std::vector<std::u16string>> commentsByGroupName;
};

}  // namespace quillbox
