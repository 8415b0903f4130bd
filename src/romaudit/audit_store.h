// korvo-audit.cfg: the result of the last check of every set, so that a later
// audit reads only what changed. Results hold for one mame.exe (the listing
// cache's key) and for the places they were read from (their fingerprint).
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_stamp.h"
#include "romaudit/set_check.h"

struct AuditRecord {
  FileStamp own;             // the set's own zip (or folder) when it was checked
  uint64_t fingerprint = 0;  // of every place the check read
  Verdict verdict = Verdict::NotChecked;
  std::vector<std::string> looked_in;  // the set names whose places were read
  std::string details;                 // one line, as the result list shows it
  std::string report;                  // the lines of the report
};

struct AuditStore {
  std::string key;                             // the MAME build the results hold for
  std::map<std::string, AuditRecord> records;  // by set name
};

// Reads what it can: a damaged line drops that line only.
AuditStore ParseAuditStore(std::string_view text);
std::string FormatAuditStore(const AuditStore& store);

std::string AuditStorePath();  // korvo-audit.cfg in the launcher folder

// korvo-audit-mame.cfg: MAME's answers to -listxml and -listroms for the sets
// named, kept for the mame.exe they came from, so that a later audit of
// those sets does not ask again.
struct MameAnswers {
  std::string key;                 // the MAME build they hold for
  std::vector<std::string> names;  // the sets asked about
  std::string listxml, listroms;
};
MameAnswers ParseMameAnswers(std::string_view text);
std::string FormatMameAnswers(const MameAnswers& answers);
std::string MameAnswersPath();  // in the launcher folder
