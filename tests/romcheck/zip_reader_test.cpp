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
Member Bad(Member m) { m.crc ^= 1; return m; }
const std::vector<std::string> kDamagedDirectory = {
    "the zip directory is damaged or the file is cut off (not a complete download?)"};
}  // namespace

TEST(CheckZip, SoundZipsSizeLimitsBogusDirectoryFieldsAndBombs) {
  std::string rom = RomLikeData(50000, 10);
  Member with_extra = Deflated("x.bin", rom);
  with_extra.extra = std::string("UT\x05\x00\x01\x00\x00\x00\x00", 9);  // as other zip tools add
  std::string zip = BuildZip({Stored("a.bin", "hello"), Deflated("b.bin", rom, 9), Stored("sub/", ""), with_extra,
                              Deflated("empty.bin", "", 6), Stored("sub/c.bin", "")});
  ZipCheck r = Check(zip, true);
  EXPECT_TRUE(r.files == 5u && r.total_bytes == 5u + 2 * rom.size() && r.problem_count == 0u);

  EXPECT_EQ(Problems(std::string(21, '\0')), std::vector<std::string>{"the file is too small to be a zip"});
  ZipCheck folders = Check(BuildZip({Stored("a/", ""), Stored("a/b/", "")}), false);
  EXPECT_TRUE(folders.problems == std::vector<std::string>{"the zip contains no files"} && folders.files == 0u);
  Check(BuildZip({Stored("x", "data")}, std::string(65535, 'c')), true);
  EXPECT_EQ(Problems(BuildZip({Stored("x", "data")}) + std::string(65536, 'c')), kDamagedDirectory);

  const std::string one = BuildZip({Stored("a", "abc")});
  const size_t end = one.rfind(std::string("PK\x05\x06", 4)), central = one.rfind(std::string("PK\x01\x02", 4));
  const std::pair<size_t, std::string> damage[] = {
      {end + 16, std::string("\x7F\0\0\x7F", 4)},  // directory offset past the end
      {end + 10, std::string("\x02", 1)},  // two entries announced, one there
      {central + 28, "\xFF"},              // the name runs past the end
  };
  for (const auto& [at, bytes] : damage)
    EXPECT_EQ(Problems(std::string(one).replace(at, bytes.size(), bytes)), kDamagedDirectory) << at;
  EXPECT_EQ(Problems(std::string(one).replace(central + 20, 4, "\xFF\xFF\xFF\x7F")),  // larger than the file
            std::vector<std::string>{"a: its data is missing (the zip is cut off or damaged)"});

  // One member that unpacks to 64 MiB but claims 1000 bytes.
  Member bomb = Deflated("bomb.bin", std::string(64u << 20, '\0'), 9);
  bomb.size = 1000;
  EXPECT_EQ(Problems(BuildZip({bomb})), std::vector<std::string>{"bomb.bin: has the wrong size (the file is corrupt)"});
  // Many directory entries sharing one member's data: only the first is unpacked.
  std::vector<Member> members(1000, Deflated("big.bin", std::string(16u << 20, '\0'), 9));
  for (size_t i = 0; i < members.size(); ++i)
    members[i].name = "m" + std::to_string(i), members[i].use_offset = true, members[i].offset = 0;
  r = Check(BuildZip(members), false);
  EXPECT_TRUE(r.problem_count == 999u && r.problems[0] == "m1: its data is missing (the zip is cut off or damaged)");
}

