#pragma once
// Replacement variables of the registration scripts: "%NAME%" in a script stands for the
// value of the variable NAME, names compared without regard to case; "%%" stands for one "%".

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "server/registrar_error.h"

namespace quillbox {

class ReplacementVariables {
 public:
  // Adds a variable; a name that is already there (in any case) gets the new value.
  void Set(std::u16string name, std::u16string value);
  // The value of the variable, or null when there is none by that name.
  const std::u16string* Find(std::u16string_view name) const;
  const std::vector<std::pair<std::u16string, std::u16string>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::u16string, std::u16string>> entries_;  // in the order added
};

struct ExpandedScript {
  std::u16string text;
  RegistrarError error;  // an unknown variable or a "%" without its partner
};

ExpandedScript ExpandVariables(std::u16string_view script, const ReplacementVariables& variables);

// The text with every single quote doubled, so that it can stand inside a quoted script string.
std::u16string DoubleSingleQuotes(std::u16string_view text);

}  // namespace quillbox
