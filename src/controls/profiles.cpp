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

bool IsDeviceName(std::string_view name) {
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (EqualsNoCase(name, device)) return true;
  if (name.size() < 4 || !(EqualsNoCase(name.substr(0, 3), "COM") || EqualsNoCase(name.substr(0, 3), "LPT")))
    return false;
  std::string_view number = name.substr(3);
  // The digits, and the superscript one, two and three that Windows reads as digits too.
  return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\xC2\xB9" ||
         number == "\xC2\xB2" || number == "\xC2\xB3";
}

// Windows opens a file whose name before the first dot (blanks trimmed) is a
// device name as that device, whatever follows: "con.x.cfg" is the console.
// The returned place is where an underscore makes the name an ordinary one.
size_t DeviceNameEnd(const std::string& name) {
  std::string_view stem = std::string_view(name).substr(0, name.find('.'));
  while (!stem.empty() && IsBlankByte(stem.back())) stem.remove_suffix(1);
  return IsDeviceName(stem) ? stem.size() : std::string::npos;
}

// Windows drops trailing dots and blanks from file names; they come off until
// neither is left so that the name is the file's real name.
void DropTrailingDotsAndBlanks(std::string& name) {
  while (!name.empty() && (name.back() == '.' || IsBlankByte(name.back()))) name.pop_back();
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
  DropTrailingDotsAndBlanks(kept);
  if (size_t end = DeviceNameEnd(kept); end != std::string::npos) {
    kept.insert(end, "_");
    if (Utf16Length(kept) > kProfileNameMax) {
      kept = CutToUtf16Units(kept, kProfileNameMax);
      DropTrailingDotsAndBlanks(kept);
    }
  }
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
