#include "bench/scale/report_table.h"

#include <gtest/gtest.h>

namespace quillbox::bench {
namespace {

TEST(FormatNumberTest, KeepsThreeDecimalsWithoutTrailingZeros) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"}, {12, "12"}, {0.5, "0.5"}, {0.0434, "0.043"}, {1.9996, "2"}, {-0.0001, "0"}, {-2.25, "-2.25"},
      {195.125, "195.125"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatNumber(value), text) << value;
}

TEST(VerdictTest, TargetIsAnExclusiveUpperBound) {
  EXPECT_EQ(VerdictOf({"a", 19.9, std::nullopt, 20.0, "ms"}), Verdict::kMet);
  EXPECT_EQ(VerdictOf({"a", 20.0, std::nullopt, 20.0, "ms"}), Verdict::kMissed);
  EXPECT_EQ(VerdictOf({"a", 195, std::nullopt, 20.0, "ms"}), Verdict::kMissed);
  EXPECT_EQ(VerdictOf({"a", 195, std::nullopt, std::nullopt, "ms"}), Verdict::kNoTarget);
}

TEST(FormatTableTest, OneRowPerFigureWithBaselineTargetAndVerdict) {
  const std::string table = FormatTable({{"Load", 12.5, 0.25, 20.0, "ms"},
                                         {"Getter", 61, std::nullopt, 50.0, "us"},
                                         {"Ratio", 2, 1.5, std::nullopt, ""}});
  EXPECT_EQ(table,
            "| Figure | Measured | Empty baseline | Target | Verdict |\n"
            "|---|---:|---:|---:|---|\n"
            "| Load | 12.5 ms | 0.25 ms | < 20 ms | met |\n"
            "| Getter | 61 us | - | < 50 us | MISSED |\n"
            "| Ratio | 2 | 1.5 | - | |\n");
}

}  // namespace
}  // namespace quillbox::bench
