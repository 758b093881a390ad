// Every document of a public JSON parsing test suite served as the body of each of the three
// replies: whatever the body, the outcome is one of the defined ones and nothing crashes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "service/service_client.h"
#include "tests/support/fakes.h"

namespace quillbox {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> SuiteFiles() {
  std::vector<fs::path> files;
  const fs::path dir = fs::path(QUILLBOX_TESTDATA_DIR) / "json-test-suite" / "test_parsing";
  if (!fs::is_directory(dir)) return files;
  for (const auto& entry : fs::directory_iterator(dir)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(JsonTestSuite, EveryDocumentEndsInADefinedOutcome) {
  const std::vector<fs::path> files = SuiteFiles();
  if (files.empty()) GTEST_SKIP() << "JSON test suite not found beside the project (../shared/testdata); skipped";

  // None of the documents is a service reply, so each ends as a failure message or as a
  // refusal without a message, and no subject is ever listed.
  const std::set<std::u16string> subjectOutcomes = {u"", messages::kProxyOrFirewall, messages::kJsonError,
                                                    messages::kJsonSyntaxError};
  const std::set<std::u16string> groupOutcomes = {u"", messages::kJsonError, messages::kJsonSyntaxError};
  size_t parsed = 0;
  for (const fs::path& file : files) {
    const std::string body = ReadFile(file);
    testing::FakeTransport http;
    http.Reply("/service/", body);
    const ServiceAccount account{u"http://svc.test", u"a", u"b"};

    CommentStore store;
    ErrorReport subjectErrors;
    ServiceClient(account, http).FetchSubjects(store, subjectErrors);
    EXPECT_TRUE(subjectOutcomes.count(subjectErrors.text)) << file;
    EXPECT_TRUE(store.Subjects().empty()) << file;
    if (subjectErrors.text != messages::kJsonError && subjectErrors.text != messages::kProxyOrFirewall) ++parsed;

    CommentStore groups;
    ErrorReport groupErrors;
    ServiceClient(account, http).FetchCommentGroups(groups, u"S", groupErrors);
    EXPECT_TRUE(groupOutcomes.count(groupErrors.text)) << file;
    (void)ServiceClient(account, http).FetchLoginKey();
  }
  std::cout << "served " << files.size() << " documents, " << parsed << " parsed\n";
  EXPECT_GT(parsed, 0u);
}

}  // namespace
}  // namespace quillbox
