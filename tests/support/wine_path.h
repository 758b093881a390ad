#pragma once
// Build and state paths reach the Windows-side tests as Unix paths; Wine shows the Unix root as
// drive Z:.

#include <string>
#include <string_view>

namespace quillbox::testing {

// The Unix path as a Wine program sees it: "Z:" and the path with back-slashes.
inline std::string WinePath(std::string_view unixPath) {
  std::string path = "Z:";
  for (char c : unixPath) path += c == '/' ? '\\' : c;
  return path;
}

// The same, for the wide-character Windows functions (build paths are ASCII).
inline std::wstring WideWinePath(std::string_view unixPath) {
  const std::string path = WinePath(unixPath);
  return std::wstring(path.begin(), path.end());
}

}  // namespace quillbox::testing
