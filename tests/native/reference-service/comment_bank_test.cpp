#include "comment_bank.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "bank_loader.h"
#include "running_service.h"
#include "sample_bank.h"

namespace quillbox::reference {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::TemporaryDirectory;

const BankSubject kMusic{"Music", {BankTab{"Singing", {"# sings.", "^ hums."}}, BankTab{"Quiet", {}}}};
const std::vector<BankTeacher> kSmallBank = {BankTeacher{"a@example.com", "pw-a", {kMusic}}};

TEST(CommentBank, NewDatabaseIsPopulatedWithTheSampleBank) {
  TemporaryDirectory directory;
  CommentBank bank(directory.File("bank.db"), SampleBank());
  EXPECT_TRUE(bank.WasPopulated());
  const auto teacher = bank.FindTeacher("jane.doe@example.com", "chalk-board");
  ASSERT_TRUE(teacher);
  EXPECT_THAT(bank.Subjects(*teacher), ElementsAre("English", "Mathematics", "Art & Design",
                                                   "Fran\xc3\xa7" "ais", "Science"));
  // Every marker occurs in the sample, and so does text beyond ASCII.
  std::string allComments;
  for (const std::string& subject : bank.Subjects(*teacher)) {
    const std::vector<BankTab> tabs = bank.Tabs(*teacher, subject).value();
    for (const BankTab& tab : tabs) {
      for (const std::string& comment : tab.comments) allComments += comment;
    }
  }
  for (const char* marker : {"#", "~", "^", "*", "\xc3\xa9"}) {
    EXPECT_THAT(allComments, HasSubstr(marker));
  }
}

TEST(CommentBank, ReopeningKeepsTheDataKeysIncluded) {
  TemporaryDirectory directory;
  const std::string path = directory.File("bank.db");
  std::string key;
  {
    CommentBank bank(path, kSmallBank);
    key = bank.IssueLoginKey(bank.FindTeacher("a@example.com", "pw-a").value());
  }
  CommentBank reopened(path, SampleBank());
  EXPECT_FALSE(reopened.WasPopulated());
  EXPECT_FALSE(reopened.FindTeacher("jane.doe@example.com", "chalk-board"));
  const auto teacher = reopened.FindTeacher("a@example.com", "pw-a");
  ASSERT_TRUE(teacher);
  const auto tabs = reopened.Tabs(*teacher, "Music");
  ASSERT_TRUE(tabs);
  ASSERT_EQ(tabs->size(), 2u);
  EXPECT_THAT((*tabs)[0].comments, ElementsAre("# sings.", "^ hums."));
  EXPECT_EQ(reopened.RedeemLoginKey(key), teacher);
  EXPECT_FALSE(reopened.RedeemLoginKey(key));
}

TEST(CommentBank, EmailIgnoresCaseAndPasswordMustMatchExactly) {
  TemporaryDirectory directory;
  CommentBank bank(directory.File("bank.db"), kSmallBank);
  EXPECT_TRUE(bank.FindTeacher("A@Example.COM", "pw-a"));
  EXPECT_FALSE(bank.FindTeacher("a@example.com", "PW-A"));
  EXPECT_FALSE(bank.FindTeacher("a@example.com", ""));
}

TEST(CommentBank, AFailedPopulationLeavesNothingBehind) {
  TemporaryDirectory directory;
  std::vector<BankTeacher> twice = kSmallBank;
  twice.push_back(kSmallBank[0]);  // the same e-mail address twice
  EXPECT_THROW(CommentBank(directory.File("bank.db"), twice).WasPopulated(), SqliteError);
  EXPECT_TRUE(CommentBank(directory.File("bank.db"), kSmallBank).WasPopulated());
}

TEST(ParseBankJson, RefusesMalformedBanksNamingThePlace) {
  const struct {
    const char* json;
    const char* reasonContains;
  } cases[] = {
      {"{", "not valid JSON"},
      {R"({"teachers": [{"email": "a@b", "password": "", "subjects": [
          {"name": "S", "tabs": [{"name": "T", "comments": ["ok", 3]}]}]}]})",
       "bank.teachers[0].subjects[0].tabs[0].comments[1] is not a string"},
      {R"({"teachers": [{"email": "a@b", "password": "", "subjects": [
          {"name": "S", "tabs": []}, {"name": "S", "tabs": []}]}]})",
       "repeats the subject name"},
  };
  for (const auto& c : cases) {
    try {
      ParseBankJson(c.json);
      ADD_FAILURE() << "accepted: " << c.json;
    } catch (const BankFormatError& error) {
      EXPECT_THAT(error.what(), HasSubstr(c.reasonContains));
    }
  }
}

}  // namespace
}  // namespace quillbox::reference
