#pragma once
// Reads a DLGTEMPLATEEX dialog resource back from a module, as the dialog manager sees it.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quillbox::testing {

struct DialogItemTemplate {
  DWORD id = 0;
  std::wstring windowClass;  // upper case (class names ignore case); ordinals by name: "BUTTON", ...
  std::wstring text;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
  std::wstring caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  WORD fontSize = 0;
  WORD fontWeight = 0;
  std::wstring fontName;
  std::vector<DialogItemTemplate> items;
};

// Nothing when the module has no such dialog or it is not an extended template.
std::optional<DialogTemplate> LoadDialogTemplate(HMODULE module, WORD resourceId);

}  // namespace quillbox::testing
