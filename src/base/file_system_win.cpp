// Win32 twin of file_system_posix.cpp.
#include <windows.h>

#include "base/file_system.h"
#include "base/utf16_win.h"

bool FileExists(const std::string& path) {
  return !path.empty() && GetFileAttributesW(Utf8ToUtf16(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path) {
  DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Utf8ToUtf16(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  HANDLE h = CreateFileW(Utf8ToUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string data;
  LARGE_INTEGER size;
  if (GetFileSizeEx(h, &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 31)) {
    data.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr)) got = 0;
    data.resize(got);
  }
  CloseHandle(h);
  return data;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
  std::wstring target = Utf8ToUtf16(path);
  std::wstring temp = target + L".tmp";
  HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.size() < 0xFFFFFFFFu &&
            WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  if (ok) ok = FlushFileBuffers(h) != 0;
  CloseHandle(h);
  if (ok && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(temp.c_str());
  return false;
}

bool CreateFolder(const std::string& path) {
  if (CreateDirectoryW(Utf8ToUtf16(path).c_str(), nullptr)) return true;
  return GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(path);
}

bool MoveFileNoReplace(const std::string& from, const std::string& to) {
  return MoveFileW(Utf8ToUtf16(from).c_str(), Utf8ToUtf16(to).c_str()) != 0;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileW(Utf8ToUtf16(path).c_str()) != 0; }

bool CopyFileNoReplace(const std::string& from, const std::string& to) {
  return CopyFileW(Utf8ToUtf16(from).c_str(), Utf8ToUtf16(to).c_str(), TRUE) != 0;
}

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
  std::wstring pattern = Utf8ToUtf16(path);
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    FolderEntry e;
    e.name = Utf16ToUtf8(name);
    e.is_folder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.size = (static_cast<unsigned long long>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    e.write_time = (static_cast<unsigned long long>(fd.ftLastWriteTime.dwHighDateTime) << 32) |
                   fd.ftLastWriteTime.dwLowDateTime;
    entries.push_back(e);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return true;
}

std::optional<std::string> ShortPathName(const std::string& path) {
  wchar_t buffer[600];
  DWORD n = GetShortPathNameW(Utf8ToUtf16(path).c_str(), buffer, 600);
  if (n == 0 || n >= 600) return std::nullopt;
  return Utf16ToUtf8(std::wstring_view(buffer, n));
}

bool TouchFile(const std::string& path) {
  HANDLE h = CreateFileW(Utf8ToUtf16(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}
