#include "bench/scale/report_table.h"

#include <cstdio>

namespace quillbox::bench {

Verdict VerdictOf(const ReportRow& row) {
  if (!row.target) return Verdict::kNoTarget;
  return row.figure < *row.target ? Verdict::kMet : Verdict::kMissed;
}

std::string FormatNumber(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", value);
  std::string number = text;
  while (!number.empty() && number.back() == '0') number.pop_back();
  if (!number.empty() && number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

std::string FormatTable(const std::vector<ReportRow>& rows) {
  std::string table = "| Figure | Measured | Empty baseline | Target | Verdict |\n|---|---:|---:|---:|---|\n";
  for (const ReportRow& row : rows) {
    const std::string unit = row.unit.empty() ? "" : " " + row.unit;
    table += "| " + row.name + " | " + FormatNumber(row.figure) + unit + " | ";
    table += row.baseline ? FormatNumber(*row.baseline) + unit : "-";
    table += " | ";
    table += row.target ? "< " + FormatNumber(*row.target) + unit : "-";
    switch (VerdictOf(row)) {
      case Verdict::kMet: table += " | met |\n"; break;
      case Verdict::kMissed: table += " | MISSED |\n"; break;
      case Verdict::kNoTarget: table += " | |\n"; break;
    }
  }
  return table;
}

}  // namespace quillbox::bench
