#include "catalogue/rom_scan.h"

#include <cstdio>
#include <vector>

#include "base/file_stamp.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_util.h"

namespace {
constexpr size_t kBiosFolderUnits = 559;
constexpr size_t kFolderTextUnits = 519;

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

void ScanOneFolder(const std::string& folder, std::unordered_set<std::string>& found) {
  std::vector<FolderEntry> entries;
  if (!ListFolder(ResolvePath(folder), entries)) return;
  for (const FolderEntry& e : entries) {
    if (e.name == "." || e.name == "..") continue;
    std::string name = ToLowerAscii(e.name);
    if (e.is_folder) {
      found.insert(std::move(name));  // an unpacked set
    } else if (name.size() >= 5 && EndsWithNoCase(name, ".zip")) {
      found.insert(name.substr(0, name.size() - 4));
    } else if (name.size() >= 4 && EndsWithNoCase(name, ".7z")) {
      found.insert(name.substr(0, name.size() - 3));
    }
  }
}

void AppendSignature(std::string& out, const std::string& folder) {
  std::string resolved = ResolvePath(folder);
  out += resolved;
  FileStamp stamp;
  if (ReadFileStamp(resolved, stamp)) {
    char text[40];
    std::snprintf(text, sizeof text, "|%lx.%lx", static_cast<unsigned long>(stamp.write_time >> 32),
                  static_cast<unsigned long>(stamp.write_time & 0xffffffffu));
    out += text;
  }
  out += ';';
}

bool Present(const std::string& set) {
  if (set.empty()) return true;
  const auto& available = RomScan().available;
  return available.count(set) || available.count(ToLowerAscii(set));
}
}  // namespace

RomScanState& RomScan() {
  static RomScanState state;
  return state;
}

std::vector<std::string> RomFolderPieces(const std::string& roms_text, const std::string& default_folder) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start <= roms_text.size()) {
    size_t end = roms_text.find(';', start);
    if (end == std::string::npos) end = roms_text.size();
    std::string piece = Trim(std::string_view(roms_text).substr(start, end - start));
    if (!piece.empty()) pieces.push_back(std::move(piece));
    start = end + 1;
  }
  // A text of separators only names no folder; MAME then looks in its own.
  if (pieces.empty() && !default_folder.empty()) pieces.push_back(default_folder);
  return pieces;
}

std::string RomFoldersSignature(const std::string& roms_text, const std::string& default_folder) {
  std::string out;
  for (const std::string& folder : RomFolderPieces(roms_text, default_folder)) AppendSignature(out, folder);
  if (!RomScan().bios_folder.empty()) AppendSignature(out, RomScan().bios_folder);
  return out;
}

bool RomFoldersChanged(const std::string& roms_text, const std::string& default_folder) {
  return RomFoldersSignature(roms_text, default_folder) != RomScan().signature;
}

size_t ScanRomFolders(const std::string& roms_text, const std::string& default_folder) {
  RomScanState& state = RomScan();
  state.available.clear();
  state.signature = RomFoldersSignature(roms_text, default_folder);
  for (const std::string& folder : RomFolderPieces(roms_text, default_folder)) ScanOneFolder(folder, state.available);
  if (!state.bios_folder.empty()) ScanOneFolder(state.bios_folder, state.available);
  return state.available.size();
}

void SetBiosFolder(const std::string& text) { RomScan().bios_folder = Trim(CutToUtf16Units(text, kBiosFolderUnits)); }

bool RefreshRomScan(const std::string& roms_text, const std::string& bios_text, bool force,
                    const std::string& default_folder) {
  const std::string roms = CutToUtf16Units(roms_text, kFolderTextUnits);
  SetBiosFolder(CutToUtf16Units(bios_text, kFolderTextUnits));
  RomScanState& state = RomScan();
  if (!force && state.scanned && !RomFoldersChanged(roms, default_folder)) return false;
  ScanRomFolders(roms, default_folder);
  state.scanned = true;
  return true;
}

bool HasRoms(const GameEntry& entry) {
  if (entry.set.empty()) return true;
  return Present(entry.set) && Present(entry.parent) && Present(entry.bios);
}

RomStatus GameRomStatus(const GameEntry& entry) {
  if (!HasRoms(entry)) return RomStatus::Missing;
  const auto& marks = RomScan().audit_marks;
  auto mark = marks.find(ToLowerAscii(entry.set));
  return mark == marks.end() ? RomStatus::Present : mark->second;
}

const char* RomStatusTip(RomStatus status) {
  switch (status) {
    case RomStatus::Present: return "ROM files present, not checked (Game > Check All ROM Sets)";
    case RomStatus::Missing: return "ROM files missing";
    case RomStatus::CheckedGood: return "ROM files checked: good";
    case RomStatus::Damaged: return "ROM files present, but damaged or incomplete (Game > Check All ROM Sets)";
    case RomStatus::NotChecked: return "ROM files present, but the check could not read them (Game > Check All ROM Sets says why)";
    case RomStatus::Unknown: return "ROM files present, but this MAME does not know the set";
  }
  return "";
}

int ListMissingZips(const GameEntry& entry, std::string& text, size_t capacity) {
  text.clear();
  if (entry.set.empty()) return 0;
  int missing = 0;
  std::string full;
  for (const std::string* set : {&entry.set, &entry.parent, &entry.bios}) {
    if (set->empty() || Present(*set)) continue;
    if (missing++ > 0) full += ", ";
    full += *set + ".zip";
  }
  text = capacity > 0 ? CutToUtf16Units(full, capacity - 1) : std::string();
  return missing;
}

bool CanPlay(const GameEntry* selected, bool game_running) {
  return selected && !game_running && !(selected->flags & kGameNotInMame) && HasRoms(*selected);
}

std::string GameCountsText(const GameList& list) {
  int with_roms = 0;
  for (const GameEntry& e : list) with_roms += HasRoms(e) ? 1 : 0;
  char text[128];
  std::snprintf(text, sizeof text, "%d games (PSX-based and Hyper Neo Geo 64 boards), %d with ROMs",
                static_cast<int>(list.size()), with_roms);
  return text;
}
