#include "bench/scale/sample_stats.h"

#include <algorithm>
#include <cmath>

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
  // Nearest rank: the smallest value with at least 90% of the samples at or below it.
  const auto rank = static_cast<size_t>(std::ceil(0.9 * static_cast<double>(n)));
  summary.p90 = samples[std::max<size_t>(rank, 1) - 1];
  return summary;
}

}  // namespace quillbox::bench
