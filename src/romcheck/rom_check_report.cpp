#include "romcheck/rom_check_report.h"

#include <system_error>
#include <thread>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_buffer.h"
#include "base/text_util.h"
#include "launch/captured_run.h"
#include "launch/mame_asker.h"
#include "launch/mame_location.h"
#include "romcheck/seven_zip.h"
#include "romcheck/zip_file.h"
#include "romcheck/zip_reader.h"

namespace {

constexpr size_t kTitleUnits = 299, kSetUnits = 63, kRompathUnits = 1199, kFolderUnits = 699;
constexpr size_t kLineUnits = 1199;  // a formatted line of the report

std::string ResolvedFolder(std::string_view piece) {
  return CutToUtf16Units(ResolvePath(Trim(piece)), kFolderUnits);
}

// Formats one piece of the report, cut like a 1200-character line buffer.
void Line(TextBuffer& report, const std::string& text) { report += CutToUtf16Units(text, kLineUnits); }

std::string Format(const char* format, const std::string& a, const std::string& b = "", const std::string& c = "") {
  TextBuffer text;
  AppendFormat(text, format, a.c_str(), b.c_str(), c.c_str());
  return text;
}

// The first search folder holding `name` + `ending`, as a path; "" when none.
std::string FindInFolders(const std::vector<std::string>& folders, const std::string& name, const char* ending) {
  for (const std::string& folder : folders) {
    std::string path = JoinPath(folder, name + ending);
    if (FileExists(path)) return path;
  }
  return "";
}

bool FolderInFolders(const std::vector<std::string>& folders, const std::string& name) {
  for (const std::string& folder : folders)
    if (IsFolder(JoinPath(folder, name))) return true;
  return false;
}

// Every LF that has no CR before it becomes CRLF.
void AppendWithCrlf(TextBuffer& report, const std::string& output) {
  for (size_t i = 0; i < output.size(); ++i) {
    if (output[i] == '\n' && (i == 0 || output[i - 1] != '\r')) report += '\r';
    report += output[i];
  }
}

void AddZip(RomCheckContext& c, const std::string& name, const char* role) {
  if (name.empty()) return;
  for (const RomCheckZip& z : c.zips)
    if (EqualsNoCase(z.name, name)) return;
  c.zips.push_back({CutToUtf16Units(name, kSetUnits), role});
}

}  // namespace

std::vector<std::string> RomSearchFolders(const Settings& settings) {
  std::vector<std::string> folders;
  std::string_view rest = settings.roms_directory;
  while (true) {
    size_t semi = rest.find(';');
    std::string_view piece = rest.substr(0, semi);
    if (!TrimNarrow(piece).empty()) folders.push_back(ResolvedFolder(piece));
    if (semi == std::string_view::npos) break;
    rest = rest.substr(semi + 1);
  }
  if (folders.empty()) folders.push_back(MameRomsFolder(settings));
  if (!TrimNarrow(settings.bios_directory).empty()) folders.push_back(ResolvedFolder(settings.bios_directory));
  return folders;
}

std::string RompathFromArgs(const ArgList& args) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == "-rompath") return CutToUtf16Units(args[i + 1], kRompathUnits);
  return "";
}

RomCheckContext MakeRomCheckContext(const GameEntry& entry, const Settings& settings,
                                    const GameSettingsList& game_settings, const GameList& games) {
  RomCheckContext c;
  c.mame = LocatedMameAsker(settings);
  c.title = CutToUtf16Units(entry.title, kTitleUnits);
  c.set = CutToUtf16Units(entry.set, kSetUnits);
  LaunchRequest request;
  request.for_shortcut = 1;  // no plugins or cfg edits for a question
  ArgList args;
  BuildMameArgs(settings, game_settings, games, entry.number, &request, args);
  c.rompath = RompathFromArgs(args);
  c.roms_folder = MameRomsFolder(settings);
  c.search_folders = RomSearchFolders(settings);
  AddZip(c, entry.set, "game");
  AddZip(c, entry.parent, "parent set");
  AddZip(c, entry.bios, "BIOS");
  return c;
}

std::string ZipSizeText(uint32_t total_bytes) {
  TextBuffer text;
  if (total_bytes < 1048576u)
    AppendFormat(text, "%lu KB", static_cast<unsigned long>((total_bytes + 1023u) / 1024u));
  else
    AppendFormat(text, "%.1f MB", total_bytes / 1048576.0);
  return text;
}

