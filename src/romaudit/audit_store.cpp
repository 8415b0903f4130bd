#include "romaudit/audit_store.h"

#include <cstdio>

#include "base/paths.h"
#include "base/text_lines.h"
#include "base/text_util.h"
#include "romaudit/verify_text.h"

namespace {

// Texts may hold line breaks and the field separator: both are escaped.
std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\\' || c == '|')
      out += '\\', out += c;
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

// Splits at unescaped separators and undoes the escapes.
std::vector<std::string> SplitEscaped(std::string_view value) {
  std::vector<std::string> fields(1);
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '|') {
      fields.emplace_back();
    } else if (c == '\\' && i + 1 < value.size()) {
      char n = value[++i];
      fields.back() += n == 'n' ? '\n' : n == 'r' ? '\r' : n;
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool ReadU64(std::string_view text, int base, uint64_t& out) {
  if (text.empty() || text.size() > 20) return false;
  out = 0;
  for (char c : text) {
    int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
    if (v >= base || out > (UINT64_MAX - static_cast<uint64_t>(v)) / static_cast<uint64_t>(base)) return false;
    out = out * static_cast<uint64_t>(base) + static_cast<uint64_t>(v);
  }
  return true;
}

bool ReadRecord(std::string_view value, AuditRecord& record) {
  std::vector<std::string> f = SplitEscaped(value);
  if (f.size() != 7) return false;
  if (!ReadU64(f[0], 10, record.own.size) || !ReadU64(f[1], 10, record.own.write_time) ||
      !ReadU64(f[2], 16, record.fingerprint) || !VerdictFromCode(f[3], record.verdict))
    return false;
  for (std::string_view name : SplitFields(f[4], ','))
    if (!name.empty()) record.looked_in.emplace_back(name);
  record.details = f[5];
  record.report = f[6];
  return true;
}

}  // namespace

AuditStore ParseAuditStore(std::string_view text) {
  AuditStore store;
  ForEachLine(text, [&](std::string_view line) {
    line = TrimNarrow(line);
    if (line.empty() || line[0] == '#' || line[0] == ';') return;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    std::string key = ToLowerAscii(TrimNarrow(line.substr(0, eq)));
    std::string_view value = TrimNarrow(line.substr(eq + 1));
    if (key == "key") {
      store.key = std::string(value);
      return;
    }
    AuditRecord record;
    if (!key.empty() && ReadRecord(value, record)) store.records[key] = std::move(record);
  });
  return store;
}

std::string FormatAuditStore(const AuditStore& store) {
  std::string text = "# Korvo: what Check All ROM Sets found, for the mame.exe named below.\r\n";
  text += "# set=zip size|zip time|fingerprint|verdict|sets read|details|report\r\n";
  text += "key=" + store.key + "\r\n";
  for (const auto& [set, r] : store.records) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%llu|%llu|%016llx|", static_cast<unsigned long long>(r.own.size),
                  static_cast<unsigned long long>(r.own.write_time), static_cast<unsigned long long>(r.fingerprint));
    std::string looked_in;
    for (const std::string& s : r.looked_in) looked_in += (looked_in.empty() ? "" : ",") + s;
    text += set + "=" + numbers + VerdictCode(r.verdict) + "|" + Escape(looked_in) + "|" + Escape(r.details) + "|" +
            Escape(r.report) + "\r\n";
  }
  return text;
}

std::string AuditStorePath() { return JoinPath(LauncherFolder(), "korvo-audit.cfg"); }

MameAnswers ParseMameAnswers(std::string_view text) {
  MameAnswers answers;
  ForEachLine(text, [&](std::string_view line) {
    size_t eq = line.find('=');
    if (line.empty() || line[0] == '#' || eq == std::string_view::npos) return;
    std::string key = ToLowerAscii(TrimNarrow(line.substr(0, eq)));
    std::vector<std::string> value = SplitEscaped(TrimNarrow(line.substr(eq + 1)));
    if (value.size() != 1) return;  // an unescaped separator: not written by Korvo
    if (key == "key") answers.key = value[0];
    if (key == "listxml") answers.listxml = std::move(value[0]);
    if (key == "listroms") answers.listroms = std::move(value[0]);
    if (key == "sets")
      for (std::string_view name : SplitFields(value[0], ' '))
        if (!name.empty()) answers.names.emplace_back(name);
  });
  return answers;
}

std::string FormatMameAnswers(const MameAnswers& answers) {
  std::string names;
  for (const std::string& name : answers.names) names += (names.empty() ? "" : " ") + name;
  return "# Korvo: what the mame.exe named below answered about these sets (-listxml, -listroms).\r\nkey=" +
         Escape(answers.key) + "\r\nsets=" + Escape(names) + "\r\nlistxml=" + Escape(answers.listxml) +
         "\r\nlistroms=" + Escape(answers.listroms) + "\r\n";
}

std::string MameAnswersPath() { return JoinPath(LauncherFolder(), "korvo-audit-mame.cfg"); }
