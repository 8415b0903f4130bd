// POSIX twin of mapped_file_win.cpp, for the native build and its tests.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "romcheck/mapped_file.h"

bool MapFileForReading(const std::string& path, MappedFile& file) {
  file = MappedFile();
  std::string native = path;
  for (char& c : native)
    if (c == '\\') c = '/';
  int fd = open(native.c_str(), O_RDONLY);
  if (fd < 0) return false;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return false;
  }
  if (st.st_size > 0) {
    void* view = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (view == MAP_FAILED) {
      close(fd);
      return false;
    }
    file.view = view;
    file.data = static_cast<const uint8_t*>(view);
    file.size = static_cast<size_t>(st.st_size);
  }
  close(fd);  // the mapping stays valid without the descriptor
  return true;
}

void UnmapFile(MappedFile& file) {
  if (file.view) munmap(file.view, file.size);
  file = MappedFile();
}