std::string VerifyromsArguments(const std::string& set, const std::string& rompath) {
  if (rompath.empty()) return "-verifyroms " + set;
  // Backslashes before the closing quote would escape it: each is doubled.
  std::string quoted = rompath;
  size_t last_other = quoted.find_last_not_of('\\');
  size_t trailing = last_other == std::string::npos ? quoted.size() : quoted.size() - last_other - 1;
  quoted.append(trailing, '\\');
  return "-verifyroms " + set + " -rompath \"" + quoted + "\"";
}

std::string BuildRomCheckReport(const RomCheckContext& c) {
  TextBuffer report;
  Line(report, Format("%s\r\nROMs folder: %s\r\n\r\n", c.title, c.roms_folder));
  int missing = 0, damaged = 0;
  for (const RomCheckZip& z : c.zips) {
    // A zip first, then a folder of loose files, then a 7z archive: as MAME looks.
    const char* ending = ".zip";
    std::string path = FindInFolders(c.search_folders, z.name, ending);
    if (path.empty()) {
      if (FolderInFolders(c.search_folders, z.name)) {
        Line(report, Format("%s (%s): a folder, its files are not checked\r\n", z.name, z.role));
        continue;
      }
      path = FindInFolders(c.search_folders, z.name, ending = ".7z");
    }
    if (path.empty()) {
      Line(report, Format("%s.zip (%s): MISSING - put %s.zip into the ROMs folder\r\n", z.name, z.role, z.name));
      ++missing;
      continue;
    }
    const std::string shown = z.name + ending;
    ZipFileBytes file;
    if (!file.Load(path)) {
      Line(report, Format("%s (%s): found, but it cannot be read (in use, or no access?)\r\n", shown, z.role));
      ++damaged;
      continue;
    }
    ZipCheck check;
    if (std::string(ending) == ".zip" ? CheckZip(file.data(), file.size(), check)
                                      : CheckSevenZip(file.data(), file.size(), check)) {
      TextBuffer line;
      AppendFormat(line, "%s (%s): OK - %d files, %s\r\n", shown.c_str(), z.role, static_cast<int>(check.files),
                   ZipSizeText(check.total_bytes).c_str());
      Line(report, line);
      continue;
    }
    Line(report, Format("%s (%s): PROBLEM\r\n", shown, z.role));
    for (const std::string& problem : check.problems) Line(report, Format("    - %s\r\n", problem));
    if (check.problem_count > kZipProblemTexts) {
      TextBuffer line;
      AppendFormat(line, "    - ... and %d more\r\n", static_cast<int>(check.problem_count - kZipProblemTexts));
      Line(report, line);
    }
    ++damaged;
  }

  if (missing == 0 && damaged == 0) {
    report += "\r\nAll the zip files are there and intact.\r\n";
  } else {
    report += "\r\n";
    if (missing) AppendFormat(report, "%d file(s) missing. ", missing);
    if (damaged) AppendFormat(report, "%d file(s) damaged: download them again.", damaged);
    report += "\r\n";
  }

  report += "\r\nMAME's own check (-verifyroms):\r\n";
  if (!c.mame.found || !c.mame.run) {
    report += "mame.exe was not found (General tab > MAME Program), so this check could not run.\r\n";
    return report;
  }
  TextBuffer output;
  int32_t exit_code = 0;
  if (c.mame.run(c.mame.program, c.mame.folder, VerifyromsArguments(c.set, c.rompath), output,
                 kVerifyromsTimeLimitMs, &exit_code) != kCapturedEnded) {
    report += "MAME did not answer.\r\n";
    return report;
  }
  AppendWithCrlf(report, output);
  if (exit_code != 0)
    AppendFormat(report, "\r\nMAME found a problem (exit code %lu): see the lines above.",
                 static_cast<unsigned long>(static_cast<uint32_t>(exit_code)));
  else
    report += "\r\nMAME is happy with this set: it should start.";
  return report;
}

bool StartRomCheckTask(RomCheckContext context, RomCheckDelivery deliver) {
  try {
    std::thread([context = std::move(context), deliver = std::move(deliver)] {
      deliver(BuildRomCheckReport(context));
    }).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}
