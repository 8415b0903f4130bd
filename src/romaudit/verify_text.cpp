#include "romaudit/verify_text.h"

#include <cstdio>

namespace {

struct VerdictWords {
  Verdict verdict;
  const char* text;
  const char* code;
};
constexpr VerdictWords kVerdicts[] = {
    {Verdict::Good, "good", "good"},
    {Verdict::BestAvailable, "best available", "best-available"},
    {Verdict::MissingFiles, "missing files", "missing-files"},
    {Verdict::WrongSize, "wrong size", "wrong-size"},
    {Verdict::WrongChecksum, "wrong checksum", "wrong-checksum"},
    {Verdict::WrongSha1, "wrong checksum (SHA-1)", "wrong-sha1"},
    {Verdict::ZipDamaged, "zip damaged", "zip-damaged"},
    {Verdict::NotFound, "not found", "not-found"},
    {Verdict::Unknown, "not known to this MAME", "unknown"},
    {Verdict::NotChecked, "not checked", "not-checked"},
};

std::string Crc(uint32_t crc) {
  char text[16];
  std::snprintf(text, sizeof text, "CRC(%08x)", static_cast<unsigned>(crc));
  return text;
}

std::string Expected(const ListedFile& f) {
  std::string text;
  if (f.has_crc) text += Crc(f.crc) + " ";
  if (f.has_sha1) text += "SHA1(" + Sha1Hex(f.sha1) + ") ";
  if (f.nodump) text += "NO_DUMP ";
  if (f.baddump) text += "BAD_DUMP ";
  if (!text.empty()) text.pop_back();
  return text;
}

// MAME shows what it has: the CRC of a file, the SHA-1 of a disk. Korvo's
// own SHA-1 finding is shown where it is the one that differs.
std::string Found(const FileCheck& c, const FoundValues& v, FileStatus status) {
  std::string text;
  if (v.has_crc) text += Crc(v.crc) + " ";
  if (v.has_sha1 && (c.file->disk || status == FileStatus::WrongSha1)) text += "SHA1(" + Sha1Hex(v.sha1) + ") ";
  if (!text.empty()) text.pop_back();
  return text;
}

// What follows "name (size) - " for a file that is not good; "" for a good one.
std::string FileFinding(const FileCheck& c, bool mame_view) {
  const FileStatus status = mame_view ? c.mame_status : c.status;
  const FoundValues& v = mame_view ? c.mame_found : c.found;
  switch (status) {
    case FileStatus::Good: return "";
    case FileStatus::NeedsRedump: return "NEEDS REDUMP";
    case FileStatus::NoGoodDump: return "NO GOOD DUMP KNOWN";
    case FileStatus::WrongChecksum:
    case FileStatus::WrongSha1:
      return "INCORRECT CHECKSUM:\nEXPECTED: " + Expected(*c.file) + "\n   FOUND: " + Found(c, v, status);
    case FileStatus::WrongLength: return "INCORRECT LENGTH: " + std::to_string(v.size) + " bytes";
    case FileStatus::NotFound:
      if (!mame_view && !c.problem.empty()) return "NOT FOUND (" + c.where + " " + c.problem + ")";
      return c.shared_with.empty() ? "NOT FOUND" : "NOT FOUND (" + c.shared_with + ")";
    case FileStatus::NotFoundNoDump: return "NOT FOUND - NO GOOD DUMP KNOWN";
    case FileStatus::NotFoundOptional: return "NOT FOUND BUT OPTIONAL";
    case FileStatus::Damaged: return "ZIP DAMAGED (" + c.where + "): " + c.problem;
  }
  return "";
}

std::string FileLabel(const FileCheck& c) {
  std::string label = c.file->name;
  if (c.file->size > 0) label += " (" + std::to_string(c.file->size) + " bytes)";
  return label;
}

// The findings, one entry per file that is not good and per note.
std::vector<std::string> Findings(const SetCheck& check, bool mame_view) {
  std::vector<std::string> lines;
  if (!mame_view) lines = check.notes;
  // A set that could not be read says why, not which files it then missed.
  const bool unchecked = !mame_view && check.verdict == Verdict::NotChecked;
  for (const FileCheck& c : check.files) {
    if (unchecked) break;
    std::string finding = FileFinding(c, mame_view);
    if (!finding.empty()) lines.push_back(FileLabel(c) + " - " + finding);
  }
  return lines;
}

std::string Padded(const std::string& set) {
  std::string text = set;
  if (text.size() < 12) text.resize(12, ' ');
  return text;
}

}  // namespace

const char* VerdictText(Verdict verdict) {
  for (const VerdictWords& w : kVerdicts)
    if (w.verdict == verdict) return w.text;
  return "";
}

const char* VerdictCode(Verdict verdict) {
  for (const VerdictWords& w : kVerdicts)
    if (w.verdict == verdict) return w.code;
  return "";
}

bool VerdictFromCode(std::string_view code, Verdict& verdict) {
  for (const VerdictWords& w : kVerdicts)
    if (code == w.code) {
      verdict = w.verdict;
      return true;
    }
  return false;
}

std::string VerifyText(const SetCheck& check, bool mame_view) {
  const Verdict verdict = mame_view ? check.mame_verdict : check.verdict;
  if (verdict == Verdict::Unknown) return "No matching systems found for '" + check.set + "'\n";
  if (verdict == Verdict::NotFound) return mame_view ? "" : "romset \"" + check.set + "\" not found!\n";
  std::string text;
  for (const std::string& line : Findings(check, mame_view)) text += Padded(check.set) + ": " + line + "\n";
  text += "romset " + check.set + " ";
  if (!check.parent.empty()) text += "[" + check.parent + "] ";
  if (verdict == Verdict::NotChecked)
    text += "was not checked\n";
  else if (verdict == Verdict::Good)
    text += "is good\n";
  else if (verdict == Verdict::BestAvailable)
    text += "is best available\n";
  else
    text += "is bad\n";
  return text;
}

std::string DetailsLine(const SetCheck& check) {
  if (check.verdict == Verdict::Unknown) return "the installed MAME does not list this set";
  if (check.verdict == Verdict::NotFound) return "none of the set's own files is in the ROM folders";
  std::string line;
  for (std::string finding : Findings(check, false)) {
    for (char& ch : finding)
      if (ch == '\n') ch = ' ';
    // "EXPECTED:" follows on the same line now; one blank is enough.
    for (size_t at; (at = finding.find("  ")) != std::string::npos;) finding.erase(at, 1);
    if (!line.empty()) line += "; ";
    line += finding;
  }
  if (check.verdict != check.mame_verdict && VerdictIsGood(check.mame_verdict))
    line += std::string(line.empty() ? "" : "; ") + "MAME's own check calls it " + VerdictText(check.mame_verdict) +
            ": it trusts the checksums the zip states";
  return line;
}
