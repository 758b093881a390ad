#pragma once
// The benchmark's result table: one row per figure, with the empty baseline measured in the
// same run, the target, and whether the figure meets it.

#include <optional>
#include <string>
#include <vector>

namespace quillbox::bench {

struct ReportRow {
  std::string name;
  double figure = 0;
  std::optional<double> baseline;  // the same figure for a do-nothing counterpart
  std::optional<double> target;    // met when figure < target
  std::string unit;
};

enum class Verdict { kMet, kMissed, kNoTarget };

Verdict VerdictOf(const ReportRow& row);

// A Markdown table (figure, baseline, target, verdict), values with 3 significant decimals.
std::string FormatTable(const std::vector<ReportRow>& rows);

// A number printed with up to three decimals and no trailing zeros ("0.5", "12", "0.043").
std::string FormatNumber(double value);

}  // namespace quillbox::bench
