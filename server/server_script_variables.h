#pragma once
// The replacement variables the COM server offers its registration scripts.

#include <string>
#include <string_view>

#include "server/registrar_variables.h"

namespace quillbox {

// Identifiers in registry form: braces and upper-case hexadecimal.
struct ServerGuidTexts {
  std::u16string clsid;
  std::u16string libid;
  std::u16string appid;
};

// PROGID, VERSION, DESCRIPTION, DESCRIPTION2, CLSID, LIBID, THREADING, APPID, Module and
// Module_Raw, in that order. Both module variables hold modulePath with every single quote
// doubled, since the scripts put them inside quoted strings.
ReplacementVariables ServerScriptVariables(const ServerGuidTexts& guids, std::u16string_view modulePath);

}  // namespace quillbox
