#include "romcheck/zip_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "romcheck/zip_test_util.h"

using namespace ziptest;

namespace {

ZipCheck Check(const std::string& zip, bool expect_sound) {
  ZipCheck result;
  EXPECT_EQ(CheckZip(Bytes(zip), zip.size(), result), expect_sound);
  return result;
}

std::vector<std::string> Problems(const std::string& zip) { return Check(zip, false).problems; }

const char* kDamagedDirectory = "the zip directory is damaged or the file is cut off (not a complete download?)";

}  // namespace

TEST(CheckZip, SoundZipCountsFilesAndBytes) {
  std::string rom = RomLikeData(50000, 10);
  std::string zip = BuildZip({Stored("a.bin", "hello"), Deflated("b.bin", rom, 9), Stored("sub/", ""),
                              Deflated("empty.bin", "", 6), Stored("sub/c.bin", "")});
  ZipCheck r = Check(zip, true);
  EXPECT_EQ(r.files, 4u);
  EXPECT_EQ(r.total_bytes, 5u + rom.size());
  EXPECT_EQ(r.problem_count, 0u);
}

TEST(CheckZip, SizeLimitsOfTheFileAndTheComment) {
  EXPECT_EQ(Problems(std::string(21, '\0')), std::vector<std::string>{"the file is too small to be a zip"});
  std::string empty = BuildZip({});
  ASSERT_EQ(empty.size(), 22u);
  EXPECT_EQ(Problems(empty), std::vector<std::string>{"the zip contains no files"});

  std::vector<Member> one = {Stored("x", "data")};
  Check(BuildZip(one, std::string(65535, 'c')), true);
  std::string zip = BuildZip(one);
  EXPECT_EQ(Problems(zip + std::string(65536, 'c')), std::vector<std::string>{kDamagedDirectory});
}

TEST(CheckZip, CutOffZips) {
  std::string zip = BuildZip({Deflated("a.bin", RomLikeData(3000, 11)), Deflated("b.bin", RomLikeData(3000, 12))});
  // Without the directory, every cut is a damaged directory and never a crash.
  for (size_t cut = 0; cut < zip.size(); ++cut) {
    ZipCheck r;
    EXPECT_FALSE(CheckZip(Bytes(zip), cut, r));
    ASSERT_EQ(r.problems.size(), 1u) << cut;
  }
}

TEST(CheckZip, MemberProblemTexts) {
  std::string rom = RomLikeData(20000, 14);
  Member bad_crc = Deflated("crc.bin", rom);
  bad_crc.crc ^= 1;
  Member bad_size = Deflated("size.bin", rom);
  bad_size.size += 1;
  Member stored_size = Stored("stored.bin", "abc");
  stored_size.size = 4;
  Member stored_crc = Stored("storedcrc.bin", "abc");
  stored_crc.crc ^= 0x80000000u;
  Member broken = Deflated("broken.bin", rom);
  broken.data[broken.data.size() / 2] ^= 0x55;
  broken.data.resize(broken.data.size() - 40);
  Member bzip2 = Stored("method.bin", "abc");
  bzip2.method = 12;
  Member outside = Stored("outside.bin", "abc");
  outside.use_offset = true;
  outside.offset = 0xFFFFFF00u;
  EXPECT_EQ(Problems(BuildZip({bad_crc, bad_size, stored_size, stored_crc, broken, bzip2, outside, Stored("ok", "ok")})),
            (std::vector<std::string>{
                "crc.bin: wrong checksum (the file is corrupt)",
                "size.bin: has the wrong size (the file is corrupt)",
                "stored.bin: has the wrong size (the file is corrupt)",
                "storedcrc.bin: wrong checksum (the file is corrupt)",
                "broken.bin: cannot be unpacked (the file is corrupt)",
                "method.bin: uses a compression method this check does not know",
                "outside.bin: its data is missing (the zip is cut off or damaged)",
            }));
}

