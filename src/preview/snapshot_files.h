// Which of MAME's snapshots show a game: MAME's snapshot folder and its
// naming of snapshot files, a set's own pictures newest first, and the
// pictures of its family when the set has none.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "base/file_stamp.h"

struct Settings;

struct SnapshotFile {
  std::string path;
  FileStamp stamp;
  std::string member;  // a picture inside the zip at `path`: its name there
};

// MAME's snapshot folder: the `snapshot_directory` of All MAME Options
// (MAME's "snap" when it is not set), relative paths against MAME's folder.
std::string SnapshotFolder(const Settings& settings);

// How MAME names a snapshot below that folder: `snapname` ("%g/%i" unless set),
// where %g is the set and %i a running index. A media pattern (%d_) names an
// image device, which arcade systems lack, so MAME falls back to "%g/%i".
std::string SnapshotNamePattern(std::string_view more_options);

// The pictures of one set, newest first: the files the pattern names (any
// index) and a plain "<set>.png", each also as .jpg, .jpeg or .bmp, which a
// user may have put there.
std::vector<SnapshotFile> ListSetSnapshots(const std::string& folder, std::string_view pattern, std::string_view set);

// Whose pictures may stand in for a set, in order: the set, its parent, then
// the other clones of the family in table order.
std::vector<std::string> SnapshotFamily(std::string_view set);

struct SnapshotChoice {
  std::string set;  // whose pictures these are; empty when there are none
  std::vector<SnapshotFile> files;
};
// The first of the family that has pictures, with all of them.
SnapshotChoice ChooseSnapshots(const std::string& folder, std::string_view pattern, std::string_view set);
