// 7z archives of p7zip (LZMA, LZMA2, solid or not, BCJ, PPMd which MAME skips too, damaged): every byte comes back.
#include "romcheck/seven_zip.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "romcheck/crc32.h"
#include "romcheck/zip_test_util.h"
#include "support/test_support.h"

namespace {

using ziptest::Bytes;

// Packs `files` (name -> data) with the 7z program and the given switches.
std::string Make7z(const TempDir& dir, const std::map<std::string, std::string>& files, const std::string& switches) {
  const std::string in = dir.File("in"), out = dir.File("out.7z");
  std::filesystem::remove_all(in);
  std::filesystem::remove(out);
  for (const auto& [name, data] : files) {
    std::filesystem::create_directories(std::filesystem::path(in + "/" + name).parent_path());
    WriteTestFile(in + "/" + name, data);
  }
  std::string command = "cd '" + in + "' && LC_ALL=C.UTF-8 7z a -bd -bso0 -bsp0 " + switches + " '" + out + "' . >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return ReadTestFile(out);
}

// Each member's bytes by name (a folder's ends in "/"), or the text of its problem.
std::map<std::string, std::string> Unpack(const std::string& archive, std::string* open_problem = nullptr) {
  std::map<std::string, std::string> out;
  SevenZipReader reader;
  std::string problem;
  if (!reader.Open(Bytes(archive), archive.size(), problem)) {
    if (open_problem) *open_problem = problem;
    return out;
  }
  for (size_t i = 0; i < reader.members().size(); ++i) {
    const SevenZipMember& m = reader.members()[i];
    if (m.folder) { out[m.name + "/"] = ""; continue; }
    std::string data;
    InflateSink sink{[](void* to, const uint8_t* bytes, size_t length) {
      static_cast<std::string*>(to)->append(reinterpret_cast<const char*>(bytes), length);
      return true;
    }, &data};
    ZipMemberCheck check = reader.CheckMember(i, &sink);
    EXPECT_TRUE(check.problem || (check.produced == m.size && check.crc == Crc32(0, data.data(), data.size())));
    out[m.name] = check.problem ? std::string(check.problem) : data;
  }
  return out;
}

TEST(SevenZip, ArchivesOfThe7zProgramReadBackWhateverTheMethod) {
  if (std::system("command -v 7z >/dev/null 2>&1") != 0) GTEST_SKIP() << "the 7z program (p7zip-full) is not installed";
  TempDir dir;
  std::string noise(200000, '\0');  // incompressible
  for (std::mt19937 rng(5); char& c : noise) c = static_cast<char>(rng());
  const std::map<std::string, std::string> files = {
      {"a.bin", ziptest::RomLikeData(300000, 1)}, {"b.bin", noise}, {"empty \xF0\x9F\x91\xBE.bin", ""},
      {"sub/c.bin", ziptest::RomLikeData(70000, 2)}, {"d.bin", std::string(100000, '\xFF')}};
  std::map<std::string, std::string> listed = files;  // and the folder, as one
  listed["sub/"] = "";
  for (const char* switches : {"-m0=LZMA2 -ms=on", "-m0=LZMA -ms=off", "-m0=LZMA -ms=on -mx=9",
                               "-m0=BCJ -m1=LZMA2 -ms=on", "-m0=LZMA2 -ms=2f"}) {
    SCOPED_TRACE(switches);
    std::string archive = Make7z(dir, files, switches);
    EXPECT_EQ(Unpack(archive), listed);
    ZipCheck check;
    EXPECT_TRUE(CheckSevenZip(Bytes(archive), archive.size(), check)) << (check.problems.empty() ? "" : check.problems[0]);
    EXPECT_EQ(check.files, 5u);
  }

  // A method MAME's reader does not know either; a block larger than allowed.
  std::string ppmd = Make7z(dir, files, "-m0=PPMd");
  EXPECT_EQ(Unpack(ppmd)["a.bin"], "uses a compression method this check does not know");
  std::string solid = Make7z(dir, files, "-m0=LZMA2 -ms=on");
  std::string problem;
  SevenZipReader small;
  EXPECT_FALSE(small.Open(Bytes(solid), solid.size(), problem, 1u << 16));
  EXPECT_EQ(problem, kSevenZipTooLargeText);

  // Damage in a non-solid archive's packed data shows in that member alone; a cut-off archive cannot be opened.
  std::string plain = Make7z(dir, {{"a.bin", ziptest::RomLikeData(300000, 1)}, {"b.bin", "hello"}}, "-m0=LZMA -ms=off");
  std::string flipped = plain;
  flipped[32 + 1000] ^= 0x55;
  std::map<std::string, std::string> damaged = Unpack(flipped);
  EXPECT_TRUE(damaged["a.bin"] == "cannot be unpacked (the file is corrupt)" ||
              damaged["a.bin"] == "wrong checksum (the file is corrupt)") << damaged["a.bin"];
  EXPECT_EQ(damaged["b.bin"], "hello");
  ZipCheck check;
  EXPECT_FALSE(CheckSevenZip(Bytes(flipped), flipped.size(), check));
  EXPECT_TRUE(check.problem_count == 1u && check.problems[0].rfind("a.bin: ", 0) == 0u);
  Unpack(plain.substr(0, plain.size() - 40), &problem);
  EXPECT_EQ(problem, kSevenZipDamagedText);
}

}  // namespace
