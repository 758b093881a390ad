// The website pages the add-in opens, and the one-time automatic login.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <json/json.h>

#include "running_service.h"

namespace quillbox::reference {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::RunningService;
using testing::TemporaryDirectory;

class Website : public ::testing::Test {
 protected:
  std::string NewLoginKey() {
    const auto reply = service_.Client()->Get(
        "/service/loginkey?user=jane%2edoe%40example%2ecom&password=chalk%2dboard");
    Json::Value json;
    Json::Reader().parse(reply->body, json);
    return json["loginkey"].asString();
  }

  httplib::Result Get(const std::string& path, const std::string& cookie = {}) {
    httplib::Headers headers;
    if (!cookie.empty()) headers.emplace("Cookie", "theme=dark; " + cookie);
    return service_.Client()->Get(path.c_str(), headers);
  }

  // The "name=value" part of the Set-Cookie header of a reply.
  static std::string CookieOf(const httplib::Result& reply) {
    const std::string header = reply->get_header_value("Set-Cookie");
    return header.substr(0, header.find(';'));
  }

  TemporaryDirectory directory_;
  RunningService service_{ServiceOptions{0, directory_.File("bank.db"), "", "", false}};
};

TEST_F(Website, PlainPagesAnswer) {
  for (const char* path : {"/", "/index", "/index/", "/index/edit", "/index/forgot", "//"}) {
    const auto reply = Get(path);
    ASSERT_TRUE(reply) << path;
    EXPECT_EQ(reply->status, 200) << path;
    EXPECT_EQ(reply->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_THAT(reply->body, HasSubstr("<h1>")) << path;
  }
  EXPECT_THAT(Get("/index/edit")->body, HasSubstr("You are not logged in"));
  EXPECT_THAT(Get("/index/forgot")->body, HasSubstr("Forgot password?"));
}

TEST_F(Website, LoginKeyLogsInOnceAndGoesToTheNamedPage) {
  const std::string key = NewLoginKey();
  const auto first = Get("/index/autologin?key=" + key + "&redirect=index/edit");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->status, 303);
  EXPECT_EQ(first->get_header_value("Location"),
            "http://127.0.0.1:" + std::to_string(service_.port()) + "/index/edit");
  const std::string cookie = CookieOf(first);
  EXPECT_THAT(cookie, ::testing::MatchesRegex("quillbox_session=[0-9a-f]{32}"));

  const auto edit = Get("/index/edit", cookie);
  EXPECT_EQ(edit->status, 200);
  EXPECT_THAT(edit->body, HasSubstr("Logged in as <strong>jane.doe@example.com</strong>"));
  EXPECT_THAT(edit->body, HasSubstr("<h2>Art &amp; Design</h2>"));
  EXPECT_THAT(edit->body, HasSubstr("<li># always works with care &amp; patience.</li>"));

  const auto again = Get("/index/autologin?key=" + key + "&redirect=index/edit");
  EXPECT_EQ(again->status, 403);
  EXPECT_THAT(again->body, HasSubstr("already been used"));
  EXPECT_FALSE(again->has_header("Set-Cookie"));
}

TEST_F(Website, EmptyRedirectGoesToTheFrontPageLoggedIn) {
  const auto reply = Get("/index/autologin?key=" + NewLoginKey() + "&redirect=");
  EXPECT_EQ(reply->status, 303);
  EXPECT_THAT(reply->get_header_value("Location"), EndsWith(std::to_string(service_.port()) + "/"));
  EXPECT_THAT(Get("/", CookieOf(reply))->body, HasSubstr("Logged in as"));
  EXPECT_THAT(Get("/", "quillbox_session=forged")->body, Not(HasSubstr("Logged in as")));
}

TEST_F(Website, RefusedLoginLinks) {
  EXPECT_EQ(Get("/index/autologin?key=0123456789abcdef0123456789abcdef&redirect=")->status, 403);
  EXPECT_EQ(Get("/index/autologin?redirect=index/edit")->status, 400);
  EXPECT_EQ(Get("/index/autologin?key=&redirect=")->status, 400);
  EXPECT_EQ(Get("/index/autologin?key=%e9&redirect=")->status, 400);

  // A redirect away from this site is refused without using up the key.
  const std::string key = NewLoginKey();
  for (const char* page : {"%2f%2fevil.example%2f", "http:%2f%2fevil.example", "index%2f..%2f..",
                           "index%2fedit%3fx%3d1"}) {
    const auto reply = Get("/index/autologin?key=" + key + "&redirect=" + page);
    EXPECT_EQ(reply->status, 400) << page;
    EXPECT_FALSE(reply->has_header("Location")) << page;
  }
  EXPECT_EQ(Get("/index/autologin?key=" + key + "&redirect=index/edit")->status, 303);
}

}  // namespace
}  // namespace quillbox::reference
