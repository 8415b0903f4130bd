#include "romaudit/audit_texts.h"

#include <algorithm>
#include <cstdio>

#include "base/text_util.h"
#include "romaudit/verify_text.h"

namespace {

std::string N(size_t n) { return std::to_string(n); }

size_t RowsWith(const std::vector<AuditRow>& rows, bool (*which)(Verdict)) {
  return static_cast<size_t>(std::count_if(rows.begin(), rows.end(), [&](const AuditRow& r) { return which(r.verdict); }));
}

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

std::string AuditProgressText(const AuditProgress& p) {
  if (p.total == 0) return "Looking at the ROM folders\xE2\x80\xA6";
  if (p.done == 0 && p.bytes == 0) return "Asking MAME which files the sets need\xE2\x80\xA6";
  char speed[32];
  std::snprintf(speed, sizeof speed, "%.1f", p.seconds > 0 ? p.bytes / 1048576.0 / p.seconds : 0.0);
  std::string text = "Checked " + N(p.done) + " of " + N(p.total) + " sets \xC2\xB7 " + speed + " MB/s";
  if (!p.reading.empty()) text += " \xC2\xB7 reading " + p.reading;
  return text;
}

std::string AuditSummaryText(const std::vector<AuditRow>& rows, const AuditOutcome& outcome) {
  if (rows.empty() && outcome.cancelled) return "The check was cancelled before any set was checked.";
  if (rows.empty()) return outcome.notes.empty() ? "No ROM sets were found in the ROM folders." : outcome.notes[0];
  // Sets that could not be checked, and those this MAME does not know, are
  // neither good nor shown to have problems: each is counted on its own.
  const size_t good = RowsWith(rows, VerdictIsGood);
  const size_t not_checked = RowsWith(rows, [](Verdict v) { return v == Verdict::NotChecked; });
  const size_t unknown = RowsWith(rows, [](Verdict v) { return v == Verdict::Unknown; });
  std::string text;
  if (outcome.cancelled)
    text = "Cancelled after " + N(outcome.checked) + " sets; those not reached keep no result. ";
  text += N(rows.size()) + " sets: " + N(good) + " good, " + N(rows.size() - good - not_checked - unknown) +
          " with problems";
  if (not_checked) text += ", " + N(not_checked) + " not checked";
  if (unknown) text += ", " + N(unknown) + " not known to this MAME";
  if (outcome.kept) text += " (" + N(outcome.kept) + " unchanged since the last check)";
  text += ".";
  return text;
}

std::string AuditCellText(const AuditRow& row, AuditColumn column) {
  switch (column) {
    case AuditColumn::Game: return row.title;
    case AuditColumn::Set: return row.set;
    case AuditColumn::Verdict: return VerdictText(row.verdict);
    case AuditColumn::Details: return row.details;
  }
  return "";
}

void SortAuditRows(std::vector<AuditRow>& rows, AuditColumn column, bool ascending) {
  std::stable_sort(rows.begin(), rows.end(), [&](const AuditRow& a, const AuditRow& b) {
    int order = 0;
    if (column == AuditColumn::Verdict)
      order = static_cast<int>(a.verdict) - static_cast<int>(b.verdict);
    else
      order = ToLowerAscii(AuditCellText(a, column)).compare(ToLowerAscii(AuditCellText(b, column)));
    if (order == 0 && column != AuditColumn::Game) order = ToLowerAscii(a.title).compare(ToLowerAscii(b.title));
    return ascending ? order < 0 : order > 0;
  });
}

std::string AuditRowText(const AuditRow& row) {
  std::string text = row.title + " (" + row.set + "): " + VerdictText(row.verdict) + "\n";
  if (!row.report.empty())
    text += row.report;
  else if (!row.details.empty())
    text += row.details + "\n";
  return Crlf(text);
}

std::string AuditReportText(const std::vector<AuditRow>& rows, const AuditOutcome& outcome) {
  std::string text = Crlf(std::string(kAuditTitle) + ": " + AuditSummaryText(rows, outcome) + "\n");
  for (const std::string& note : outcome.notes) text += Crlf(note + "\n");
  for (const AuditRow& row : rows) text += "\r\n" + AuditRowText(row);
  return text;
}
