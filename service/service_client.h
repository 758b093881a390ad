#pragma once
// The three requests to the comment service and how their JSON replies fill the model.
// Failures never throw: they leave the teacher's message in the error report.

#include <cstdint>
#include <optional>
#include <string>

#include "model/comment_store.h"
#include "service/http_transport.h"

namespace quillbox {

struct ServiceAccount {
  std::u16string baseUrl;
  std::u16string email;
  std::u16string password;
};

struct ErrorReport {
  std::u16string text;  // message for the teacher; empty when there is nothing to say
  std::u16string link;  // URL shown under the message; may be empty
  // True when the request never got a reply from the service (no connection, no reply, a
  // proxy or network failure, a certificate that was not accepted, a host name that did not
  // resolve), as opposed to a reply that refused or could not be read.
  bool unreachable = false;
};

namespace messages {
constexpr char16_t kProxyOrFirewall[] =
    u"We have detected you connect to the internet via a proxy server / firewall. This is an "
    u"issue with your network and not the toolbar, please do not contact us regarding this issue!";
// The first sentence of the message for a TLS certificate that Windows did not accept; the
// reason and a line for the school's IT follow it.
constexpr char16_t kCertificateNotAccepted[] =
    u"The comment service's security certificate was not accepted by Windows";
constexpr char16_t kCertificateAdvice[] =
    u"If the school's network inspects secure connections, IT can add the comment service to the "
    u"inspection exceptions or install the inspection root certificate on this computer.";
// The first sentence of the message for a host name that did not resolve.
constexpr char16_t kAddressNotFound[] = u"The comment service's address could not be found";
constexpr char16_t kJsonError[] = u"Error parsing JSON!";
constexpr char16_t kJsonSyntaxError[] = u"Error parsing JSON (syntax error)!";
}  // namespace messages

std::string SubjectRequestUrl(const ServiceAccount& account);
std::string CommentGroupRequestUrl(const ServiceAccount& account, const std::u16string& subject);
std::string LoginKeyRequestUrl(const ServiceAccount& account);

class ServiceClient {
 public:
  ServiceClient(const ServiceAccount& account, HttpTransport& transport)
      : account_(account), transport_(transport) {}

  // Rebuilds the subject list from the service and selects the first subject.
  void FetchSubjects(CommentStore& store, ErrorReport& errors);
  // Adds the subject's comment groups from the service to its cache entry.
  void FetchCommentGroups(CommentStore& store, const std::u16string& subject, ErrorReport& errors);
  // Selects the subject at index, fetches its groups and rebuilds the group and comment lists.
  void SelectSubject(CommentStore& store, int32_t index, ErrorReport& errors);
  // The one-time website login key, or nothing.
  std::optional<std::string> FetchLoginKey();

 private:
  const ServiceAccount& account_;
  HttpTransport& transport_;
};

}  // namespace quillbox
