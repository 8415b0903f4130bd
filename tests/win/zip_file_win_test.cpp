// The zip reader on Windows: files reached through a mapping, backups written
// and restored with Windows paths.
#include <gtest/gtest.h>

#include "base/file_system.h"
#include "backup/backup.h"
#include "backup/zip_writer.h"
#include "romcheck/crc32.h"
#include "romcheck/mapped_file.h"
#include "romcheck/zip_file.h"
#include "romcheck/zip_reader.h"
#include "win_test_support.h"

TEST(ZipFileWin, MappedWhileOthersCannotChangeIt) {
  WinTempDir dir;
  ZipWriter zip;
  StartZip(zip);
  ASSERT_EQ(AddZipMember(zip, "a.bin", std::string(100000, 'a')), ZipAdd::kAdded);
  ASSERT_TRUE(FinishZip(zip));
  ASSERT_TRUE(WriteFileAtomic(dir.File("t.zip"), zip.output));

  ZipFileBytes bytes;
  ASSERT_TRUE(bytes.Load(dir.File("t.zip")));
  ZipCheck check;
  EXPECT_TRUE(CheckZip(bytes.data(), bytes.size(), check));
  // While mapped nobody may write to it (a shrinking file would fault the reader).
  HANDLE h = CreateFileW(Utf8ToUtf16(dir.File("t.zip")).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);

  ASSERT_TRUE(WriteFileAtomic(dir.File("empty.zip"), ""));
  MappedFile empty;
  EXPECT_TRUE(MapFileForReading(dir.File("empty.zip"), empty));
  EXPECT_EQ(empty.size, 0u);
  UnmapFile(empty);
  ZipFileBytes missing;
  EXPECT_FALSE(missing.Load(dir.File("missing.zip")));
}

TEST(ZipFileWin, CrcAndBackupRoundTrip) {
  EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u);
  std::string data(70000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 131 + (i >> 7));
  EXPECT_EQ(Crc32(0, data.data(), data.size()), Crc32Portable(0, data.data(), data.size()));

  WinTempDir dir;
  BackupFolders folders{dir.File("launcher"), dir.File("mame")};
  CreateFolder(folders.launcher);
  CreateFolder(folders.mame);
  CreateFolder(folders.mame + "\\cfg");
  ASSERT_TRUE(WriteFileAtomic(folders.launcher + "\\korvo-settings.cfg", "video=1\r\n"));
  ASSERT_TRUE(WriteFileAtomic(folders.mame + "\\cfg\\default.cfg", "<mameconfig/>"));
  ASSERT_EQ(WriteBackup(dir.File("b.zip"), folders).count, 2);
  ASSERT_TRUE(DeleteFileAt(folders.mame + "\\cfg\\default.cfg"));
  EXPECT_EQ(RestoreBackup(dir.File("b.zip"), folders), 2);
  EXPECT_EQ(ReadWholeFile(folders.mame + "\\cfg\\default.cfg").value_or(""), "<mameconfig/>");
}
