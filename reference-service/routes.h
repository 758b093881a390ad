#pragma once

#include <cstddef>

namespace httplib {
class Server;
}

namespace quillbox::reference {

class CommentBank;
class RequestLog;

// Limits on what a request may carry; larger requests are refused before any handler runs.
// (The HTTP library itself refuses a request line over 8192 bytes with 414 and a single
// header line over 8192 bytes with 400.)
constexpr std::size_t kMaxTargetBytes = 4096;        // request target, query included: 414
constexpr std::size_t kMaxHeaderBytes = 16384;       // all header names and values: 431
constexpr std::size_t kMaxBodyBytes = 64 * 1024;     // request body: 413

// Installs the service requests (/service/subjects, /service/tabs, /service/loginkey), the
// website pages (/, /index/edit, /index/forgot, /index/autologin), the request log (when log
// is not null), the limits above and the error replies. The bank and log must outlive the
// server.
void InstallRoutes(httplib::Server& server, CommentBank& bank, RequestLog* log);

}  // namespace quillbox::reference
