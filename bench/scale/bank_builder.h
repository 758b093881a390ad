#pragma once
// A generated comment bank of a chosen size for the scale benchmark: subjects with comment
// groups of realistic comments (about 200 characters, with every personalisation marker and a
// few non-ASCII letters), written in the reference service's bank file format.

#include <cstddef>
#include <string>
#include <vector>

namespace quillbox::bench {

struct BankShape {
  int subjects = 50;
  int groupsPerSubject = 4;
  int totalComments = 10000;
  // Every group of the first subject holds this many comments (the group a click is timed
  // in); the rest of the total is spread as evenly as it goes over the other subjects' groups.
  int firstSubjectGroupSize = 500;
};

struct BankGroup {
  std::u16string name;
  std::vector<std::u16string> comments;
};

struct BankSubject {
  std::u16string name;
  std::vector<BankGroup> groups;
};

struct GeneratedBank {
  std::vector<BankSubject> subjects;

  size_t CommentCount() const;
  // What the add-in holds as text once every subject is loaded: subject names, group names
  // and comment texts, in bytes of UTF-16.
  size_t Utf16TextBytes() const;
};

// The shape must be possible: at least one subject and one group per subject, and the first
// subject's groups no bigger than the total. Throws std::invalid_argument otherwise.
GeneratedBank MakeBank(const BankShape& shape);

// The bank as the reference service's bank file, for one teacher.
std::string BankFileJson(const GeneratedBank& bank, const std::string& email, const std::string& password);

// A JSON string literal (quotes included) for UTF-8 text.
std::string JsonString(const std::string& utf8);

}  // namespace quillbox::bench