TEST(CheckZip, FoldersOnlyAndProblemOverflow) {
  ZipCheck r = Check(BuildZip({Stored("a/", ""), Stored("a/b/", "")}), false);
  EXPECT_EQ(r.problems, std::vector<std::string>{"the zip contains no files"});
  EXPECT_EQ(r.files, 0u);

  std::vector<Member> members;
  for (int i = 0; i < 13; ++i) {
    members.push_back(Stored("m" + std::to_string(i), "x"));
    members.back().crc ^= 1;
  }
  r = Check(BuildZip(members), false);
  EXPECT_EQ(r.problem_count, 13u);
  EXPECT_EQ(r.problems.size(), 12u);
  EXPECT_EQ(r.problems[11], "m11: wrong checksum (the file is corrupt)");

  // A long name is cut with its text at 199 bytes.
  Member long_name = Stored(std::string(300, 'n'), "x");
  long_name.crc ^= 1;
  r = Check(BuildZip({long_name}), false);
  EXPECT_EQ(r.problems[0], std::string(199, 'n'));
}

TEST(CheckZip, NamesWithoutTheUtf8FlagAreCodePage437) {
  auto problem = [](const std::string& name, uint32_t flags) {
    Member m = Stored(name, "x");
    m.crc ^= 1;
    m.flags = flags;
    return Check(BuildZip({m}), false).problems.at(0);
  };
  const std::string e_acute = "\xC3\xA9";
  // A long legacy name: every 0x82 is an é, and the cut keeps whole characters.
  std::string expected;
  for (int i = 0; i < 99; ++i) expected += e_acute;
  EXPECT_EQ(problem(std::string(250, '\x82'), 0), expected);
  EXPECT_EQ(problem("\x8E\x99.bin", 0), "\xC3\x84\xC3\x96.bin: wrong checksum (the file is corrupt)");
  // With the flag the name is UTF-8 as it stands; a flagged name that is not
  // UTF-8 falls back to the code page.
  EXPECT_EQ(problem("\xC5\x81\xC3\xB3" "d\xC5\xBA.bin", 0x0800),
            "\xC5\x81\xC3\xB3" "d\xC5\xBA.bin: wrong checksum (the file is corrupt)");
  EXPECT_EQ(problem("\x82.bin", 0x0800), e_acute + ".bin: wrong checksum (the file is corrupt)");
  // A flagged name kept to 259 bytes may end inside a character: that one goes.
  ZipEntry cut;
  cut.utf8_name = true;
  cut.name = std::string(257, 'a') + "\xC5";
  EXPECT_EQ(ZipNameText(cut), std::string(257, 'a'));
}

TEST(CheckZip, FiveThousandMembersChecksTheFirst4096) {
  std::vector<Member> members;
  for (int i = 0; i < 5000; ++i) members.push_back(Stored("f" + std::to_string(i), std::to_string(i)));
  members[4095].crc ^= 1;  // checked
  members[4096].crc ^= 1;  // beyond what is checked
  ZipCheck r = Check(BuildZip(members), false);
  EXPECT_EQ(r.files, 4096u);
  EXPECT_EQ(r.problems, (std::vector<std::string>{"too many files in the zip to check them all",
                                                  "f4095: wrong checksum (the file is corrupt)"}));
  // A damaged header past the ones held still damages the directory.
  std::string zip = BuildZip(members);
  size_t last = zip.rfind(std::string("PK\x01\x02", 4));
  zip[last] = 'X';
  EXPECT_EQ(Problems(zip), std::vector<std::string>{kDamagedDirectory});
}

