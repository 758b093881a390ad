#include "bench/scale/sample_stats.h"

#include <gtest/gtest.h>

namespace quillbox::bench {
namespace {

struct SummaryCase {
  const char* name;
  std::vector<double> samples;
  int count;
  double median, min, max, p90;
};

class SummariseTest : public testing::TestWithParam<SummaryCase> {};

TEST_P(SummariseTest, GivesOrderStatisticsWhateverTheInputOrder) {
  const SummaryCase& c = GetParam();
  const SampleSummary summary = Summarise(c.samples);
  EXPECT_EQ(summary.count, c.count);
  EXPECT_DOUBLE_EQ(summary.median, c.median);
  EXPECT_DOUBLE_EQ(summary.min, c.min);
  EXPECT_DOUBLE_EQ(summary.max, c.max);
  EXPECT_DOUBLE_EQ(summary.p90, c.p90);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SummariseTest,
    testing::Values(SummaryCase{"empty", {}, 0, 0, 0, 0, 0},
                    SummaryCase{"one", {4.5}, 1, 4.5, 4.5, 4.5, 4.5},
                    SummaryCase{"odd_unsorted", {9, 1, 5}, 3, 5, 1, 9, 9},
                    SummaryCase{"even_takes_mean_of_middle_two", {4, 1, 3, 2}, 4, 2.5, 1, 4, 4},
                    // Ten values: the 90th percentile by nearest rank is the ninth.
                    SummaryCase{"ten", {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 10, 5.5, 1, 10, 9},
                    // One outlier moves neither the median nor the 90th percentile of twenty.
                    SummaryCase{"outlier", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 500},
                                20, 1, 1, 500, 1}),
    [](const testing::TestParamInfo<SummaryCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillbox::bench
