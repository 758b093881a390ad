// The WinHTTP transport over TLS against the loopback HTTPS servers: a trusted certificate
// gives the body, an untrusted one or a wrong name gives nothing (and the certificate
// message), and an https URL never goes out in clear text.

#include <gtest/gtest.h>

#include "common/text_utf.h"
#include "loopback_servers.h"
#include "model/comment_store.h"
#include "service/service_client.h"
#include "service/win/winhttp_transport.h"
#include "trusted_root.h"

namespace quillbox::testing {
namespace {

using win::WinHttpTransport;

constexpr char kHandshakeStarted[] = "TLS handshake started\n";

TEST(WinHttpTlsTest, HttpsUrlIsFetchedOverTlsFromTheGivenPort) {
  const TrustedRoot root(Servers().trustedCert);
  ASSERT_TRUE(root.Added());
  const LoopbackServer& server = Servers().tls;
  const std::string path = "/" + UniqueToken("tls");
  for (const char* scheme : {"https://", "HTTPS://"}) {
    SCOPED_TRACE(scheme);
    const std::string page = path + "/" + (scheme[0] == 'h' ? "lower" : "upper");
    const std::string url = scheme + std::string("localhost:") + std::to_string(server.port) + page;
    // The TLS server speaks nothing but TLS, so a request logged there came over TLS.
    EXPECT_EQ(WinHttpTransport().Get(url), "no canned reply for " + page);
    const std::string entry = LogEntryStartingWith(server.log, "GET " + page + " HTTP/1.1\n");
    EXPECT_NE(entry.find("\nUser-Agent: QuillboxAddIn/1.0\n"), std::string::npos)
        << ReadWholeFile(server.log);
  }
  EXPECT_EQ(WinHttpTransport().Get(HttpsBase(server, "localhost") + "/canned/status/500"),
            "canned reply with status 500");
}

TEST(WinHttpTlsTest, UntrustedCertificateGivesAnEmptyBody) {
  const LoopbackServer& server = Servers().untrusted;
  const std::string path = "/" + UniqueToken("untrusted");
  const size_t handshakesBefore = CountInFile(server.log, kHandshakeStarted);

  EXPECT_EQ(WinHttpTransport().Get(HttpsBase(server, "localhost") + path), "");

  // The server saw a handshake, and no request followed it.
  EXPECT_GT(CountInFile(server.log, kHandshakeStarted), handshakesBefore);
  EXPECT_EQ(CountInFile(server.log, path), 0u) << ReadWholeFile(server.log);
}

TEST(WinHttpTlsTest, CertificateForAnotherNameGivesAnEmptyBody) {
  const TrustedRoot root(Servers().trustedCert);
  ASSERT_TRUE(root.Added());
  const LoopbackServer& server = Servers().tls;
  const std::string path = "/" + UniqueToken("wrong-name");
  // The certificate names localhost; 127.0.0.1 is the same server under a name it does not carry.
  EXPECT_EQ(WinHttpTransport().Get(HttpsBase(server, "127.0.0.1") + path), "");
  EXPECT_EQ(CountInFile(server.log, path), 0u) << ReadWholeFile(server.log);
}

TEST(WinHttpTlsTest, HttpsUrlNeverFallsBackToClearText) {
  const TrustedRoot root(Servers().trustedCert);
  ASSERT_TRUE(root.Added());
  const LoopbackServer& server = Servers().plain;
  const std::string path = "/" + UniqueToken("clear-text");
  // A plain HTTP server at an https URL: the TLS handshake fails, and no HTTP request, with
  // the password in its query string, may reach it instead.
  EXPECT_EQ(WinHttpTransport().Get(HttpsBase(server, "localhost") + path + "?password=secret"), "");
  EXPECT_EQ(CountInFile(server.log, path), 0u) << ReadWholeFile(server.log);
}

// A certificate that Windows does not accept gets its own message, with WinHTTP's reason and
// the line for IT, and counts as the service not reached.
TEST(WinHttpTlsTest, RejectedCertificateGivesTheCertificateMessage) {
  const TrustedRoot root(Servers().trustedCert);
  ASSERT_TRUE(root.Added());
  const std::u16string start = std::u16string(messages::kCertificateNotAccepted) + u": ";
  for (const std::string& base : {HttpsBase(Servers().untrusted, "localhost"), HttpsBase(Servers().tls, "127.0.0.1")}) {
    SCOPED_TRACE(base);
    ServiceAccount account{Utf8ToUtf16(base), u"teacher", u"pw"};
    WinHttpTransport transport;
    CommentStore store;
    ErrorReport errors;
    ServiceClient(account, transport).FetchSubjects(store, errors);
    const std::string text = Utf16ToUtf8(errors.text);
    EXPECT_EQ(errors.text.substr(0, start.size()), start) << text;
    EXPECT_NE(errors.text.find(u"(WinHTTP error 12"), std::u16string::npos) << text;
    EXPECT_NE(errors.text.find(messages::kCertificateAdvice), std::u16string::npos) << text;
    EXPECT_TRUE(errors.unreachable);
  }
}

}  // namespace
}  // namespace quillbox::testing
