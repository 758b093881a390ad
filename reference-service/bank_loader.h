#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "comment_bank.h"

namespace quillbox::reference {

class BankFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a comment bank from JSON text of the form
//   {"teachers": [{"email": "...", "password": "...",
//                  "subjects": [{"name": "...",
//                                "tabs": [{"name": "...", "comments": ["...", ...]}]}]}]}
// Throws BankFormatError, naming the offending place, when the text is not of that form.
std::vector<BankTeacher> ParseBankJson(const std::string& jsonText);

// Reads and parses a bank file; throws BankFormatError when it cannot be read or parsed.
std::vector<BankTeacher> LoadBankFile(const std::string& path);

}  // namespace quillbox::reference
