// The launcher's narrow interface to files and folders. Paths are UTF-8 and
// use Windows separators; file_system_win.cpp talks to Win32, file_system_posix.cpp
// lets the same logic run natively under test (it reads `\` as `/`).
#pragma once
#include <optional>
#include <string>
#include <vector>

bool FileExists(const std::string& path);  // file or folder
bool IsFolder(const std::string& path);

// The whole file, read with read and write sharing. Nothing when it cannot be
// opened; an empty text when it opens but cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `path`.tmp, flushes it and moves it over `path`. A failure leaves the
// old file untouched and no temporary behind.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

bool CreateFolder(const std::string& path);          // true also when it already exists
bool MoveFileNoReplace(const std::string& from, const std::string& to);
bool DeleteFileAt(const std::string& path);
bool CopyFileNoReplace(const std::string& from, const std::string& to);

struct FolderEntry {
  std::string name;
  bool is_folder = false;
  unsigned long long size = 0;
  unsigned long long write_time = 0;  // 100-nanosecond intervals since 1601, as FileStamp
};
// Entries of a folder (without "." and ".."); false when it cannot be listed.
bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries);

// The 8.3 name of an existing file, or nothing where the system has none.
std::optional<std::string> ShortPathName(const std::string& path);

// Creates the file if it does not exist (kept as it is otherwise).
bool TouchFile(const std::string& path);
