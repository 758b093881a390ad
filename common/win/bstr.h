#pragma once
// Owning BSTR: SysFreeString on destruction. Allocation failure throws ComError(E_OUTOFMEMORY),
// so a caller never hands a null string to Word or Office by accident.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

#include "common/com_error.h"

namespace quillbox::win {

class UniqueBstr {
 public:
  UniqueBstr() noexcept = default;
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  UniqueBstr(UniqueBstr&& other) noexcept : text_(other.Release()) {}
  UniqueBstr& operator=(UniqueBstr&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~UniqueBstr() { Reset(); }

  // A new BSTR holding text (which may contain null characters).
  static UniqueBstr FromText(std::u16string_view text) {
    return FromWide(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
  }
  static UniqueBstr FromWide(std::wstring_view text) {
    UniqueBstr result;
    result.text_ = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!result.text_) throw ComError(hr::kOutOfMemory);
    return result;
  }
  // Takes ownership of a BSTR the caller was handed.
  static UniqueBstr Attach(BSTR text) noexcept {
    UniqueBstr result;
    result.text_ = text;
    return result;
  }

  BSTR Get() const noexcept { return text_; }
  BSTR Release() noexcept { return std::exchange(text_, nullptr); }
  void Reset(BSTR text = nullptr) noexcept {
    if (BSTR old = std::exchange(text_, text)) ::SysFreeString(old);
  }
  // Out-parameter address for calls that hand back a new BSTR; frees any current one.
  BSTR* Put() noexcept {
    Reset();
    return &text_;
  }
  explicit operator bool() const noexcept { return text_ != nullptr; }

  // The text; a null BSTR reads as the empty string.
  std::u16string Text() const { return TextOf(text_); }
  static std::u16string TextOf(BSTR text) {
    if (!text) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(text), ::SysStringLen(text));
  }

 private:
  BSTR text_ = nullptr;
};

}  // namespace quillbox::win
