#include "dialog_template.h"

#include <cstring>

namespace quillbox::testing {
namespace {

class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : start_(data), at_(data) {}

  template <typename T>
  T Read() {
    T value;
    std::memcpy(&value, at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }

  std::wstring ReadString() {
    std::wstring text;
    for (wchar_t c = Read<wchar_t>(); c != L'\0'; c = Read<wchar_t>()) text += c;
    return text;
  }

  // A name or an ordinal: 0 for none, 0xFFFF and a number, or a string.
  std::wstring ReadNameOrOrdinal() {
    WORD first;
    std::memcpy(&first, at_, sizeof(first));
    if (first == 0) {
      at_ += sizeof(WORD);
      return {};
    }
    if (first == 0xFFFF) {
      at_ += sizeof(WORD);
      return OrdinalName(Read<WORD>());
    }
    return ReadString();
  }

  void AlignToDword() {
    const size_t offset = static_cast<size_t>(at_ - start_);
    at_ += (4 - offset % 4) % 4;
  }
  void Skip(size_t bytes) { at_ += bytes; }

 private:
  static std::wstring OrdinalName(WORD ordinal) {
    switch (ordinal) {
      case 0x80: return L"BUTTON";
      case 0x81: return L"EDIT";
      case 0x82: return L"STATIC";
      case 0x83: return L"LISTBOX";
      case 0x84: return L"SCROLLBAR";
      case 0x85: return L"COMBOBOX";
      default: return L"#" + std::to_wstring(ordinal);
    }
  }

  const BYTE* start_;
  const BYTE* at_;
};

}  // namespace

std::optional<DialogTemplate> LoadDialogTemplate(HMODULE module, WORD resourceId) {
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_DIALOG);
  if (!resource) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(module, resource);
  const auto* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  if (!data) return std::nullopt;

  TemplateReader reader(data);
  const WORD version = reader.Read<WORD>();
  const WORD signature = reader.Read<WORD>();
  if (version != 1 || signature != 0xFFFF) return std::nullopt;

  DialogTemplate dialog;
  reader.Read<DWORD>();  // help id
  dialog.exStyle = reader.Read<DWORD>();
  dialog.style = reader.Read<DWORD>();
  const WORD itemCount = reader.Read<WORD>();
  dialog.x = reader.Read<short>();
  dialog.y = reader.Read<short>();
  dialog.cx = reader.Read<short>();
  dialog.cy = reader.Read<short>();
  reader.ReadNameOrOrdinal();  // menu
  reader.ReadNameOrOrdinal();  // window class
  dialog.caption = reader.ReadString();
  if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
    dialog.fontSize = reader.Read<WORD>();
    dialog.fontWeight = reader.Read<WORD>();
    reader.Read<BYTE>();  // italic
    reader.Read<BYTE>();  // character set
    dialog.fontName = reader.ReadString();
  }

  for (WORD i = 0; i < itemCount; ++i) {
    reader.AlignToDword();
    DialogItemTemplate item;
    reader.Read<DWORD>();  // help id
    item.exStyle = reader.Read<DWORD>();
    item.style = reader.Read<DWORD>();
    item.x = reader.Read<short>();
    item.y = reader.Read<short>();
    item.cx = reader.Read<short>();
    item.cy = reader.Read<short>();
    item.id = reader.Read<DWORD>();
    item.windowClass = reader.ReadNameOrOrdinal();
    ::CharUpperW(item.windowClass.data());
    item.text = reader.ReadNameOrOrdinal();
    reader.Skip(reader.Read<WORD>());  // creation data
    dialog.items.push_back(item);
  }
  return dialog;
}

}  // namespace quillbox::testing
