#include "import_patch.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace quillbox::testing {
namespace {

void WriteSlot(void** slot, void* value) {
  DWORD oldProtection = 0;
  if (!::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &oldProtection)) {
    throw std::runtime_error("cannot unprotect the import table");
  }
  *slot = value;
  ::VirtualProtect(slot, sizeof(void*), oldProtection, &oldProtection);
}

// The import table entry through which this program calls library!function.
void** FindImportSlot(const char* library, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
       ++entry) {
    if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

}  // namespace

ImportPatch::ImportPatch(const char* library, const char* function, void* replacement)
    : slot_(FindImportSlot(library, function)) {
  if (!slot_) throw std::runtime_error(std::string("the program does not import ") + function);
  original_ = *slot_;
  WriteSlot(slot_, replacement);
}

ImportPatch::~ImportPatch() { WriteSlot(slot_, original_); }

}  // namespace quillbox::testing
