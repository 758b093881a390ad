#pragma once
// What the Windows-side tests need to know about the loopback test servers that
// loopback_servers.sh started: their ports and request logs, the certificate to trust and the
// stand-in browser's capture file. Paths are Windows paths (Wine's Z: drive is the Unix root).

#include <string>

namespace quillbox::testing {

struct LoopbackServer {
  int port = 0;
  std::string log;  // every request line and header it received, and its TLS events
};

struct LoopbackServers {
  LoopbackServer plain;      // HTTP
  LoopbackServer tls;        // HTTPS, certificate trustedCert
  LoopbackServer untrusted;  // HTTPS, a certificate never trusted
  LoopbackServer proxy;      // forward proxy; alone knows kProxyOnlyHost
  LoopbackServer refusing;   // forward proxy that answers 407 to everything
  std::string trustedCert;   // PEM
  std::string browserScript; // Unix path, for Wine's browser setting
  std::string browserCapture;
};

// A host name that only the test proxy resolves (to 127.0.0.1).
constexpr char kProxyOnlyHost[] = "service.proxy-only.test";

// Read once from the state file; a test fails at once when the servers are not running.
const LoopbackServers& Servers();

// A text unique to this process and call, to find one test's requests in a shared log.
std::string UniqueToken(const char* purpose);

std::string ReadWholeFile(const std::string& path);

// The log entry (request line and headers, up to the blank line) whose request line begins
// with requestLinePrefix; empty when there is none.
std::string LogEntryStartingWith(const std::string& log, const std::string& requestLinePrefix);

// How many times text occurs in the file.
size_t CountInFile(const std::string& path, const std::string& text);

std::string HttpBase(const LoopbackServer& server);                       // http://127.0.0.1:PORT
std::string HttpsBase(const LoopbackServer& server, const char* host);    // https://HOST:PORT
std::string ProxyAddress(const LoopbackServer& proxy);                     // 127.0.0.1:PORT

}  // namespace quillbox::testing
