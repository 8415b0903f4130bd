#include "controls/profiles.h"

#include <algorithm>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_case.h"
#include "base/text_util.h"

namespace {

bool IsReservedChar(unsigned char c) {
  return c < 0x20 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
         c == '>' || c == '|';
}

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

void TrimBlanks(std::string& s) {
  size_t start = 0;
  while (start < s.size() && IsBlankByte(s[start])) ++start;
  size_t end = s.size();
  while (end > start && IsBlankByte(s[end - 1])) --end;
  s = s.substr(start, end - start);
}

// Windows opens these names as devices whatever the extension, so a profile
// "CON" would "save" into nowhere.
bool IsDeviceName(const std::string& name) {
  static const char* const kDevices[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4",
                                         "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",
                                         "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
  for (const char* device : kDevices)
    if (EqualsNoCase(name, device)) return true;
  return false;
}

bool EndsWithCfg(const std::string& name) {
  return name.size() >= 4 && EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".cfg");
}

}  // namespace

void SanitizeProfileName(std::string& name) {
  std::string kept;
  for (unsigned char c : name)
    if (!IsReservedChar(c)) kept += static_cast<char>(c);
  TrimBlanks(kept);
  if (Utf16Length(kept) > kProfileNameMax) {
    kept = CutToUtf16Units(kept, kProfileNameMax);
    TrimBlanks(kept);
  }
  // Windows drops trailing dots and blanks from file names; take them off
  // until neither is left so the name is the file's real name.
  while (!kept.empty() && (kept.back() == '.' || IsBlankByte(kept.back()))) kept.pop_back();
  if (IsDeviceName(kept)) kept += '_';
  name = kept;
}

std::string ProfilesFolder() { return JoinPath(LauncherFolder(), "profiles"); }

std::string ProfilePath(const std::string& name) { return JoinPath(ProfilesFolder(), name + ".cfg"); }

bool ProfileExists(const std::string& name) {
  const std::string path = ProfilePath(name);
  return FileExists(path) && !IsFolder(path);
}

std::optional<std::string> ReadProfile(const std::string& name) {
  if (name.empty() || IsFolder(ProfilePath(name))) return std::nullopt;
  return ReadWholeFile(ProfilePath(name));
}

bool SaveProfile(const std::string& name, const InputMapping& m) {
  if (name.empty()) return false;
  CreateFolder(ProfilesFolder());
  return WriteFileAtomic(ProfilePath(name), SerializeMapping(m));
}

bool RenameProfile(const std::string& old_name, const std::string& new_name) {
  if (old_name.empty() || new_name.empty()) return false;
  const std::string from = ProfilePath(old_name);
  const std::string to = ProfilePath(new_name);
  if (LowerCaseText(old_name) == LowerCaseText(new_name)) {
    // A change of case only: on a case-blind file system the direct rename
    // would meet the file itself, so go through a temporary name.
    const std::string temp = from + ".tmp";
    if (!MoveFileNoReplace(from, temp)) return false;
    if (MoveFileNoReplace(temp, to)) return true;
    MoveFileNoReplace(temp, from);
    return false;
  }
  return MoveFileNoReplace(from, to);
}

bool DeleteProfile(const std::string& name) { return !name.empty() && DeleteFileAt(ProfilePath(name)); }

std::vector<std::string> ListProfiles(size_t max) {
  std::vector<FolderEntry> entries;
  std::vector<std::string> names;
  if (!ListFolder(ProfilesFolder(), entries)) return names;
  for (const FolderEntry& e : entries) {
    if (e.is_folder || !EndsWithCfg(e.name)) continue;
    size_t length = Utf16Length(e.name);
    if (length < 5 || length > 64) continue;
    names.push_back(e.name.substr(0, e.name.size() - 4));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    std::string la = LowerCaseText(a), lb = LowerCaseText(b);
    return la != lb ? la < lb : a < b;
  });
  if (names.size() > max) names.resize(max);
  for (std::string& n : names) n = CutToUtf16Units(n, kProfileListNameMax);
  return names;
}

bool ProfileDiffersFromMapping(const std::string& name, const InputMapping& m) {
  std::optional<std::string> stored = ReadProfile(name);
  return !stored || *stored != SerializeMapping(m);
}
