// Windows agreeing with the portable code: quoting, lower case, atomic writes, short paths, mapped zips, CRC.
#include <windows.h>
// windows.h first: shellapi.h needs its definitions
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/display_modes_win.h"
#include "base/text_case.h"
#include "launch/mame_args.h"
#include "romcheck/crc32.h"
#include "romcheck/zip_file.h"
#include "romcheck/zip_reader.h"
#include "scratch_launcher_win.h"

namespace {
// What CommandLineToArgvW makes of "x " + text, without the program name.
ArgList WindowsSplit(const std::string& text) {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW((L"x " + Utf8ToUtf16(text)).c_str(), &count);
  ArgList out;
  for (int i = 1; argv && i < count; ++i) out.push_back(Utf16ToUtf8(argv[i]));
  LocalFree(argv);
  return out;
}
}  // namespace

TEST(ArgQuotingWin, JoinArgsAndParseArgTextAgreeWithWindows) {
  const ArgList awkward = {"", "plain", "two words", "tab\there", "q\"uote", "\"", "\"\"", "trailing\\",
                           "C:\\My Games\\", "two\\\\", "\\\"", "a\\\\\"b c", "\\\\server\\share\\", "ünïcödé ç", " ",
                           "-rompath", "D:\\roms;E:\\more roms"};
  EXPECT_EQ(WindowsSplit(JoinArgs(awkward)), awkward);  // each quoted on its own and joined

  // Free texts typed by the user, including unbalanced and doubled quotes.
  for (const char* text : {"-a b", "  spaced   out  ", "\"quoted arg\" next", "-cheat \"open ended",
                           "a\\\\b \\\\\"x y\"", "\\\"lit\\\"", "\"\"", "a\"\"b", "\"a\"\"b\"", "a\"\"\"b",
                           "\"\"\"\"", "end\\", "\t-tab\tsep", "\"C:\\Program Files\\\" -x"}) {
    ArgList mine;
    ParseArgText(text, mine);
    EXPECT_EQ(mine, WindowsSplit(text)) << text;
  }
}

TEST(TextCaseWin, TableMatchesTheSystemForEveryBmpCodePoint) {
  int differences = 0;
  for (uint32_t cp = 0; cp < 0x10000; ++cp) {
    wchar_t in = static_cast<wchar_t>(cp), out = 0;
    ASSERT_EQ(LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, &in, 1, &out, 1, nullptr, nullptr, 0), 1) << cp;
    if (SimpleLowerCase(cp) != out && ++differences <= 20)
      ADD_FAILURE() << std::hex << "U+" << cp << ": table U+" << SimpleLowerCase(cp) << ", system U+" << uint32_t(out);
  }
  EXPECT_EQ(differences, 0);
  const std::string text = "C:\\Gry\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xC5\xBB\xC5\xBD\xC5\xB8 \xCE\xA3\xD0\x96 \xEF\xBC\xA1";
  EXPECT_EQ(LowerCaseText(text), LowerCaseWithTable(text));
}

TEST(FileSystemWin, AtomicWritesShortPathsAndTheScreensModes) {
  WinTempDir dir;
  std::string target = dir.File("korvo-games.cfg");
  ASSERT_TRUE(WriteFileAtomic(target, "old\r\n") && WriteFileAtomic(target, "keep me"));
  EXPECT_FALSE(FileExists(target + ".tmp"));
  // A target that cannot be replaced: a folder of that name takes the move's place.
  std::string blocked = dir.File("blocked");
  ASSERT_TRUE(CreateFolder(blocked));
  EXPECT_FALSE(WriteFileAtomic(blocked, "lost") || FileExists(blocked + ".tmp"));
  // The temporary name itself taken by a folder: nothing can be written.
  ASSERT_TRUE(CreateFolder(target + ".tmp"));
  EXPECT_TRUE(!WriteFileAtomic(target, "lost") && *ReadWholeFile(target) == "keep me");

  // Paths for Lua: short names of plain characters with forward slashes.
  std::string folder = dir.File("Sp\xC3\xA9l ]=] logs");
  ASSERT_TRUE(CreateFolder(folder));
  std::string log = folder + "\\korvo-combos.log";
  std::string lua_path = ShortUtf8Path(log);
  EXPECT_TRUE(FileExists(log));  // created so that it has a short name
  std::vector<FolderEntry> entries;  // what a folder holds; one not there is not empty (a ROM folder typed wrong)
  EXPECT_TRUE(ListFolder(folder, entries) && entries.size() == 1u && !ListFolder(dir.File("gone"), entries));
  EXPECT_TRUE(std::all_of(lua_path.begin(), lua_path.end(), [](unsigned char c) { return c < 0x80 && c != '\\'; }))
      << lua_path;
  EXPECT_EQ(ShortUtf8Path("C:\\plain\\path.log"), "C:/plain/path.log");

  // The resolutions offered are the screen's own (not the list for a system that names none), the present one among them.
  const DisplayModes modes = QueryDisplayModes();
  const std::pair<int, int> present = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(modes != CollectDisplayModes({}) && std::find(modes.begin(), modes.end(), present) != modes.end());
}

TEST(ZipFileWin, MappedWhileOthersCannotChangeItAndTheFastCrc) {
  WinTempDir dir;
  ASSERT_TRUE(WriteFileAtomic(dir.File("t.zip"), ZipOf("a.bin", std::string(100000, 'a'))));
  ZipFileBytes bytes;
  ZipCheck check;
  ASSERT_TRUE(bytes.Load(dir.File("t.zip")) && CheckZip(bytes.data(), bytes.size(), check));
  // While mapped nobody may write to it (a shrinking file would fault the reader).
  HANDLE h = CreateFileW(Utf8ToUtf16(dir.File("t.zip")).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  ASSERT_TRUE(WriteFileAtomic(dir.File("empty.zip"), ""));
  MappedFile empty;
  EXPECT_TRUE(MapFileForReading(dir.File("empty.zip"), empty) && empty.size == 0u);
  UnmapFile(empty);
  EXPECT_TRUE(DeleteFileW(Utf8ToUtf16(dir.File("empty.zip")).c_str())) << "an empty file read is still held";
  EXPECT_FALSE(ZipFileBytes().Load(dir.File("missing.zip")));

  // The Windows build's fast CRC-32 path against the portable one.
  EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u);
  std::string data(70000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 131 + (i >> 7));
  EXPECT_EQ(Crc32(0, data.data(), data.size()), Crc32Portable(0, data.data(), data.size()));
}
