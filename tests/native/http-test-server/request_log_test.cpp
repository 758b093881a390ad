#include "request_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace quillbox::testserver {
namespace {

TEST(RequestLogTest, FormatsRequestLineThenHeadersThenBlankLine) {
  EXPECT_EQ(FormatRequest("GET", "/service/subjects?user=a%40b", "HTTP/1.1",
                          {{"Host", "127.0.0.1:8080"}, {"Pragma", "no-cache"}}),
            "GET /service/subjects?user=a%40b HTTP/1.1\nHost: 127.0.0.1:8080\nPragma: no-cache\n\n");
}

TEST(RequestLogTest, WireHeadersDropTheServerLibrarysAddressEntries) {
  const HeaderList received = {{"Cache-Control", "no-cache"}, {"LOCAL_ADDR", "127.0.0.1"},
                               {"LOCAL_PORT", "80"},          {"REMOTE_ADDR", "127.0.0.1"},
                               {"REMOTE_PORT", "5000"},       {"User-Agent", "QuillboxAddIn/1.0"}};
  EXPECT_EQ(WireHeaders(received),
            (HeaderList{{"Cache-Control", "no-cache"}, {"User-Agent", "QuillboxAddIn/1.0"}}));
}

TEST(RequestLogTest, AppendsEntriesInOrderAndKeepsEarlierContent) {
  const std::string path = testing::TempDir() + "request_log_test.log";
  std::ofstream(path) << "earlier\n";
  RequestLog log(path);
  log.Append("first\n");
  log.Append("second\n");
  std::ifstream file(path);
  std::stringstream content;
  content << file.rdbuf();
  EXPECT_EQ(content.str(), "earlier\nfirst\nsecond\n");
  std::remove(path.c_str());
}

}  // namespace
}  // namespace quillbox::testserver
