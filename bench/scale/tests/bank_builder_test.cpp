#include "bench/scale/bank_builder.h"

#include <json/json.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>

#include "common/text_utf.h"

namespace quillbox::bench {
namespace {

TEST(MakeBankTest, TheBenchmarkBankHasTenThousandCommentsInFiftySubjects) {
  const GeneratedBank bank = MakeBank(BankShape{});
  ASSERT_EQ(bank.subjects.size(), 50u);
  EXPECT_EQ(bank.CommentCount(), 10000u);
  for (const BankGroup& group : bank.subjects[0].groups) EXPECT_EQ(group.comments.size(), 500u);
  // The other 8000 comments spread over 196 groups: 40 or 41 each.
  for (size_t s = 1; s < bank.subjects.size(); ++s) {
    ASSERT_EQ(bank.subjects[s].groups.size(), 4u);
    for (const BankGroup& group : bank.subjects[s].groups) {
      EXPECT_GE(group.comments.size(), 40u);
      EXPECT_LE(group.comments.size(), 41u);
    }
  }
}

TEST(MakeBankTest, NamesAreUniqueWhereTheServiceAndTheStoreNeedThem) {
  const GeneratedBank bank = MakeBank(BankShape{3, 8, 40, 2});
  std::set<std::u16string> subjects;
  for (const BankSubject& subject : bank.subjects) {
    EXPECT_TRUE(subjects.insert(subject.name).second);
    std::set<std::u16string> groups;
    for (const BankGroup& group : subject.groups) EXPECT_TRUE(groups.insert(group.name).second) << group.name.size();
  }
  std::set<std::u16string> comments;
  for (const BankSubject& subject : bank.subjects) {
    for (const BankGroup& group : subject.groups) {
      for (const std::u16string& comment : group.comments) EXPECT_TRUE(comments.insert(comment).second);
    }
  }
  EXPECT_EQ(comments.size(), 40u);
}

TEST(MakeBankTest, CommentsAreRealisticInLengthAndCarryEveryMarker) {
  const GeneratedBank bank = MakeBank(BankShape{1, 1, 100, 100});
  size_t units = 0;
  bool nonAscii = false;
  for (const std::u16string& comment : bank.subjects[0].groups[0].comments) {
    EXPECT_GE(comment.size(), 100u);
    EXPECT_LE(comment.size(), 260u);
    units += comment.size();
    for (const char16_t c : comment) nonAscii |= c > 0x7f;
  }
  EXPECT_GT(units / 100, 150u);
  std::u16string all;
  for (const std::u16string& comment : bank.subjects[0].groups[0].comments) all += comment;
  for (const char16_t marker : {u'#', u'^', u'~', u'*'}) EXPECT_NE(all.find(marker), std::u16string::npos);
  EXPECT_TRUE(nonAscii);
}

TEST(MakeBankTest, Utf16SizeCountsEveryNameAndCommentInCodeUnits) {
  GeneratedBank bank;
  bank.subjects.push_back({u"Art", {{u"Effort", {u"ab", u"\u00e9"}}, {u"X", {}}}});
  bank.subjects.push_back({u"", {}});
  EXPECT_EQ(bank.Utf16TextBytes(), (3u + 6u + 2u + 1u + 1u) * 2u);
  EXPECT_EQ(bank.CommentCount(), 2u);
}

TEST(MakeBankTest, RefusesImpossibleShapes) {
  const BankShape impossible[] = {{0, 4, 100, 1}, {2, 0, 100, 1}, {2, 4, 10, 5}, {1, 2, 10, 4}, {2, 2, 10, -1}};
  for (const BankShape& shape : impossible) {
    EXPECT_THROW(MakeBank(shape), std::invalid_argument) << shape.subjects << " " << shape.totalComments;
  }
  EXPECT_NO_THROW(MakeBank(BankShape{1, 2, 10, 5}));
}

TEST(JsonStringTest, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(JsonString("plain"), "\"plain\"");
  EXPECT_EQ(JsonString("say \"hi\"\\"), "\"say \\\"hi\\\"\\\\\"");
  EXPECT_EQ(JsonString("a\nb\x01"), "\"a\\u000ab\\u0001\"");
  EXPECT_EQ(JsonString("\xc3\xa9"), "\"\xc3\xa9\"");
}

TEST(BankFileJsonTest, ReadsBackAsTheReferenceServiceBankFormat) {
  GeneratedBank bank = MakeBank(BankShape{2, 2, 12, 3});
  bank.subjects[1].groups[0].comments[0] = u"A \"quoted\" \u00e9l\u00e8ve\\";
  const std::string text = BankFileJson(bank, "t@example.org", "pw\"1");

  Json::CharReaderBuilder builder;
  Json::CharReaderBuilder::strictMode(&builder.settings_);
  const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  ASSERT_TRUE(reader->parse(text.data(), text.data() + text.size(), &root, &errors)) << errors;

  const Json::Value& teacher = root["teachers"][0];
  EXPECT_EQ(root["teachers"].size(), 1u);
  EXPECT_EQ(teacher["email"].asString(), "t@example.org");
  EXPECT_EQ(teacher["password"].asString(), "pw\"1");
  ASSERT_EQ(teacher["subjects"].size(), bank.subjects.size());
  for (Json::ArrayIndex s = 0; s < teacher["subjects"].size(); ++s) {
    const Json::Value& subject = teacher["subjects"][s];
    EXPECT_EQ(Utf8ToUtf16(subject["name"].asString()), bank.subjects[s].name);
    ASSERT_EQ(subject["tabs"].size(), bank.subjects[s].groups.size());
    for (Json::ArrayIndex g = 0; g < subject["tabs"].size(); ++g) {
      const Json::Value& tab = subject["tabs"][g];
      const BankGroup& group = bank.subjects[s].groups[g];
      EXPECT_EQ(Utf8ToUtf16(tab["name"].asString()), group.name);
      ASSERT_EQ(tab["comments"].size(), group.comments.size());
      for (Json::ArrayIndex c = 0; c < tab["comments"].size(); ++c) {
        EXPECT_EQ(Utf8ToUtf16(tab["comments"][c].asString()), group.comments[c]);
      }
    }
  }
}

}  // namespace
}  // namespace quillbox::bench
