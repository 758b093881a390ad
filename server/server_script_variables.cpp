#include "server/server_script_variables.h"

#include "server/server_identity.h"

namespace quillbox {

ReplacementVariables ServerScriptVariables(const ServerGuidTexts& guids, std::u16string_view modulePath) {
  ReplacementVariables variables;
  variables.Set(u"PROGID", kProgId);
  variables.Set(u"VERSION", kProgIdVersion);
  variables.Set(u"DESCRIPTION", kServerDescription);
  variables.Set(u"DESCRIPTION2", kServerDescription);
  variables.Set(u"CLSID", guids.clsid);
  variables.Set(u"LIBID", guids.libid);
  variables.Set(u"THREADING", kThreadingModel);
  variables.Set(u"APPID", guids.appid);
  const std::u16string module = DoubleSingleQuotes(modulePath);
  variables.Set(u"Module", module);
  variables.Set(u"Module_Raw", module);
  return variables;
}

}  // namespace quillbox
