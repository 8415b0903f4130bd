#include "preview/picture_kinds.h"

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_case.h"
#include "base/text_util.h"
#include "romcheck/zip_file.h"
#include "settings/settings.h"

// In the order MAME's own menu lists them.
const ArtKind kArtKinds[kArtKindCount] = {
    {"snapshots", "Snapshots", "", "snap", true},
    {"titles", "Titles", "titles_directory", "titles", true},
    {"flyers", "Flyers", "flyers_directory", "flyers", false},
    {"cabinets", "Cabinets", "cabinets_directory", "cabinets;cabdevs", false},
    {"cpanels", "Control Panels", "cpanels_directory", "cpanel", false},
    {"pcbs", "PCBs", "pcbs_directory", "pcb", false},
    {"marquees", "Marquees", "marquees_directory", "marquees", false},
    {"ends", "Ends", "ends_directory", "ends", true},
    {"howto", "How To", "howto_directory", "howto", true},
    {"scores", "Scores", "scores_directory", "scores", true},
    {"bosses", "Bosses", "bosses_directory", "bosses", true},
    {"versus", "Versus", "versus_directory", "versus", true},
    {"gameover", "Game Over", "gameover_directory", "gameover", true},
    {"logos", "Logos", "logos_directory", "logo", false},
    {"select", "Select", "select_directory", "select", true},
    {"artpreview", "Artwork Preview", "artwork_preview_directory", "artwork preview;artpreview", false},
    {"covers", "Covers", "covers_directory", "covers", false},
};

namespace {
constexpr const char* kExtensions[] = {".png", ".jpg", ".jpeg", ".bmp"};
// A zip of pictures may hold tens of thousands of them.
constexpr size_t kMostZipMembers = size_t{1} << 20;
// Far more than any picture file needs; a larger member is not unpacked.
constexpr uint32_t kLargestMember = 64u << 20;

bool SameStamp(const FileStamp& a, const FileStamp& b) { return a.size == b.size && a.write_time == b.write_time; }
}  // namespace

int ArtKindIndex(std::string_view id) {
  for (int k = 0; k < kArtKindCount; ++k)
    if (id == kArtKinds[k].id) return k;
  return kSnapshotsKind;
}

int ShownArtKind(int wanted, uint32_t offered) {
  if (wanted < 0 || wanted >= kArtKindCount) wanted = kSnapshotsKind;
  if (offered & (1u << wanted)) return wanted;
  if (offered & (1u << kSnapshotsKind)) return kSnapshotsKind;
  for (int k = 0; k < kArtKindCount; ++k)
    if (offered & (1u << k)) return k;
  return wanted;
}

ArtFolders ArtFoldersOf(const Settings& settings, const UiOptions& ui) {
  ArtFolders out;
  out.snapshot_folder = SnapshotFolder(settings);
  out.snapshot_pattern = SnapshotNamePattern(settings.more_options);
  for (int k = 1; k < kArtKindCount; ++k)
    out.folders[k] = UiFolders(ui, kArtKinds[k].option, kArtKinds[k].folders, settings);
  return out;
}

namespace {
// Whether what is kept of a folder or zip is to be read again: its time (or
// size) is read once a round, and a change starts the entry afresh.
template <typename Kept>
bool ReadAgain(Kept& kept, const std::string& path, uint64_t round, bool folder) {
  if (kept.round == round) return false;
  kept.round = round;
  FileStamp now;
  if (!ReadFileStamp(path, now) || IsFolder(path) != folder) now = {};
  if (SameStamp(now, kept.stamp)) return false;
  kept = Kept{now, round, {}};
  return now.write_time != 0;
}
}  // namespace

const ArtLookup::FolderNames& ArtLookup::Folder(const std::string& folder) {
  FolderNames& kept = folders_[folder];
  std::vector<FolderEntry> entries;
  if (ReadAgain(kept, folder, round_, true) && ListFolder(folder, entries))
    for (const FolderEntry& e : entries)
      if (!e.is_folder) kept.names.emplace(LowerCaseText(e.name), e.name);
  return kept;
}

const ArtLookup::ZipMembers& ArtLookup::Zip(const std::string& zip) {
  ZipMembers& kept = zips_[zip];
  ZipFileBytes bytes;
  std::vector<ZipEntry> entries;
  if (ReadAgain(kept, zip, round_, false) && bytes.Load(zip) &&
      ReadZipDirectory(bytes.data(), bytes.size(), entries, kMostZipMembers) > 0)
    for (ZipEntry& e : entries) kept.members.emplace(LowerCaseText(e.name), std::move(e));
  return kept;
}

std::vector<SnapshotFile> ArtLookup::SetPictures(const std::vector<std::string>& folders, std::string_view set) {
  std::vector<SnapshotFile> found;
  const std::string lower = LowerCaseText(set);
  for (const std::string& folder : folders) {
    const FolderNames& names = Folder(folder);
    for (const char* ext : kExtensions) {
      auto it = names.names.find(lower + ext);
      SnapshotFile file{JoinPath(folder, it == names.names.end() ? "" : it->second), {}, ""};
      if (it != names.names.end() && ReadFileStamp(file.path, file.stamp)) found.push_back(file);
    }
    const std::string zip = folder + ".zip";
    const ZipMembers& members = Zip(zip);
    for (const char* ext : kExtensions) {
      auto it = members.members.find(lower + ext);
      if (it != members.members.end()) found.push_back({zip, members.stamp, it->second.name});
    }
  }
  return found;
}

SnapshotChoice ArtLookup::Choose(const ArtFolders& folders, int kind, std::string_view set) {
  if (kind == kSnapshotsKind) return ChooseSnapshots(folders.snapshot_folder, folders.snapshot_pattern, set);
  for (const std::string& member : SnapshotFamily(set)) {
    std::vector<SnapshotFile> files = SetPictures(folders.folders[kind], member);
    if (!files.empty()) return {member, std::move(files)};
  }
  return {};
}

bool ArtLookup::ReadMember(const SnapshotFile& file, std::string& bytes) {
  const ZipMembers& zip = Zip(file.path);
  auto it = zip.members.find(LowerCaseText(file.member));
  ZipFileBytes data;
  if (it == zip.members.end() || it->second.uncompressed_size > kLargestMember || !data.Load(file.path)) return false;
  bytes.assign(it->second.uncompressed_size, '\0');
  return ExtractZipMember(data.data(), data.size(), it->second, reinterpret_cast<uint8_t*>(bytes.data()));
}
