// Zips written by other programs: Python's zipfile, Info-ZIP's zip and 7-Zip,
// stored and deflated at several levels, with empty and large members.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "romcheck/zip_reader.h"
#include "romcheck/zip_test_util.h"
#include "support/test_support.h"

using namespace ziptest;

namespace {

bool Have(const char* tool) { return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0; }

class OtherTools : public ::testing::Test {
 protected:
  void SetUp() override {
    files_ = {{"empty.bin", ""},
              {"small.txt", "a small text\n"},
              {"rom.bin", RomLikeData(1u << 20, 20)},
              {"noise.bin", RomLikeData(70000, 21).substr(0, 300) + std::string(200000, '\x5A')},
              {"big.bin", RomLikeData(5u << 20, 22)}};
    for (const auto& [name, data] : files_) WriteTestFile(dir_.File(name), data);
  }

  // Runs a shell command in the scratch folder.
  void Shell(const std::string& command) {
    ASSERT_EQ(std::system(("cd '" + dir_.path() + "' && " + command + " >/dev/null 2>&1").c_str()), 0) << command;
  }

  // The zip must check sound, and every member must unpack to the original.
  void ExpectSound(const std::string& zip_name) {
    SCOPED_TRACE(zip_name);
    std::string zip = ReadTestFile(dir_.File(zip_name));
    ZipCheck check;
    ASSERT_TRUE(CheckZip(Bytes(zip), zip.size(), check)) << (check.problems.empty() ? "" : check.problems[0]);
    EXPECT_EQ(check.files, files_.size());
    std::vector<ZipEntry> entries;
    ASSERT_EQ(ReadZipDirectory(Bytes(zip), zip.size(), entries, kZipMaxEntries), static_cast<int>(files_.size()));
    for (const ZipEntry& e : entries) {
      std::string out(e.uncompressed_size, '\0');
      ASSERT_TRUE(ExtractZipMember(Bytes(zip), zip.size(), e, reinterpret_cast<uint8_t*>(out.data()))) << e.name;
      EXPECT_TRUE(out == files_.at(e.name)) << e.name;
    }
    ExpectDamageFound(zip, entries);
  }

  // A changed byte inside a member's data, or a cut-off file, is reported.
  void ExpectDamageFound(std::string zip, const std::vector<ZipEntry>& entries) {
    for (const ZipEntry& e : entries) {
      if (e.compressed_size < 100) continue;
      std::string damaged = zip;
      damaged[e.local_offset + 30 + e.name.size() + e.compressed_size / 2] ^= 0x10;
      ZipCheck check;
      EXPECT_FALSE(CheckZip(Bytes(damaged), damaged.size(), check));
      ASSERT_GE(check.problems.size(), 1u);
      EXPECT_NE(check.problems[0].find(e.name + ": "), std::string::npos) << check.problems[0];
      EXPECT_NE(check.problems[0].find("(the file is corrupt)"), std::string::npos) << check.problems[0];
    }
    ZipCheck check;
    EXPECT_FALSE(CheckZip(Bytes(zip), zip.size() - 30, check));
    EXPECT_EQ(check.problems[0], "the zip directory is damaged or the file is cut off (not a complete download?)");
  }

  std::string Names() const {
    std::string names;
    for (const auto& [name, data] : files_) names += " " + name;
    return names;
  }

  TempDir dir_;
  std::map<std::string, std::string> files_;
};

}  // namespace

TEST_F(OtherTools, PythonZipfile) {
  if (!Have("python3")) GTEST_SKIP() << "python3 not installed";
  const char* script =
      "import sys, zipfile\n"
      "mode = {'stored': zipfile.ZIP_STORED, 'deflated': zipfile.ZIP_DEFLATED}[sys.argv[2]]\n"
      "level = int(sys.argv[3]) if len(sys.argv) > 3 else None\n"
      "with zipfile.ZipFile(sys.argv[1], 'w', mode, compresslevel=level) as z:\n"
      "    for name in sys.argv[4:]: z.write(name)\n";
  WriteTestFile(dir_.File("make.py"), script);
  Shell("python3 make.py py-stored.zip stored 0" + Names());
  ExpectSound("py-stored.zip");
  for (int level : {1, 6, 9}) {
    std::string name = "py-deflated-" + std::to_string(level) + ".zip";
    Shell("python3 make.py " + name + " deflated " + std::to_string(level) + Names());
    ExpectSound(name);
  }
}

TEST_F(OtherTools, InfoZip) {
  if (!Have("zip")) GTEST_SKIP() << "zip not installed";
  for (int level : {0, 1, 6, 9}) {
    std::string name = "infozip-" + std::to_string(level) + ".zip";
    Shell("zip -q -X -" + std::to_string(level) + " " + name + Names());
    ExpectSound(name);
  }
}

TEST_F(OtherTools, SevenZip) {
  if (!Have("7z")) GTEST_SKIP() << "7z not installed";
  for (const char* level : {"0", "1", "5", "9"}) {
    std::string name = std::string("7z-") + level + ".zip";
    Shell(std::string("7z a -tzip -mm=") + (level[0] == '0' ? "Copy" : "Deflate") + " -mx=" + level + " " + name +
        Names());
    ExpectSound(name);
  }
}
