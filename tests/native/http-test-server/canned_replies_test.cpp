#include "canned_replies.h"

#include <gtest/gtest.h>

#include <fstream>

#include "canned_bodies.h"

namespace quillbox::testserver {
namespace {

TEST(TestServerRepliesTest, StatusPathsAnswerWithThatStatusAndItsBody) {
  for (int code : {200, 404, 500, 599}) {
    const CannedReply reply = ReplyFor("/canned/status/" + std::to_string(code), {});
    EXPECT_EQ(reply.status, code);
    EXPECT_EQ(reply.body, StatusBody(code));
  }
  EXPECT_EQ(ReplyFor("/canned/status/502/service/subjects?user=a", {}).status, 502);
}

TEST(TestServerRepliesTest, MalformedCannedPathsAreNotFound) {
  for (const char* path : {"/canned/status/", "/canned/status/99", "/canned/status/600",
                           "/canned/status/4O4", "/canned/pattern/-1", "/canned/pattern/x",
                           "/canned/pattern/67108865", "/canned/zero-byte/", "/", "/service/subjects"}) {
    const CannedReply reply = ReplyFor(path, {});
    EXPECT_EQ(reply.status, 404) << path;
    EXPECT_EQ(reply.body, std::string("no canned reply for ") + path);
  }
}

TEST(TestServerRepliesTest, ZeroBytePathKeepsTheBytesAfterTheZero) {
  const CannedReply reply = ReplyFor("/canned/zero-byte", {});
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.body.size(), 12u);
  EXPECT_EQ(reply.body.find('\0'), 6u);
  EXPECT_EQ(reply.body.substr(7), "after");
}

TEST(TestServerRepliesTest, PatternBodyHasTheRequestedSizeAndPeriod) {
  const CannedReply reply = ReplyFor("/canned/pattern/1000", {});
  ASSERT_EQ(reply.body.size(), 1000u);
  EXPECT_EQ(reply.body[0], '\0');
  EXPECT_EQ(static_cast<unsigned char>(reply.body[250]), 250);
  EXPECT_EQ(reply.body[251], '\0');
  EXPECT_EQ(reply.body[999], static_cast<char>(999 % 251));
  EXPECT_EQ(ReplyFor("/canned/pattern/0", {}).body, "");
}

TEST(TestServerRepliesTest, ReplyFilesWinOverCannedPathsAndUnreadableFilesGive500) {
  const std::string path = testing::TempDir() + "canned_reply_body.json";
  std::ofstream(path, std::ios::binary) << std::string("{\"status\":\"OK\"}\0x", 17);
  const ReplyFiles files{{"/service/subjects", path},
                         {"/canned/zero-byte", path},
                         {"/missing", path + ".absent"}};

  for (const char* served : {"/service/subjects", "/canned/zero-byte"}) {
    const CannedReply reply = ReplyFor(served, files);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, std::string("{\"status\":\"OK\"}\0x", 17));
  }
  EXPECT_EQ(ReplyFor("/missing", files).status, 500);
  EXPECT_EQ(ReplyFor("/service/subjects/", files).status, 404);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace quillbox::testserver
