// The Win32 file layer under Wine: atomic replacement and its failure paths,
// short paths for Lua, zips reached through a mapping. (Backups with Windows
// paths: the backup commands' test.)
#include <gtest/gtest.h>
#include <windows.h>

#include "backup/zip_writer.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "romcheck/crc32.h"
#include "romcheck/mapped_file.h"
#include "romcheck/zip_file.h"
#include "romcheck/zip_reader.h"
#include "win_test_support.h"

TEST(FileSystemWin, AtomicWritesAndShortPaths) {
  WinTempDir dir;
  std::string target = dir.File("korvo-games.cfg");
  ASSERT_TRUE(WriteFileAtomic(target, "old\r\n"));
  ASSERT_TRUE(WriteFileAtomic(target, "keep me"));
  EXPECT_FALSE(FileExists(target + ".tmp"));
  // A target that cannot be replaced: a folder of that name takes the move's place.
  std::string blocked = dir.File("blocked");
  ASSERT_TRUE(CreateFolder(blocked));
  EXPECT_FALSE(WriteFileAtomic(blocked, "lost"));
  EXPECT_FALSE(FileExists(blocked + ".tmp"));
  // The temporary name itself taken by a folder: nothing can be written.
  ASSERT_TRUE(CreateFolder(target + ".tmp"));
  EXPECT_FALSE(WriteFileAtomic(target, "lost"));
  EXPECT_EQ(*ReadWholeFile(target), "keep me");

  // Paths for Lua: short names of plain characters with forward slashes.
  std::string folder = dir.File("Sp\xC3\xA9l ]=] logs");
  ASSERT_TRUE(CreateFolder(folder));
  std::string log = folder + "\\korvo-combos.log";
  std::string lua_path = ShortUtf8Path(log);
  EXPECT_TRUE(FileExists(log));  // created so that it has a short name
  for (unsigned char c : lua_path) EXPECT_LT(c, 0x80) << lua_path;
  EXPECT_EQ(lua_path.find('\\'), std::string::npos);
  EXPECT_EQ(ShortUtf8Path("C:\\plain\\path.log"), "C:/plain/path.log");
}

TEST(ZipFileWin, MappedWhileOthersCannotChangeItAndTheFastCrc) {
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
  EXPECT_FALSE(ZipFileBytes().Load(dir.File("missing.zip")));

  // The Windows build's fast CRC-32 path against the portable one.
  EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u);
  std::string data(70000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 131 + (i >> 7));
  EXPECT_EQ(Crc32(0, data.data(), data.size()), Crc32Portable(0, data.data(), data.size()));
}
