#pragma once

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace quillbox::testing {

using Ids = std::vector<std::u16string>;

// A core logged in to a fake service with two subjects: "Maths" with three groups and "Art"
// whose groups are fetched on demand; Boy is chosen for the starting "Pupil name".
class LoggedInCore : public ::testing::Test, public CoreFixture {
 protected:
  void SetUp() override {
    http.Reply("/service/subjects", R"({"status":"OK","subjects":["Maths","Art"]})");
    http.Reply("subject=Maths", R"({"status":"OK","tabs":[
        {"name":"Opening","comments":[{"comment":"# has settled well."},{"comment":"^ is keen."}]},
        {"name":"Effort","comments":[{"comment":"~ effort is good."}]},
        {"name":"Closing","comments":[{"comment":"Well done, #."}]}]})");
    http.Reply("subject=Art", R"({"status":"OK","tabs":[{"name":"Skills","comments":[{"comment":"^ draws."}]}]})");
    core.RibbonLoaded();
    core.LogIn();
    core.PressBoy();
    ribbon.Take();
    http.requests.clear();
  }
};

}  // namespace quillbox::testing
