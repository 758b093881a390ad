// Requests the service refuses, and requests from many clients at once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <json/json.h>

#include <set>
#include <thread>

#include "routes.h"
#include "running_service.h"

namespace quillbox::reference {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using testing::RawExchange;
using testing::RunningService;
using testing::TemporaryDirectory;

const std::string kJane = "user=jane%2edoe%40example%2ecom&password=chalk%2dboard";

class BadInput : public ::testing::Test {
 protected:
  // The status line of the reply to a GET of target with extra header lines.
  std::string StatusOf(const std::string& target, const std::string& headers = {}) {
    const std::string reply =
        RawExchange(service_.port(), "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
                                         headers + "Connection: close\r\n\r\n");
    return reply.substr(0, reply.find("\r\n"));
  }

  TemporaryDirectory directory_;
  RunningService service_{ServiceOptions{0, directory_.File("bank.db"), "", "", false}};
};

TEST_F(BadInput, UnknownPathsAreNotFound) {
  const auto client = service_.Client();
  const auto page = client->Get("/no/such/page");
  EXPECT_EQ(page->status, 404);
  EXPECT_THAT(page->body, HasSubstr("There is no page at /no/such/page"));

  const auto request = client->Get(("/service/comments?" + kJane).c_str());
  EXPECT_EQ(request->status, 404);
  Json::Value json;
  ASSERT_TRUE(Json::Reader().parse(request->body, json));
  EXPECT_EQ(json["status"].asString(), "ERROR");
  EXPECT_EQ(json["msg"].asString(), "Unknown request: /service/comments");
}

TEST_F(BadInput, OversizedRequestsAreRefused) {
  const std::string longValue(kMaxTargetBytes, 'a');
  EXPECT_EQ(StatusOf("/service/subjects?" + kJane + "&x=" + longValue),
            "HTTP/1.1 414 URI Too Long");
  EXPECT_EQ(StatusOf("/service/subjects?x=" + std::string(9000, 'a')),
            "HTTP/1.1 414 URI Too Long");

  // Each line stays below the library's own limit of 8192 bytes per header line.
  const std::string bigHeader = "X-Padding: " + std::string(kMaxHeaderBytes / 3, 'p') + "\r\n";
  EXPECT_EQ(StatusOf("/", bigHeader + bigHeader + bigHeader),
            "HTTP/1.1 431 Request Header Fields Too Large");

  const auto client = service_.Client();
  const auto post = client->Post("/", std::string(kMaxBodyBytes + 1, 'b'), "text/plain");
  ASSERT_TRUE(post);
  EXPECT_EQ(post->status, 413);
}

TEST_F(BadInput, GarbageDoesNotStopTheService) {
  EXPECT_THAT(RawExchange(service_.port(), "HELLO\r\n\r\n"), StartsWith("HTTP/1.1 400"));
  EXPECT_THAT(RawExchange(service_.port(), std::string(100, '\0') + "\r\n\r\n"), StartsWith("HTTP/1.1 400"));
  EXPECT_EQ(StatusOf("/service/subjects?" + kJane), "HTTP/1.1 200 OK");
}

TEST(ServiceLifecycle, StopBeforeServeMakesServeReturnAtOnce) {
  TemporaryDirectory directory;
  ReferenceService service(ServiceOptions{0, directory.File("bank.db"), "", "", false});
  service.Listen(0);
  service.Stop();
  EXPECT_TRUE(service.Serve());
  EXPECT_FALSE(service.IsRunning());
}

TEST(ConcurrentRequests, ManyClientsAtOnceAllGetTheirAnswers) {
  TemporaryDirectory directory;
  RunningService service{ServiceOptions{0, directory.File("bank.db"), directory.File("log"), "", false}};
  constexpr int kClients = 8;
  constexpr int kRequestsEach = 15;
  std::vector<std::vector<std::string>> keys(kClients);
  std::vector<int> failures(kClients, 0);
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      const auto client = service.Client();
      for (int i = 0; i < kRequestsEach; ++i) {
        const auto tabs = client->Get(("/service/tabs?" + kJane + "&subject=English").c_str());
        const auto key = client->Get(("/service/loginkey?" + kJane).c_str());
        Json::Value json;
        if (!tabs || tabs->body.find("\"Opening\"") == std::string::npos || !key ||
            !Json::Reader().parse(key->body, json)) {
          ++failures[c];
          continue;
        }
        keys[c].push_back(json["loginkey"].asString());
      }
    });
  }
  for (std::thread& client : clients) client.join();
  std::set<std::string> distinct;
  for (int c = 0; c < kClients; ++c) {
    EXPECT_EQ(failures[c], 0) << "client " << c;
    distinct.insert(keys[c].begin(), keys[c].end());
  }
  EXPECT_EQ(distinct.size(), static_cast<size_t>(kClients * kRequestsEach));
}

}  // namespace
}  // namespace quillbox::reference
