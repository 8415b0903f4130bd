// The last scaled pictures the preview showed, so that stepping back to a
// picture or returning to a game does not read its file again.
#pragma once
#include <cstddef>
#include <list>
#include <memory>
#include <string>

#include "base/file_stamp.h"
#include "preview/picture_scale.h"

struct CachedPicture {
  std::string path;
  FileStamp stamp;        // of the file the picture was made from
  PictureSize box;        // the box it was fitted into
  bool keep_aspect = true;
  // Shared read-only with the window that shows it. Empty when the file could
  // not be shown: it is not tried again until it changes.
  std::shared_ptr<const Picture> picture;
};

class PictureCache {
 public:
  static constexpr size_t kMaxPictures = 32;
  static constexpr size_t kMaxBytes = size_t{96} << 20;  // a cap for a very large pane
  explicit PictureCache(size_t max_pictures = kMaxPictures, size_t max_bytes = kMaxBytes)
      : max_pictures_(max_pictures), max_bytes_(max_bytes) {}

  // The entry made from this very file (same size and time) for the same box
  // and aspect rule, now the most recently used; a file that could not be
  // shown matches any box. An entry of a file that changed since is dropped.
  const CachedPicture* Find(const std::string& path, const FileStamp& stamp, PictureSize box, bool keep_aspect);
  // Adds an entry in place of any earlier one of the path, and drops the least
  // recently used beyond the limits.
  void Put(CachedPicture entry);
  size_t size() const { return entries_.size(); }

 private:
  size_t max_pictures_, max_bytes_;
  size_t bytes_ = 0;
  std::list<CachedPicture> entries_;  // most recently used first
  void Erase(std::list<CachedPicture>::iterator it);
};
