#pragma once
// Where the type library is looked for when the library file itself does not hold one.

#include <string>
#include <string_view>

namespace quillbox {

// The path with the extension of its last element (the text after its last ".") replaced by
// ".tlb", or ".tlb" appended when that element has no ".".
std::u16string TypeLibraryFallbackPath(std::u16string_view libraryPath);

}  // namespace quillbox
