#pragma once
// Owning VARIANT: VariantClear on destruction, so strings and interface pointers held in a
// result are freed on every path.

#include <windows.h>

#include <oleauto.h>

namespace quillbox::win {

class UniqueVariant {
 public:
  UniqueVariant() noexcept { ::VariantInit(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { ::VariantClear(&value_); }

  VARIANT* Get() noexcept { return &value_; }
  const VARIANT& Value() const noexcept { return value_; }
  VARTYPE Type() const noexcept { return value_.vt; }
  // Clears the current value and returns the address for a call that fills it.
  VARIANT* Put() noexcept {
    ::VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

}  // namespace quillbox::win
