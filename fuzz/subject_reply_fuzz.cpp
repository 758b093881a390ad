// A subject reply, then the first subject's comment-group reply, both from the fuzzer.
#include <cstdlib>

#include "reply_harness.h"

using namespace quillbox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BodyTransport http(data, size);
  CommentStore store;
  ErrorReport errors;
  ServiceClient(fuzz::Account(), http).FetchSubjects(store, errors);
  // Every subject listed has its cache entry, and the group list mirrors one entry.
  for (const RibbonItem& subject : store.Subjects()) {
    if (!store.FindSubjectEntry(subject.label)) std::abort();
  }
  if (!store.Subjects().empty() && errors.text.empty() &&
      store.CommentGroups().size() != store.FindSubjectEntry(store.Subjects().front().label)->commentGroupNames.size()) {
    std::abort();
  }
  return 0;
}
