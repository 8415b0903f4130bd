#include "preview/picture_cache.h"

namespace {
size_t BytesOf(const CachedPicture& e) { return e.picture ? e.picture->pixels.size() * sizeof(uint32_t) : 0; }
}  // namespace

void PictureCache::Erase(std::list<CachedPicture>::iterator it) {
  bytes_ -= BytesOf(*it);
  entries_.erase(it);
}

const CachedPicture* PictureCache::Find(const std::string& path, const FileStamp& stamp, PictureSize box,
                                        bool keep_aspect) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->path != path) continue;
    if (it->stamp.size != stamp.size || it->stamp.write_time != stamp.write_time) {
      Erase(it);
      return nullptr;
    }
    if (it->picture && (it->box != box || it->keep_aspect != keep_aspect)) return nullptr;
    entries_.splice(entries_.begin(), entries_, it);
    return &entries_.front();
  }
  return nullptr;
}

void PictureCache::Put(CachedPicture entry) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->path == entry.path) {
      Erase(it);
      break;
    }
  }
  bytes_ += BytesOf(entry);
  entries_.push_front(std::move(entry));
  while (entries_.size() > 1 && (entries_.size() > max_pictures_ || bytes_ > max_bytes_))
    Erase(std::prev(entries_.end()));
}
