#pragma once
// Summaries of repeated timings: the median is the figure reported, the spread shows how
// steady it was.

#include <vector>

namespace quillbox::bench {

struct SampleSummary {
  int count = 0;
  double median = 0;
  double min = 0;
  double max = 0;
  double p90 = 0;  // nearest-rank 90th percentile
};

// Empty input gives a summary with count 0 and zeros.
SampleSummary Summarise(std::vector<double> samples);

}  // namespace quillbox::bench
