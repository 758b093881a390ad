#pragma once
// Owning types for CNG algorithm providers, keys and hashes.

#include <windows.h>
#include <bcrypt.h>

#include "common/win/unique_handle.h"

namespace quillbox::win {

struct BCryptAlgorithmTraits {
  using Handle = BCRYPT_ALG_HANDLE;
  static BCRYPT_ALG_HANDLE Invalid() noexcept { return nullptr; }
  static void Close(BCRYPT_ALG_HANDLE handle) noexcept { ::BCryptCloseAlgorithmProvider(handle, 0); }
};
using UniqueBCryptAlgorithm = UniqueHandle<BCryptAlgorithmTraits>;

struct BCryptKeyTraits {
  using Handle = BCRYPT_KEY_HANDLE;
  static BCRYPT_KEY_HANDLE Invalid() noexcept { return nullptr; }
  static void Close(BCRYPT_KEY_HANDLE handle) noexcept { ::BCryptDestroyKey(handle); }
};
using UniqueBCryptKey = UniqueHandle<BCryptKeyTraits>;

struct BCryptHashTraits {
  using Handle = BCRYPT_HASH_HANDLE;
  static BCRYPT_HASH_HANDLE Invalid() noexcept { return nullptr; }
  static void Close(BCRYPT_HASH_HANDLE handle) noexcept { ::BCryptDestroyHash(handle); }
};
using UniqueBCryptHash = UniqueHandle<BCryptHashTraits>;

}  // namespace quillbox::win
