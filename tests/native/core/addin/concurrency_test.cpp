// Office may call a ribbon getter while the progress dialog is up. The getters must then read
// a consistent model, never one the worker is writing; run under ThreadSanitizer this proves
// the model is free of data races.

#include "addin/addin_fixture.h"

#include <atomic>
#include <thread>

namespace quillbox {
namespace {

using testing::CoreFixture;

class GettersDuringAWorker : public ::testing::Test, public CoreFixture {};

TEST_F(GettersDuringAWorker, AnswerFromTheStateBeforeTheWorker) {
  std::string subjects = R"({"status":"OK","subjects":[)";
  for (int i = 0; i < 200; ++i) subjects += (i ? ",\"S" : "\"S") + std::to_string(i) + "\"";
  subjects += "]}";
  http.Reply("/service/subjects", subjects);
  http.Reply("/service/tabs", R"({"status":"OK","tabs":[{"name":"G","comments":[{"comment":"c"}]}]})");
  core.RibbonLoaded();

  std::atomic<int> reads{0};
  bool sawPartialState = false;
  progress.whileWaiting = [&] {
    if (core.GetItemCountSubject() != 0 || core.GetItemCountCategory() != 0 || core.GetVisibleComments()) {
      sawPartialState = true;
    }
    (void)core.GetItemLabelSubject(0);
    (void)core.GetLabelCategory();
    ++reads;
  };
  // Each request holds the worker until the ribbon has been read a few times meanwhile, so
  // that the reads fall inside the work however the two threads are scheduled.
  http.onRequest = [&](const std::string&) {
    const int until = reads + 3;
    while (reads < until) std::this_thread::yield();
  };
  core.LogIn();

  EXPECT_GE(reads.load(), 6) << "read during both requests";
  EXPECT_FALSE(sawPartialState);
  EXPECT_EQ(core.GetItemCountSubject(), 200);
  EXPECT_EQ(core.GetLabelCategory(), u"G");
}

}  // namespace
}  // namespace quillbox
