#include "server_options.h"

#include <gtest/gtest.h>

namespace quillbox::testserver {
namespace {

TEST(ServerOptionsTest, ReadsEveryOption) {
  const ParsedOptions parsed = ParseServerOptions(
      {"--port", "8443", "--log", "/tmp/log", "--cert", "c.pem", "--key", "k.pem", "--reply",
       "/service/subjects=s.json", "--reply", "/a=b=c", "--read-timeout", "7"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const ServerOptions& options = *parsed.options;
  EXPECT_EQ(options.port, 8443);
  EXPECT_EQ(options.logPath, "/tmp/log");
  EXPECT_TRUE(options.UsesTls());
  EXPECT_EQ(options.certPath, "c.pem");
  EXPECT_EQ(options.keyPath, "k.pem");
  EXPECT_EQ(options.readTimeoutSeconds, 7);
  EXPECT_EQ(options.replies, (ReplyFiles{{"/service/subjects", "s.json"}, {"/a", "b=c"}}));
}

TEST(ServerOptionsTest, DefaultsToPlainHttpOnAnyPort) {
  const ParsedOptions parsed = ParseServerOptions({});
  ASSERT_TRUE(parsed.options);
  EXPECT_EQ(parsed.options->port, 0);
  EXPECT_FALSE(parsed.options->UsesTls());
  EXPECT_EQ(parsed.options->readTimeoutSeconds, 2);
}

TEST(ServerOptionsTest, RefusesWrongCommandLines) {
  const std::vector<std::vector<std::string>> wrong = {
      {"--port"},          {"--port", "65536"},  {"--port", "-1"},       {"--port", "80a"},
      {"--cert", "c.pem"}, {"--key", "k.pem"},   {"--reply", "x=y"},     {"--reply", "/x"},
      {"--reply", "/x="},  {"--reply", "=f"},    {"--log", ""},          {"--bogus", "1"},
      {"--read-timeout", "0"}};
  for (const auto& arguments : wrong) {
    const ParsedOptions parsed = ParseServerOptions(arguments);
    EXPECT_FALSE(parsed.options) << arguments[0] << " " << (arguments.size() > 1 ? arguments[1] : "");
    EXPECT_FALSE(parsed.error.empty());
  }
}

}  // namespace
}  // namespace quillbox::testserver