TEST(CheckZip, BogusDirectoryFields) {
  std::string zip = BuildZip({Stored("a", "abc")});
  size_t end = zip.rfind(std::string("PK\x05\x06", 4));
  std::string far = zip;
  far[end + 16] = '\x7F', far[end + 19] = '\x7F';  // directory offset past the end
  EXPECT_EQ(Problems(far), std::vector<std::string>{kDamagedDirectory});
  std::string more = zip;
  more[end + 10] = 2;  // two entries announced, one there
  EXPECT_EQ(Problems(more), std::vector<std::string>{kDamagedDirectory});
  std::string long_name = zip;
  size_t central = zip.rfind(std::string("PK\x01\x02", 4));
  long_name[central + 28] = '\xFF';  // the name runs past the end
  EXPECT_EQ(Problems(long_name), std::vector<std::string>{kDamagedDirectory});
  std::string huge = zip;
  huge.replace(central + 20, 4, "\xFF\xFF\xFF\x7F");  // compressed size larger than the file
  EXPECT_EQ(Problems(huge), std::vector<std::string>{"a: its data is missing (the zip is cut off or damaged)"});
}

TEST(CheckZip, ZipBombsEndQuickly) {
  // One member that unpacks to 64 MiB but claims 1000 bytes.
  Member bomb = Deflated("bomb.bin", std::string(64u << 20, '\0'), 9);
  bomb.size = 1000;
  EXPECT_EQ(Problems(BuildZip({bomb})), std::vector<std::string>{"bomb.bin: has the wrong size (the file is corrupt)"});

  // Many directory entries sharing one member's data: only the first is unpacked.
  Member big = Deflated("big.bin", std::string(16u << 20, '\0'), 9);
  std::vector<Member> members(1000, big);
  for (size_t i = 0; i < members.size(); ++i) {
    members[i].name = "m" + std::to_string(i);
    members[i].use_offset = true;
    members[i].offset = 0;
  }
  ZipCheck r = Check(BuildZip(members), false);
  EXPECT_EQ(r.problem_count, 999u);
  EXPECT_EQ(r.problems[0], "m1: its data is missing (the zip is cut off or damaged)");
}

TEST(ExtractZipMember, UnpacksOnlySoundMembers) {
  std::string rom = RomLikeData(100000, 15);
  std::vector<Member> members = {Deflated("d", rom), Stored("s", "stored"), Deflated("crc", rom), Stored("m", "x")};
  members[2].crc ^= 1;
  members[3].method = 9;
  std::string zip = BuildZip(members);
  std::vector<ZipEntry> entries;
  ASSERT_EQ(ReadZipDirectory(Bytes(zip), zip.size(), entries, 10), 4);
  std::string out(rom.size(), '\0');
  ASSERT_TRUE(ExtractZipMember(Bytes(zip), zip.size(), entries[0], reinterpret_cast<uint8_t*>(out.data())));
  EXPECT_EQ(out, rom);
  out.assign(6, '\0');
  ASSERT_TRUE(ExtractZipMember(Bytes(zip), zip.size(), entries[1], reinterpret_cast<uint8_t*>(out.data())));
  EXPECT_EQ(out, "stored");
  out.assign(rom.size(), '\0');
  EXPECT_FALSE(ExtractZipMember(Bytes(zip), zip.size(), entries[2], reinterpret_cast<uint8_t*>(out.data())));
  EXPECT_FALSE(ExtractZipMember(Bytes(zip), zip.size(), entries[3], reinterpret_cast<uint8_t*>(out.data())));
  // The directory says fewer bytes than the stream holds: refused, nothing written past the buffer.
  ZipEntry shorter = entries[0];
  shorter.uncompressed_size = 10;
  std::vector<uint8_t> small(10);
  EXPECT_FALSE(ExtractZipMember(Bytes(zip), zip.size(), shorter, small.data()));
}

TEST(ReadZipDirectory, NamesAreCutAndCapacityRespected) {
  std::string zip = BuildZip({Stored(std::string(300, 'a'), "1"), Stored(std::string("b\0c", 3), "2"), Stored("c", "3")});
  std::vector<ZipEntry> entries;
  EXPECT_EQ(ReadZipDirectory(Bytes(zip), zip.size(), entries, 2), 3);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, std::string(259, 'a'));
  EXPECT_EQ(entries[1].name, "b");
  EXPECT_EQ(ReadZipDirectory(Bytes(zip), 21, entries, 2), -1);
}
