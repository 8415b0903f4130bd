#include <sys/stat.h>

#include "base/file_stamp.h"

bool ReadFileStamp(const std::string& path, FileStamp& stamp) {
  std::string native = path;
  for (char& c : native)
    if (c == '\\') c = '/';
  struct stat st;
  if (native.empty() || stat(native.c_str(), &st) != 0) return false;
  constexpr uint64_t kEpochDifference = 11644473600ull;  // seconds from 1601 to 1970
  stamp.size = static_cast<uint64_t>(st.st_size);
  stamp.write_time = (static_cast<uint64_t>(st.st_mtim.tv_sec) + kEpochDifference) * 10000000ull +
                     static_cast<uint64_t>(st.st_mtim.tv_nsec) / 100u;
  return true;
}
