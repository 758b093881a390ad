#pragma once

#include <httplib.h>

#include <memory>
#include <string>
#include <thread>

#include "reference_service.h"

namespace quillbox::reference::testing {

// A fresh directory under the system's temporary directory, removed with its content.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The service started on a free port in a thread of this process, stopped on destruction.
class RunningService {
 public:
  explicit RunningService(const ServiceOptions& options);
  ~RunningService();

  int port() const { return service_.port(); }
  ReferenceService& service() { return service_; }
  // A client that sends paths exactly as given (no escaping of its own).
  std::unique_ptr<httplib::Client> Client() const;

 private:
  ReferenceService service_;
  std::thread thread_;
};

// Sends the bytes as they are over a new connection and returns the first reply (or what
// came before the service closed the connection).
std::string RawExchange(int port, const std::string& request);

// The whole content of a file.
std::string ReadFile(const std::string& path);

}  // namespace quillbox::reference::testing
