#include "romaudit/audit_texts.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "base/text_util.h"
#include "romaudit/verify_text.h"

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

size_t GoodRows(const std::vector<AuditRow>& rows) {
  return static_cast<size_t>(std::count_if(rows.begin(), rows.end(), [](const AuditRow& r) { return VerdictIsGood(r.verdict); }));
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
  double mb_per_s = p.seconds > 0 ? p.bytes / 1048576.0 / p.seconds : 0;
  std::string text = Format("Checked %zu of %zu sets \xC2\xB7 %.1f MB/s", p.done, p.total, mb_per_s);
  if (!p.reading.empty()) text += " \xC2\xB7 reading " + p.reading;
  return text;
}

std::string AuditSummaryText(const std::vector<AuditRow>& rows, const AuditOutcome& outcome) {
  if (rows.empty()) return outcome.notes.empty() ? "No ROM sets were found in the ROM folders." : outcome.notes[0];
  const size_t good = GoodRows(rows);
  std::string text;
  if (outcome.cancelled)
    text = Format("Cancelled after %zu sets; those not reached keep no result. ", outcome.checked);
  text += Format("%zu sets: %zu good, %zu with problems", rows.size(), good, rows.size() - good);
  if (outcome.kept) text += Format(" (%zu unchanged since the last check)", outcome.kept);
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
    int order;
    if (column == AuditColumn::Verdict)
      order = static_cast<int>(a.verdict) - static_cast<int>(b.verdict);
    else
      order = ToLowerAscii(AuditCellText(a, column)).compare(ToLowerAscii(AuditCellText(b, column)));
    if (order == 0 && column != AuditColumn::Game) order = ToLowerAscii(a.title).compare(ToLowerAscii(b.title));
    return ascending ? order < 0 : order > 0;
  });
}

std::string AuditReportText(const std::vector<AuditRow>& rows, const AuditOutcome& outcome) {
  std::string text = std::string(kAuditTitle) + ": " + AuditSummaryText(rows, outcome) + "\n";
  for (const std::string& note : outcome.notes) text += note + "\n";
  for (const AuditRow& row : rows) {
    text += "\n" + row.title + " (" + row.set + "): " + VerdictText(row.verdict) + "\n";
    if (!row.report.empty())
      text += row.report;
    else if (!row.details.empty())
      text += row.details + "\n";
  }
  return Crlf(text);
}
