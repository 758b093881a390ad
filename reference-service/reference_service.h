#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "service_options.h"

namespace httplib {
class Server;
}

namespace quillbox::reference {

class CommentBank;
class RequestLog;

// The whole service: the comment bank, the request log and the HTTP server on 127.0.0.1.
// Typical use: Listen(port), then Serve() on some thread until Stop() is called from another.
class ReferenceService {
 public:
  // Opens (creating and populating when needed) the database and the log named by options.
  // Throws std::runtime_error (SqliteError, BankFormatError, ...) when one cannot be used.
  explicit ReferenceService(const ServiceOptions& options);
  ~ReferenceService();
  ReferenceService(const ReferenceService&) = delete;
  ReferenceService& operator=(const ReferenceService&) = delete;

  // Binds 127.0.0.1:port (0: a free port) and returns the port bound; throws
  // std::runtime_error when the port cannot be bound.
  int Listen(int port);
  // Answers requests until Stop(); returns false when it could not run. Returns at once when
  // Stop() came first.
  bool Serve();
  // Makes Serve() return; may be called from any thread, before, during or after Serve().
  void Stop();
  bool IsRunning() const;

  int port() const { return port_; }
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // True when this start created the database and filled it.
  bool DatabaseWasPopulated() const;

 private:
  std::unique_ptr<CommentBank> bank_;
  std::unique_ptr<RequestLog> log_;
  std::unique_ptr<httplib::Server> server_;
  int port_ = 0;
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> serving_{false};
};

}  // namespace quillbox::reference
