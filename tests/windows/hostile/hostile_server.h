#pragma once
// A loopback HTTP server inside the test program that misbehaves on purpose: it can answer
// with any bytes, say it will send more than it does and reset the connection, or accept a
// request and never answer. It runs on its own thread on 127.0.0.1, serves one connection at
// a time and chooses its behaviour by the request path.

#include <winsock2.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quillbox::testing {

// What the server does with one request, on the accepted socket.
using Misbehaviour = std::function<void(SOCKET connection, HANDLE stop)>;

// A 200 reply with this body and a matching Content-Length.
Misbehaviour Answer(std::string body);
// Promises declaredLength bytes, sends the first bytes of body, waits a moment so that they
// arrive, then resets the connection.
Misbehaviour ResetAfter(std::string body, size_t declaredLength);
// Reads the request and says nothing; closes the connection after holdMilliseconds, or when
// the server stops.
Misbehaviour Silent(DWORD holdMilliseconds);

class HostileServer {
 public:
  // routes: a fragment of the request target and what to do when it occurs in it; the first
  // matching fragment wins, and a request that matches none is answered with an empty body.
  explicit HostileServer(std::vector<std::pair<std::string, Misbehaviour>> routes);
  ~HostileServer();
  HostileServer(const HostileServer&) = delete;
  HostileServer& operator=(const HostileServer&) = delete;

  // "http://127.0.0.1:PORT"
  std::string BaseUrl() const;
  // The request lines received so far.
  std::vector<std::string> RequestLines() const;

 private:
  void Serve();
  void Handle(SOCKET connection);

  std::vector<std::pair<std::string, Misbehaviour>> routes_;
  SOCKET listener_ = INVALID_SOCKET;
  HANDLE stop_ = nullptr;
  std::atomic<bool> stopping_{false};
  int port_ = 0;
  mutable std::mutex mutex_;
  std::vector<std::string> requestLines_;
  std::thread thread_;
};

}  // namespace quillbox::testing
