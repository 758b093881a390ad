#include "service/win/winhttp_failure.h"

#include <winhttp.h>

#include <string>

#include "common/text_utf.h"

namespace quillbox::win {
namespace {

// One reason per certificate problem, the first that applies, in the order Windows checks them.
struct CertificateReason {
  DWORD flag;   // WINHTTP_CALLBACK_STATUS_FLAG_*
  DWORD error;  // the error WinHTTP gives for it alone
  const char16_t* text;
};
constexpr CertificateReason kCertificateReasons[] = {
    {WINHTTP_CALLBACK_STATUS_FLAG_INVALID_CA, ERROR_WINHTTP_SECURE_INVALID_CA,
     u"it was issued by an authority that this computer does not trust"},
    {WINHTTP_CALLBACK_STATUS_FLAG_CERT_DATE_INVALID, ERROR_WINHTTP_SECURE_CERT_DATE_INVALID,
     u"it has expired or is not valid yet"},
    {WINHTTP_CALLBACK_STATUS_FLAG_CERT_CN_INVALID, ERROR_WINHTTP_SECURE_CERT_CN_INVALID,
     u"it was issued for another name"},
    {WINHTTP_CALLBACK_STATUS_FLAG_CERT_REVOKED, ERROR_WINHTTP_SECURE_CERT_REVOKED, u"it has been revoked"},
    {WINHTTP_CALLBACK_STATUS_FLAG_CERT_REV_FAILED, ERROR_WINHTTP_SECURE_CERT_REV_FAILED,
     u"whether it has been revoked could not be checked"},
    {WINHTTP_CALLBACK_STATUS_FLAG_INVALID_CERT, ERROR_WINHTTP_SECURE_INVALID_CERT, u"it is not valid"},
};

// Windows reports a certificate it does not accept as ERROR_WINHTTP_SECURE_FAILURE (or one of
// the specific errors); Wine, and Windows for a handshake that fails otherwise, as
// ERROR_WINHTTP_SECURE_CHANNEL_ERROR. Direct, that is still the server's TLS that was not
// accepted. Through a proxy it is also what a refused tunnel (CONNECT) gives, the proxy's
// failure, so there it is not taken for a certificate.
bool IsCertificateError(DWORD error, bool throughProxy) {
  if (error == ERROR_WINHTTP_SECURE_FAILURE) return true;
  if (error == ERROR_WINHTTP_SECURE_CHANNEL_ERROR) return !throughProxy;
  for (const CertificateReason& reason : kCertificateReasons) {
    if (reason.error == error) return true;
  }
  return false;
}

std::u16string CertificateReasonText(DWORD error, DWORD secureFlags) {
  std::u16string text = u"the secure connection could not be set up";
  for (const CertificateReason& reason : kCertificateReasons) {
    if ((secureFlags & reason.flag) != 0 || error == reason.error) {
      text = reason.text;
      break;
    }
  }
  return text + Utf8ToUtf16(" (WinHTTP error " + std::to_string(error) + ")");
}

}  // namespace

bool IsConnectFailure(DWORD error) {
  return error == ERROR_WINHTTP_CANNOT_CONNECT || error == ERROR_WINHTTP_NAME_NOT_RESOLVED ||
         error == ERROR_WINHTTP_TIMEOUT || error == ERROR_WINHTTP_CONNECTION_ERROR;
}

TransportFailure FailureOf(DWORD error, DWORD secureFlags, bool throughProxy) {
  if (IsCertificateError(error, throughProxy)) {
    return TransportFailure{TransportFailure::Kind::Certificate, CertificateReasonText(error, secureFlags)};
  }
  if (error == ERROR_WINHTTP_NAME_NOT_RESOLVED && !throughProxy) {
    return TransportFailure{TransportFailure::Kind::NameNotResolved, {}};
  }
  return TransportFailure{TransportFailure::Kind::NoReply, {}};
}

}  // namespace quillbox::win
