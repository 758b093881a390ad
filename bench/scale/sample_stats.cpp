#include "bench/scale/sample_stats.h"

#include <algorithm>

namespace quillbox::bench {

SampleSummary Summarise(std::vector<double> samples) {
  SampleSummary summary;
  if (samples.empty()) return summary;
  std::sort(samples.begin(), samples.end());
  const size_t n = samples.size();
  summary.count = static_cast<int>(n);
  summary.min = samples.front();
  summary.max = samples.back();
  summary.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
  // Nearest rank: the smallest value with at least 90% of the samples at or below it. The rank,
  // ceil(9n / 10), in whole numbers: in floating point 0.9 * n can land just above a whole number
  // (x87 arithmetic in the 32-bit build keeps 0.9's excess digits) and ceil would take one more.
  const size_t rank = (9 * n + 9) / 10;
  summary.p90 = samples[std::max<size_t>(rank, 1) - 1];
  return summary;
}

}  // namespace quillbox::bench
