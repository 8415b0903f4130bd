// What the Check All ROM Sets window says: its progress line, its summary,
// the order of its result list and the report it copies.
#pragma once
#include <string>
#include <vector>

#include "romaudit/collection_audit.h"

constexpr const char* kAuditTitle = "Check All ROM Sets";
constexpr const char* kAuditMenuText = "Check &All ROM Sets\xE2\x80\xA6";

// "Checked 12 of 45 sets · 85.3 MB/s · reading sfex2u", or the question to MAME.
std::string AuditProgressText(const AuditProgress& progress);
// The line shown when the audit has ended.
std::string AuditSummaryText(const std::vector<AuditRow>& rows, const AuditOutcome& outcome);

enum class AuditColumn { Game, Set, Verdict, Details };
constexpr int kAuditColumnCount = 4;
// Sorted by a column (verdicts from good to worst), then by game title.
void SortAuditRows(std::vector<AuditRow>& rows, AuditColumn column, bool ascending);
// The cell texts of a row.
std::string AuditCellText(const AuditRow& row, AuditColumn column);

// One set's whole finding: its title, set and verdict, then its report lines
// (CRLF line ends), as the report has it and as a double-click shows it.
std::string AuditRowText(const AuditRow& row);

// The whole result as plain text (CRLF line ends), for the clipboard.
std::string AuditReportText(const std::vector<AuditRow>& rows, const AuditOutcome& outcome);
