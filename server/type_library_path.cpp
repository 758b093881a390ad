#include "server/type_library_path.h"

namespace quillbox {

std::u16string TypeLibraryFallbackPath(std::u16string_view libraryPath) {
  const size_t separator = libraryPath.find_last_of(u"\\/");
  const size_t elementStart = separator == std::u16string_view::npos ? 0 : separator + 1;
  const size_t dot = libraryPath.find_last_of(u'.');
  std::u16string path(libraryPath);
  if (dot != std::u16string_view::npos && dot >= elementStart) path.erase(dot);
  path.append(u".tlb");
  return path;
}

}  // namespace quillbox
