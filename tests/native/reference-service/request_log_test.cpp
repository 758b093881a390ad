// The request log records what came over the wire: the raw request line and the headers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "running_service.h"

namespace quillbox::reference {
namespace {

using testing::RawExchange;
using testing::ReadFile;
using testing::RunningService;
using testing::TemporaryDirectory;

class RequestLogging : public ::testing::Test {
 protected:
  void Send(const std::string& requestLine, const std::string& headers = {}) {
    RawExchange(service_.port(), requestLine + "\r\n" + HostLine() + "\r\n" + headers +
                                     "Connection: close\r\n\r\n");
  }
  std::string HostLine() const { return "Host: 127.0.0.1:" + std::to_string(service_.port()); }

  TemporaryDirectory directory_;
  std::string logPath_ = directory_.File("requests.log");
  RunningService service_{ServiceOptions{0, directory_.File("bank.db"), logPath_, "", false}};
};

TEST_F(RequestLogging, RecordsTheRawRequestLineAndTheReceivedHeaders) {
  Send("GET /service/subjects?user=a%40b%2ecom&password=x HTTP/1.1",
       "User-Agent: Quillbox test\r\nRemote_Addr: 10.1.2.3\r\n");
  // Headers in name order, the client's own "Remote_Addr" kept, the library's entries
  // (REMOTE_ADDR, LOCAL_PORT, ...) left out.
  EXPECT_EQ(ReadFile(logPath_), "GET /service/subjects?user=a%40b%2ecom&password=x HTTP/1.1\n"
                                "Connection: close\n" +
                                    HostLine() +
                                    "\nRemote_Addr: 10.1.2.3\n"
                                    "User-Agent: Quillbox test\n\n");
}

TEST_F(RequestLogging, OneBlockPerRequestEscapesUntouchedRefusalsIncluded) {
  const std::string escaped =
      "GET /service/tabs?user=a%40b%2Ecom&password=p%2b%20q&subject=Fran%C3%a7ais%7e+x HTTP/1.1";
  Send(escaped);
  Send("GET /nothing-here HTTP/1.0");
  const std::string headers = "Connection: close\n" + HostLine() + "\n\n";
  EXPECT_EQ(ReadFile(logPath_), escaped + "\n" + headers + "GET /nothing-here HTTP/1.0\n" + headers);
}

}  // namespace
}  // namespace quillbox::reference
