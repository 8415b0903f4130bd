// The kinds of pictures MAME's own menu shows of a game (snapshots, titles,
// flyers, cabinets, ...), where each kind's folders are, and which pictures
// of a kind a set has: "<set>.png" (or .jpg, .jpeg, .bmp) in one of the
// folders, or inside a zip named after a folder ("titles.zip" holding
// "sfex2.png"). Snapshots keep their own naming (snapshot_files.h).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/file_stamp.h"
#include "preview/mame_ui_ini.h"
#include "preview/snapshot_files.h"
#include "romcheck/zip_reader.h"

struct Settings;

struct ArtKind {
  const char* id;        // kept in the settings ("titles")
  const char* label;     // on its button
  const char* option;    // ui.ini's option of its folders; "" for snapshots (mame.ini's snapshot_directory)
  const char* folders;   // MAME's default for the option
  bool screen;           // a picture of the game's screen: shown at the monitor's 4:3
};
constexpr int kArtKindCount = 17;
extern const ArtKind kArtKinds[kArtKindCount];
constexpr int kSnapshotsKind = 0;

// The kind with this id; snapshots for any other text.
int ArtKindIndex(std::string_view id);
// The kind to show of those a game has (bits of `offered`): the one asked
// for, else snapshots, else the first it has; the one asked for when it has none.
int ShownArtKind(int wanted, uint32_t offered);

// The folders of every kind, as MAME's settings and ui.ini name them.
struct ArtFolders {
  std::string snapshot_folder, snapshot_pattern;  // snapshot_files.h
  std::vector<std::string> folders[kArtKindCount];
};
ArtFolders ArtFoldersOf(const Settings& settings, const UiOptions& ui);

// Finds the pictures of sets, remembering what it listed: a folder's names
// and a zip's directory are read again only when the folder or zip changed.
class ArtLookup {
 public:
  // A new look at the folders: each is checked for changes once a round.
  void NewRound() { ++round_; }
  // The pictures of one set of one kind (not snapshots), in folder order.
  std::vector<SnapshotFile> SetPictures(const std::vector<std::string>& folders, std::string_view set);
  // The first of the family with pictures of the kind, with all of them.
  SnapshotChoice Choose(const ArtFolders& folders, int kind, std::string_view set);
  // The bytes of a picture inside a zip (`member` set); false when it cannot
  // be unpacked or is far larger than a picture.
  bool ReadMember(const SnapshotFile& file, std::string& bytes);

 private:
  struct FolderNames {
    FileStamp stamp;
    uint64_t round = 0;  // when its stamp was last read
    std::unordered_map<std::string, std::string> names;  // lower-case name -> name as stored
  };
  struct ZipMembers {
    FileStamp stamp;
    uint64_t round = 0;
    std::unordered_map<std::string, ZipEntry> members;  // by lower-case name
  };
  const FolderNames& Folder(const std::string& folder);
  const ZipMembers& Zip(const std::string& zip);
  std::unordered_map<std::string, FolderNames> folders_;
  std::unordered_map<std::string, ZipMembers> zips_;
  uint64_t round_ = 1;
};