TEST(CheckZip, MemberProblemsNamesAndExtractingSoundMembers) {
  std::string rom = RomLikeData(20000, 14);
  Member bad_size = Deflated("size.bin", rom), stored_size = Stored("stored.bin", "abc"),
         stored_crc = Stored("storedcrc.bin", "abc"), broken = Deflated("broken.bin", rom),
         bzip2 = Stored("method.bin", "abc"), outside = Stored("outside.bin", "abc");
  bad_size.size += 1, stored_size.size = 4, stored_crc.crc ^= 0x80000000u, bzip2.method = 12;
  broken.data[broken.data.size() / 2] ^= 0x55;
  broken.data.resize(broken.data.size() - 40);
  outside.use_offset = true, outside.offset = 0xFFFFFF00u;
  EXPECT_EQ(Problems(BuildZip({Bad(Deflated("crc.bin", rom)), bad_size, stored_size, stored_crc, broken, bzip2,
                               outside, Stored("ok", "ok")})),
            (std::vector<std::string>{
                "crc.bin: wrong checksum (the file is corrupt)", "size.bin: has the wrong size (the file is corrupt)",
                "stored.bin: has the wrong size (the file is corrupt)", "storedcrc.bin: wrong checksum (the file is corrupt)",
                "broken.bin: cannot be unpacked (the file is corrupt)",
                "method.bin: uses a compression method this check does not know",
                "outside.bin: its data is missing (the zip is cut off or damaged)"}));

  // A long name is cut with its text at 199 bytes.
  EXPECT_EQ(Problems(BuildZip({Bad(Stored(std::string(300, 'n'), "x"))}))[0], std::string(199, 'n'));

  std::vector<Member> members;
  for (int i = 0; i < 5000; ++i) members.push_back(Stored("f" + std::to_string(i), std::to_string(i)));
  members[4095] = Bad(members[4095]);  // checked
  members[4096] = Bad(members[4096]);  // beyond what is checked
  ZipCheck r = Check(BuildZip(members), false);
  EXPECT_EQ(r.files, 4096u);
  EXPECT_EQ(r.problems, (std::vector<std::string>{"too many files in the zip to check them all",
                                                  "f4095: wrong checksum (the file is corrupt)"}));
  // A damaged header past the ones held still damages the directory.
  std::string zip = BuildZip(members);
  zip[zip.rfind(std::string("PK\x01\x02", 4))] = 'X';
  EXPECT_EQ(Problems(zip), kDamagedDirectory);

  // Names without the UTF-8 flag are code page 437.
  std::string e_acutes;  // a long legacy name: every 0x82 is an é, and the cut keeps whole characters
  for (int i = 0; i < 99; ++i) e_acutes += "\xC3\xA9";
  const std::string wrong = ": wrong checksum (the file is corrupt)";
  const struct { std::string name; uint32_t flags; std::string problem; } cases[] = {
      {std::string(250, '\x82'), 0, e_acutes},
      {"\xC5\x81\xC3\xB3" "d\xC5\xBA.bin", 0x0800, "\xC5\x81\xC3\xB3" "d\xC5\xBA.bin" + wrong},  // UTF-8 as it stands
      {"\x82.bin", 0x0800, "\xC3\xA9.bin" + wrong},  // flagged but not UTF-8: the code page
  };
  for (const auto& c : cases) {
    Member m = Bad(Stored(c.name, "x"));
    m.flags = c.flags;
    EXPECT_EQ(Check(BuildZip({m}), false).problems.at(0), c.problem);
  }
  // A flagged name kept to 259 bytes may end inside a character: that one goes.
  ZipEntry cut;
  cut.utf8_name = true, cut.name = std::string(257, 'a') + "\xC5";
  EXPECT_EQ(ZipNameText(cut), std::string(257, 'a'));

  rom = RomLikeData(100000, 15);
  members = {Deflated("d", rom), Stored("s", "stored"), Bad(Deflated("crc", rom)), Stored("m", "x")};
  members[0].extra = std::string("ab\x02\0xy", 6), members[3].method = 9;
  zip = BuildZip(members);
  std::vector<ZipEntry> entries;
  ASSERT_EQ(ReadZipDirectory(Bytes(zip), zip.size(), entries, 10), 4);
  std::string out(rom.size(), '\0');
  auto extract = [&](const ZipEntry& e, void* to) {
    return ExtractZipMember(Bytes(zip), zip.size(), e, static_cast<uint8_t*>(to));
  };
  EXPECT_TRUE(extract(entries[0], out.data()) && out == rom);
  EXPECT_TRUE(extract(entries[1], out.data()) && out.substr(0, 6) == "stored");
  EXPECT_FALSE(extract(entries[2], out.data()) || extract(entries[3], out.data()));
  // The directory says fewer or more bytes than the stream holds: refused, nothing written past the buffer.
  ZipEntry shorter = entries[0], longer = entries[0];  // the longer one keeps the checksum of what the stream holds
  shorter.uncompressed_size = 10, longer.uncompressed_size += 1;
  std::vector<uint8_t> small(10), big(rom.size() + 1);
  EXPECT_FALSE(extract(shorter, small.data()) || extract(longer, big.data()));

  zip = BuildZip({Stored(std::string(300, 'a'), "1"), Stored(std::string("b\0c", 3), "2"), Stored("c", "3")});
  EXPECT_EQ(ReadZipDirectory(Bytes(zip), zip.size(), entries, 2), 3);
  EXPECT_TRUE(entries.size() == 2 && entries[0].name == std::string(259, 'a') && entries[1].name == "b") << entries.size();
  EXPECT_EQ(ReadZipDirectory(Bytes(zip), 21, entries, 2), -1);
}

