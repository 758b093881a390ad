#pragma once

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace quillbox::testing {

using Ids = std::vector<std::u16string>;

// A fake service with two subjects: "Maths" with three groups and "Art" whose groups are
// fetched on demand.
inline void ServeTwoSubjects(FakeTransport& http) {
  http.Reply("/service/subjects", R"({"status":"OK","subjects":["Maths","Art"]})");
  http.Reply("subject=Maths", R"({"status":"OK","tabs":[
      {"name":"Opening","comments":[{"comment":"# has settled well."},{"comment":"^ is keen."}]},
      {"name":"Effort","comments":[{"comment":"~ effort is good."}]},
      {"name":"Closing","comments":[{"comment":"Well done, #."}]}]})");
  http.Reply("subject=Art", R"({"status":"OK","tabs":[{"name":"Skills","comments":[{"comment":"^ draws."}]}]})");
}

// A core logged in to that service.
class LoggedInCore : public ::testing::Test, public CoreFixture {
 protected:
  void SetUp() override {
    ServeTwoSubjects(http);
    core.RibbonLoaded();
    core.LogIn();
    ribbon.Take();
    http.requests.clear();
  }
};

}  // namespace quillbox::testing
