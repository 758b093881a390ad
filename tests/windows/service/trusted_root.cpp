#include "trusted_root.h"

#include "loopback_servers.h"

namespace quillbox::testing {

namespace {

std::string DerFromPem(const std::string& pem) {
  DWORD size = 0;
  if (!::CryptStringToBinaryA(pem.c_str(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              nullptr, &size, nullptr, nullptr)) {
    return {};
  }
  std::string der(size, '\0');
  if (!::CryptStringToBinaryA(pem.c_str(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              reinterpret_cast<BYTE*>(der.data()), &size, nullptr, nullptr)) {
    return {};
  }
  der.resize(size);
  return der;
}

}  // namespace

TrustedRoot::TrustedRoot(const std::string& pemPath)
    // The registry store itself rather than the system store's collection: Wine does not
    // carry a deletion through the collection to the registry.
    : store_(::CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER,
                             L"Root")) {
  const std::string der = DerFromPem(ReadWholeFile(pemPath));
  if (!store_ || der.empty()) return;
  ::CertAddEncodedCertificateToStore(store_.Get(), X509_ASN_ENCODING,
                                     reinterpret_cast<const BYTE*>(der.data()), static_cast<DWORD>(der.size()),
                                     CERT_STORE_ADD_REPLACE_EXISTING, added_.Put());
  // The registry store writes its changes when asked to or when closed; the transport's
  // chain engine reads the registry.
  if (added_) ::CertControlStore(store_.Get(), 0, CERT_STORE_CTRL_COMMIT, nullptr);
}

TrustedRoot::~TrustedRoot() {
  // CertDeleteCertificateFromStore frees the context it is given, so it gets its own copy.
  if (!added_) return;
  ::CertDeleteCertificateFromStore(::CertDuplicateCertificateContext(added_.Get()));
  ::CertControlStore(store_.Get(), 0, CERT_STORE_CTRL_COMMIT, nullptr);
}

}  // namespace quillbox::testing
