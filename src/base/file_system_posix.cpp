// POSIX twin of file_system_win.cpp, for the native build and its tests.
#include "base/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {
std::string Native(const std::string& path) {
  std::string out = path;
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}
}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(Native(path).c_str(), &st) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  int fd = open(Native(path).c_str(), O_RDONLY);
  if (fd < 0) return std::nullopt;
  std::string data;
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return S_ISDIR(st.st_mode) ? std::nullopt : std::optional<std::string>(std::string());
  }
  char block[65536];
  for (;;) {
    ssize_t n = read(fd, block, sizeof block);
    if (n < 0) {
      data.clear();  // a failed read gives an empty text, as on Windows
      break;
    }
    if (n == 0) break;
    data.append(block, static_cast<size_t>(n));
  }
  close(fd);
  return data;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
  std::string target = Native(path);
  std::string temp = target + ".tmp";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(n);
  }
  ok = ok && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  if (ok && rename(temp.c_str(), target.c_str()) == 0) return true;
  unlink(temp.c_str());
  return false;
}

bool CreateFolder(const std::string& path) {
  if (mkdir(Native(path).c_str(), 0755) == 0) return true;
  return errno == EEXIST && IsFolder(path);
}

bool MoveFileNoReplace(const std::string& from, const std::string& to) {
  if (FileExists(to)) return false;
  return rename(Native(from).c_str(), Native(to).c_str()) == 0;
}

bool DeleteFileAt(const std::string& path) { return unlink(Native(path).c_str()) == 0; }

bool CopyFileNoReplace(const std::string& from, const std::string& to) {
  if (FileExists(to)) return false;
  auto data = ReadWholeFile(from);
  if (!data) return false;
  FILE* f = fopen(Native(to).c_str(), "wbx");
  if (!f) return false;
  bool ok = fwrite(data->data(), 1, data->size(), f) == data->size();
  ok = (fclose(f) == 0) && ok;
  if (!ok) unlink(Native(to).c_str());
  return ok;
}

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
  std::string base = Native(path);
  DIR* dir = opendir(base.c_str());
  if (!dir) return false;
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    struct stat st;
    if (stat((base + "/" + name).c_str(), &st) == 0) {
      entry.is_folder = S_ISDIR(st.st_mode);
      entry.size = static_cast<unsigned long long>(st.st_size);
      constexpr unsigned long long kEpochDifference = 11644473600ull;  // seconds from 1601 to 1970
      entry.write_time = (static_cast<unsigned long long>(st.st_mtim.tv_sec) + kEpochDifference) * 10000000ull +
                         static_cast<unsigned long long>(st.st_mtim.tv_nsec) / 100u;
    }
    entries.push_back(entry);
  }
  closedir(dir);
  return true;
}

std::optional<std::string> ShortPathName(const std::string&) { return std::nullopt; }

bool TouchFile(const std::string& path) {
  int fd = open(Native(path).c_str(), O_WRONLY | O_CREAT, 0644);
  if (fd < 0) return false;
  close(fd);
  return true;
}
