#pragma once
// Makes a certificate a trusted root of the current user for as long as the object lives,
// the way an administrator would trust a private certificate authority.

#include <windows.h>
#include <wincrypt.h>

#include <string>

#include "common/win/unique_handle.h"

namespace quillbox::testing {

struct CertStoreTraits {
  using Handle = HCERTSTORE;
  static HCERTSTORE Invalid() noexcept { return nullptr; }
  static void Close(HCERTSTORE store) noexcept { ::CertCloseStore(store, 0); }
};
using UniqueCertStore = win::UniqueHandle<CertStoreTraits>;

struct CertContextTraits {
  using Handle = PCCERT_CONTEXT;
  static PCCERT_CONTEXT Invalid() noexcept { return nullptr; }
  static void Close(PCCERT_CONTEXT context) noexcept { ::CertFreeCertificateContext(context); }
};
using UniqueCertContext = win::UniqueHandle<CertContextTraits>;

class TrustedRoot {
 public:
  // pemPath: a PEM certificate file. Added() tells whether it is now trusted.
  explicit TrustedRoot(const std::string& pemPath);
  ~TrustedRoot();
  TrustedRoot(const TrustedRoot&) = delete;
  TrustedRoot& operator=(const TrustedRoot&) = delete;

  bool Added() const { return static_cast<bool>(added_); }

 private:
  UniqueCertStore store_;
  UniqueCertContext added_;
};

}  // namespace quillbox::testing
