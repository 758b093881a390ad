#include <gtest/gtest.h>

#include "model/pupil_memory.h"

namespace quillbox {
namespace {

TEST(PupilMemory, NamesMatchWithoutRegardToCaseOrSurroundingSpace) {
  const struct {
    const char16_t* typed;
    const char16_t* other;
    bool same;
  } cases[] = {{u"Amira", u"  aMIRA\t", true},  {u"\u00c9lodie", u"\u00e9LODIE", true},
               {u"\u0141ucja", u"\u0142ucja", true}, {u"\u0416\u0435\u043d\u044f", u"\u0436\u0415\u041d\u042f", true},
               {u"Anne Marie", u"anne  marie", false}, {u"Tom", u"Tomas", false}};
  for (const auto& c : cases) {
    PupilMemory memory;
    memory.RememberPronouns(c.typed, PronounSet::kThey);
    EXPECT_EQ(memory.PronounsFor(c.other).has_value(), c.same) << std::u16string(c.other).size();
    memory.RecordUse(u"^ is keen.", c.typed);
    EXPECT_EQ(memory.WasUsedFor(u"^ is keen.", c.other), c.same);
  }
}

TEST(PupilMemory, ListsEachPupilOnceInTheOrderTheyGotTheComment) {
  PupilMemory memory;
  memory.RememberPronouns(u"   ", PronounSet::kGirl);
  EXPECT_EQ(memory.PronounsFor(u""), std::nullopt) << "a blank name remembers nothing";
  for (const char16_t* name : {u" Amira ", u"Tom", u"amira", u"Sam"}) memory.RecordUse(u"# tries.", name);
  memory.RecordUse(u"^ is keen.", u"Tom");
  EXPECT_EQ(memory.UsedForList(u"# tries."), u"Amira, Tom, Sam");
  EXPECT_EQ(memory.UsedForList(u"^ is keen."), u"Tom");
  EXPECT_EQ(memory.UsedForList(u"^ draws."), u"");
  memory.RememberPronouns(u"Tom", PronounSet::kBoy);
  memory.Forget();
  EXPECT_EQ(memory.UsedForList(u"# tries."), u"");
  EXPECT_EQ(memory.PronounsFor(u"Tom"), std::nullopt);
}

}  // namespace
}  // namespace quillbox
