// Figures for the portable core with a generated comment bank: relabelling the comment list,
// mapping a large comment-group reply into the store, and personalising one comment.

#include <benchmark/benchmark.h>

#include <string>

#include "model/comment_store.h"
#include "model/personalise.h"
#include "service/service_client.h"

namespace quillbox {
namespace {

// About 200 characters with every marker.
std::u16string SampleComment(int n) {
  std::u16string text = u"# has worked hard this term (" + std::u16string(1, static_cast<char16_t>(u'a' + n % 26)) +
                        u"). ^ shows real care in ~ written work and it is a pleasure to teach *; ";
  while (text.size() < 200) text += u"# keeps trying. ";
  return text.substr(0, 200);
}

void BM_RebuildCommentList(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  CommentStore store;
  std::vector<std::u16string> comments;
  for (int i = 0; i < count; ++i) comments.push_back(SampleComment(i));
  CommentStore::AddCommentGroup(store.SubjectEntryFor(u"Maths"), u"Effort", std::move(comments));
  store.SetPupilName(u"Alexandra");
  for (auto _ : state) {
    store.RebuildCommentList(u"Maths", u"Effort");
    benchmark::DoNotOptimize(store.CommentCount());
  }
  state.SetComplexityN(count);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RebuildCommentList)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();

// The floor under relabelling's growth: only reading the same banks, counting each text's
// markers, with nothing written. Its 10,000 against 1,000 is what the machine's caches alone
// add once a bank no longer fits them.
void BM_ReadCommentTexts(benchmark::State& state) {
  std::vector<std::u16string> comments;
  for (int i = 0; i < state.range(0); ++i) comments.push_back(SampleComment(i));
  for (auto _ : state) {
    size_t markers = 0;
    for (const std::u16string& text : comments) {
      for (char16_t c : text) markers += c == u'#' || c == u'^' || c == u'~' || c == u'*';
    }
    benchmark::DoNotOptimize(markers);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadCommentTexts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Relabelling 1,000 comments for a pupil who uses they, each "they" with its verb put into
// agreement: argument 0 is the bank of BM_RebuildCommentList (one "^" in 200 characters, as
// report comments have), argument 1 a dense bank with a "they" in every clause (about nine in
// 200 characters: adverbs skipped, "'s" contracted, regular, irregular and joined verbs).
std::u16string DenseTheyComment(int n) {
  static const char16_t* const kSentences[] = {
      u"^ is always keen and ^ usually finishes ~ work carefully. ",
      u"^'s made a strong start and ^ really enjoys practical work. ",
      u"^ tries hard, ^ often watches others first and ^ doesn't give up. ",
      u"# works well; ^ studies independently and * has done well. "};
  std::u16string text = u"(" + std::u16string(1, static_cast<char16_t>(u'a' + n % 26)) + u") ";
  for (int i = 0; text.size() < 200; ++i) text += kSentences[(n + i) % 4];
  return text.substr(0, 200);
}

void BM_RebuildCommentListThey(benchmark::State& state) {
  const bool dense = state.range(0) == 1;
  CommentStore store;
  std::vector<std::u16string> comments;
  for (int i = 0; i < 1000; ++i) comments.push_back(dense ? DenseTheyComment(i) : SampleComment(i));
  CommentStore::AddCommentGroup(store.SubjectEntryFor(u"Maths"), u"Effort", std::move(comments));
  store.SetPupilName(u"Alexandra");
  store.SetPronouns(PronounSet::kThey);
  for (auto _ : state) {
    store.RebuildCommentList(u"Maths", u"Effort");
    benchmark::DoNotOptimize(store.CommentCount());
  }
  state.SetLabel(dense ? "dense they" : "sample bank");
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_RebuildCommentListThey)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

class CannedTransport : public HttpTransport {
 public:
  explicit CannedTransport(std::string body) : body_(std::move(body)) {}
  std::string Get(const std::string&) override { return body_; }

 private:
  std::string body_;
};

std::string LargeTabsReply(size_t targetBytes) {
  std::string reply = R"({"status":"OK","tabs":[)";
  int group = 0;
  while (reply.size() < targetBytes) {
    if (group) reply += ",";
    reply += R"({"name":"Group )" + std::to_string(group++) + R"(","comments":[)";
    for (int c = 0; c < 50; ++c) {
      if (c) reply += ",";
      reply += R"({"comment":"# has worked hard this term and ^ shows real care in ~ written work; it is a pleasure to teach * \u00e9)" +
               std::to_string(c) + R"("})";
    }
    reply += "]}";
  }
  return reply + "]}";
}

void BM_FetchCommentGroups(benchmark::State& state) {
  CannedTransport http(LargeTabsReply(static_cast<size_t>(state.range(0))));
  const ServiceAccount account{u"http://svc.test", u"a@b.c", u"pw"};
  for (auto _ : state) {
    CommentStore store;
    ErrorReport errors;
    ServiceClient(account, http).FetchCommentGroups(store, u"Maths", errors);
    benchmark::DoNotOptimize(store.CachedSubjectCount());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FetchCommentGroups)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_PersonaliseComment(benchmark::State& state) {
  const std::u16string comment = SampleComment(3);
  for (auto _ : state) benchmark::DoNotOptimize(PersonaliseComment(comment, u"Alexandra", PronounSet::kGirl));
}
BENCHMARK(BM_PersonaliseComment);

}  // namespace
}  // namespace quillbox

BENCHMARK_MAIN();
