// A comment-group reply from the fuzzer, mapped into the store and listed as the ribbon would.
#include <cstdlib>

#include "reply_harness.h"

using namespace quillbox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BodyTransport http(data, size);
  CommentStore store;
  ErrorReport errors;
  ServiceClient(fuzz::Account(), http).FetchCommentGroups(store, u"Maths", errors);
  if (store.RebuildCommentGroupList(u"Maths")) {
    for (const RibbonItem& group : store.CommentGroups()) {
      store.RebuildCommentList(u"Maths", group.label);
      for (int32_t i = 0; i < static_cast<int32_t>(store.CommentCount()); ++i) {
        if (store.CommentLabelAt(i)->size() > 103) std::abort();
      }
    }
  }
  return 0;
}
