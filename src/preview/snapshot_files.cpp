#include "preview/snapshot_files.h"

#include <algorithm>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_util.h"
#include "catalogue/game_table.h"
#include "launch/mame_location.h"
#include "options/mame_options.h"
#include "settings/settings.h"

namespace {
constexpr const char* kPictureExtensions[] = {".png", ".jpg", ".jpeg", ".bmp"};
constexpr std::string_view kIndex = "%i";

std::string ReplaceAll(std::string text, std::string_view what, std::string_view with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

std::vector<std::string> SplitComponents(std::string_view pattern) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : pattern) {
    if (c == '/' || c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// MAME writes an index with at least four digits (0000, 0001, ... 10000).
// True when `name` is `component` with every %i the same such number.
bool MatchesIndexed(std::string_view component, std::string_view name) {
  size_t first = component.find(kIndex);
  if (first == std::string_view::npos || name.size() < first) return false;
  if (!EqualsNoCase(name.substr(0, first), component.substr(0, first))) return false;
  size_t end = first;
  while (end < name.size() && name[end] >= '0' && name[end] <= '9') ++end;
  if (end - first < 4) return false;
  return EqualsNoCase(name, ReplaceAll(std::string(component), kIndex, name.substr(first, end - first)));
}

// The name without its picture extension, or nothing when it has none.
bool StripPictureExtension(std::string_view name, std::string_view& base) {
  for (const char* ext : kPictureExtensions) {
    std::string_view e(ext);
    if (name.size() > e.size() && EqualsNoCase(name.substr(name.size() - e.size()), e)) {
      base = name.substr(0, name.size() - e.size());
      return true;
    }
  }
  return false;
}

void AddIfPicture(const std::string& path, std::vector<SnapshotFile>& out) {
  SnapshotFile file{path, {}};
  if (ReadFileStamp(path, file.stamp) && !IsFolder(path)) out.push_back(file);
}

void AddMatches(const std::string& folder, const std::string& component, bool folders, std::vector<std::string>& out) {
  std::vector<FolderEntry> entries;
  if (!ListFolder(folder, entries)) return;
  for (const FolderEntry& e : entries) {
    if (e.is_folder != folders) continue;
    std::string_view base = e.name;
    if (!folders && !StripPictureExtension(e.name, base)) continue;
    if (MatchesIndexed(component, base)) out.push_back(JoinPath(folder, e.name));
  }
}
}  // namespace

std::string SnapshotFolder(const Settings& settings) {
  std::string value = GetMameOption(settings.more_options, "snapshot_directory");
  value = Trim(value.substr(0, value.find(';')));  // MAME writes into the first folder of a list
  if (value.empty()) value = "snap";
  std::string folder = IsAbsolutePath(value) ? value : JoinPath(MameFolder(settings), value);
  std::replace(folder.begin(), folder.end(), '/', '\\');
  return folder;
}

std::string SnapshotNamePattern(std::string_view more_options) {
  std::string pattern = GetMameOption(more_options, "snapname");
  if (pattern.empty() || pattern.find("%d_") != std::string::npos) return "%g/%i";
  return pattern;
}

std::vector<SnapshotFile> ListSetSnapshots(const std::string& folder, std::string_view pattern, std::string_view set) {
  std::vector<std::string> parts = SplitComponents(ReplaceAll(std::string(pattern), "%g", set));
  std::vector<SnapshotFile> found;
  if (!parts.empty()) {
    std::vector<std::string> folders = {folder};
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      std::vector<std::string> next;
      for (const std::string& f : folders) {
        if (parts[i].find(kIndex) == std::string::npos)
          next.push_back(JoinPath(f, parts[i]));
        else
          AddMatches(f, parts[i], true, next);
      }
      folders.swap(next);
    }
    const std::string& last = parts.back();
    for (const std::string& f : folders) {
      if (last.find(kIndex) == std::string::npos) {
        for (const char* ext : kPictureExtensions) AddIfPicture(JoinPath(f, last + ext), found);
      } else {
        std::vector<std::string> paths;
        AddMatches(f, last, false, paths);
        for (const std::string& p : paths) AddIfPicture(p, found);
      }
    }
  }
  for (const char* ext : kPictureExtensions) {
    std::string plain = JoinPath(folder, std::string(set) + ext);
    auto same = [&](const SnapshotFile& f) { return EqualsNoCase(f.path, plain); };
    if (std::none_of(found.begin(), found.end(), same)) AddIfPicture(plain, found);
  }
  // Newest first; files of the same time in reverse name order, so that a
  // higher index (taken later) comes first.
  std::sort(found.begin(), found.end(), [](const SnapshotFile& a, const SnapshotFile& b) {
    if (a.stamp.write_time != b.stamp.write_time) return a.stamp.write_time > b.stamp.write_time;
    return a.path > b.path;
  });
  return found;
}

std::vector<std::string> SnapshotFamily(std::string_view set) {
  const GameTableRow* row = GameTableRowBySet(set);
  if (!row) return {std::string(set)};
  std::vector<std::string> family = {row->set};
  std::string_view root = *row->parent ? row->parent : row->set;
  if (*row->parent) family.push_back(row->parent);
  for (const GameTableRow& r : GameTable)
    if (&r != row && EqualsNoCase(r.parent, root)) family.push_back(r.set);
  return family;
}

SnapshotChoice ChooseSnapshots(const std::string& folder, std::string_view pattern, std::string_view set) {
  for (const std::string& member : SnapshotFamily(set)) {
    std::vector<SnapshotFile> files = ListSetSnapshots(folder, pattern, member);
    if (!files.empty()) return {member, std::move(files)};
  }
  return {};
}
