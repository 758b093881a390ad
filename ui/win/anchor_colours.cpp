#include "ui/win/anchor_colours.h"

#include <optional>
#include <string_view>

#include "common/win/unique_handle.h"
#include "ui/link_colour.h"

namespace quillbox::win {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

std::optional<COLORREF> ReadColour(HKEY key, const wchar_t* name) noexcept {
  // Room for more than the longest valid value, so an over-long one is read and refused by
  // the parser; anything longer still fails here with ERROR_MORE_DATA.
  char16_t data[32] = {};
  DWORD type = 0;
  DWORD size = sizeof(data);
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  const auto colour = ParseAnchorColour(std::u16string_view(data, size / sizeof(char16_t)));
  if (!colour) return std::nullopt;
  return RGB(colour->red, colour->green, colour->blue);
}

}  // namespace

AnchorColours ReadAnchorColours(AnchorColours defaults) noexcept {
  UniqueRegKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS) {
    return defaults;
  }
  AnchorColours colours = defaults;
  if (auto link = ReadColour(key.Get(), L"Anchor Color")) colours.link = *link;
  if (auto visited = ReadColour(key.Get(), L"Anchor Color Visited")) colours.visited = *visited;
  return colours;
}

}  // namespace quillbox::win
