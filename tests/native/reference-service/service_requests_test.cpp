// The three service requests over HTTP, against the sample comment bank.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <json/json.h>

#include "running_service.h"

namespace quillbox::reference {
namespace {

using ::testing::ElementsAreArray;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using testing::RunningService;
using testing::TemporaryDirectory;

// The sample teacher's credentials as the add-in escapes them.
const std::string kJane = "user=jane%2edoe%40example%2ecom&password=chalk%2dboard";

class ServiceRequests : public ::testing::Test {
 protected:
  Json::Value Get(const std::string& path, int expectedStatus = 200) {
    const auto result = service_.Client()->Get(path.c_str());
    Json::Value json;
    if (!result) {
      ADD_FAILURE() << "no reply for " << path;
      return json;
    }
    EXPECT_EQ(result->status, expectedStatus) << path;
    EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8");
    body_ = result->body;
    EXPECT_TRUE(Json::Reader().parse(body_, json)) << body_;
    return json;
  }

  TemporaryDirectory directory_;
  RunningService service_{ServiceOptions{0, directory_.File("bank.db"), "", "", false}};
  std::string body_;
};

TEST_F(ServiceRequests, SubjectsForValidCredentials) {
  const struct {
    std::string credentials;
    std::vector<std::string> subjects;
  } cases[] = {
      {kJane, {"English", "Mathematics", "Art & Design", "Fran\xc3\xa7" "ais", "Science"}},
      // "&", space, "+" and a letter beyond ASCII in the password.
      {"user=r%2epatel%2breports%40example%2eorg&password=p%26ss%20w%c3%b6rd%2b1",
       {"History", "Geography"}},
      {"user=new%2eteacher%40example%2ecom&password=empty", {}},
  };
  for (const auto& c : cases) {
    const Json::Value reply = Get("/service/subjects?" + c.credentials);
    EXPECT_EQ(reply["status"].asString(), "OK");
    ASSERT_TRUE(reply["subjects"].isArray());
    std::vector<std::string> subjects;
    for (const Json::Value& subject : reply["subjects"]) subjects.push_back(subject.asString());
    EXPECT_THAT(subjects, ElementsAreArray(c.subjects));
  }
  Get("/service/subjects?" + kJane);
  EXPECT_THAT(body_, HasSubstr("Fran\xc3\xa7" "ais"));  // raw UTF-8, not \u escapes
}

TEST_F(ServiceRequests, WrongCredentialsAreRefusedByAllThreeRequests) {
  for (const std::string request : {"subjects?", "tabs?subject=English&", "loginkey?"}) {
    for (const std::string& credentials :
         {std::string("user=jane%2edoe%40example%2ecom&password=wrong"),
          std::string("user=&password="), kJane + "%20"}) {
      SCOPED_TRACE(request + credentials);
      const Json::Value reply = Get("/service/" + request + credentials);
      EXPECT_EQ(reply["status"].asString(), "ERROR");
      EXPECT_THAT(reply["msg"].asString(), HasSubstr("password is not correct"));
      EXPECT_THAT(reply["url"].asString(),
                  EndsWith("127.0.0.1:" + std::to_string(service_.port()) + "/index/forgot"));
      for (const char* key : {"subjects", "tabs", "loginkey"}) EXPECT_FALSE(reply.isMember(key));
    }
  }
}

TEST_F(ServiceRequests, TabsOfEscapedSubjectNames) {
  const struct {
    const char* subject;
    size_t groups;
    const char* firstGroup;
    const char* firstComment;
  } cases[] = {
      {"Art%20%26%20Design", 2, "Practical work", "# has a good eye for colour and composition."},
      {"Fran%c3%a7ais", 3, "Expression orale", "# s\xe2\x80\x99" "exprime avec aisance"},
      {"Fran%C3%A7ais", 3, "Expression orale", "# s\xe2\x80\x99" "exprime avec aisance"},
  };
  for (const auto& c : cases) {
    const Json::Value reply = Get("/service/tabs?" + kJane + "&subject=" + c.subject);
    ASSERT_EQ(reply["status"].asString(), "OK") << c.subject;
    EXPECT_EQ(reply["tabs"].size(), c.groups);
    EXPECT_EQ(reply["tabs"][0]["name"].asString(), c.firstGroup);
    EXPECT_THAT(reply["tabs"][0]["comments"][0]["comment"].asString(), HasSubstr(c.firstComment));
  }
  const Json::Value science = Get("/service/tabs?" + kJane + "&subject=Science");
  EXPECT_EQ(science["tabs"][2]["name"].asString(), "Empty group");
  EXPECT_TRUE(science["tabs"][2]["comments"].isArray());
  EXPECT_EQ(science["tabs"][2]["comments"].size(), 0u);
}

TEST_F(ServiceRequests, UnknownSubjectIsRefusedWithAMessage) {
  const Json::Value reply = Get("/service/tabs?" + kJane + "&subject=Astronomy");
  EXPECT_EQ(reply["status"].asString(), "ERROR");
  EXPECT_THAT(reply["msg"].asString(), HasSubstr("\"Astronomy\""));
  EXPECT_FALSE(reply.isMember("tabs"));
}

TEST_F(ServiceRequests, LoginKeysAreFreshEachTime) {
  const Json::Value first = Get("/service/loginkey?" + kJane);
  EXPECT_EQ(first["status"].asString(), "OK");
  EXPECT_THAT(first["loginkey"].asString(), ::testing::MatchesRegex("[0-9a-f]{32}"));
  EXPECT_NE(first["loginkey"], Get("/service/loginkey?" + kJane)["loginkey"]);
}

TEST_F(ServiceRequests, MissingOrMalformedParametersAreBadRequests) {
  const struct {
    std::string path;
    const char* message;
  } cases[] = {
      {"/service/subjects", "Missing parameter: user"},
      {"/service/loginkey?user=a", "Missing parameter: password"},
      {"/service/tabs?" + kJane, "Missing parameter: subject"},
      {"/service/subjects?user=%zz&password=x", "malformed percent escape"},
      {"/service/subjects?user=%e9&password=x", "not UTF-8"},
  };
  for (const auto& c : cases) {
    const Json::Value reply = Get(c.path, 400);
    EXPECT_EQ(reply["status"].asString(), "ERROR");
    EXPECT_THAT(reply["msg"].asString(), HasSubstr(c.message));
  }
}

TEST_F(ServiceRequests, BaseUrlWithTrailingSlashStillReachesTheService) {
  EXPECT_EQ(Get("//service/subjects?" + kJane)["status"].asString(), "OK");
}

}  // namespace
}  // namespace quillbox::reference
