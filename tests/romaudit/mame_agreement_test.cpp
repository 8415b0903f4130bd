// A scratch collection damaged in every way, judged by the real MAME and by the audit: the same lines, and a verdict
// that differs only where Korvo looks deeper (data behind a right stored CRC, and the SHA-1).
#include <gtest/gtest.h>

#include <mutex>

#include "romaudit/parallel_check.h"
#include "romaudit/scratch_collection.h"
#include "romaudit/verify_text.h"
#include "support/test_support.h"

namespace {

using scratch::Kind;

// What each set is given and what Korvo must make of it.
struct Case { const char* set; Kind kind; Verdict korvo; };
const Case kCases[] = {
    {"powyak96", Kind::Forged, Verdict::WrongSha1},       // disk and bad dumps right: MAME says best available
    {"ddr5m", Kind::NoDisk, Verdict::MissingFiles},       // its CD image is missing
    {"dstage", Kind::Wrong, Verdict::WrongChecksum},      // right names and sizes, wrong data
    {"ddru", Kind::InParent, Verdict::WrongSha1},         // its own files sit in dstage.zip
    {"ts2", Kind::Absent, Verdict::NotFound}, {"ts2u", Kind::Forged, Verdict::MissingFiles},  // a clone, its parent absent
    {"sfchampj", Kind::Renamed, Verdict::WrongSha1},      // found by CRC under other names
    {"tgmj", Kind::Missing, Verdict::MissingFiles},       // needs a device's ROM too
    {"psyforce", Kind::WrongSize, Verdict::WrongSize},
    {"hvnsgate", Kind::Truncated, Verdict::ZipDamaged},   // MAME cannot open it: not found
    {"fbaitbc", Kind::Flipped, Verdict::ZipDamaged},      // MAME trusts the stored CRC: best available
    {"primrag2", Kind::Folder, Verdict::WrongSha1},       // loose files in a folder
    {"konam80s", Kind::SecondFolder, Verdict::WrongSha1}, // in the second ROM folder
    {"zooo", Kind::EmptyZip, Verdict::WrongSha1},         // only BIOS files and a CHD, beside an empty zip
    {"jdredd", Kind::Deflated, Verdict::WrongSha1},
    {"gtrfrks", Kind::NotChd, Verdict::MissingFiles},     // its disk file is no CHD: the disk is missing
    {"beastrzr", Kind::Forged, Verdict::WrongSha1},
    {"beastrzra", Kind::EmptyZip, Verdict::NotFound},     // its files' names are in its parent's zip, not its data
    {"starglad", Kind::Wrong, Verdict::WrongChecksum},    // many regions: the lines in MAME's order
    {"tekken3", Kind::SevenZip, Verdict::WrongSha1},      // a solid 7z archive
    {"sfex2", Kind::SevenZipLzma, Verdict::WrongSha1},    // a 7z archive of LZMA blocks, with BIOS and device zips
};
// Sets whose BIOS choices lie in a region MAME checks after another: MAME's order is not the listing's.
const Case kOrderCases[] = {{"darkhleg", Kind::Wrong, Verdict::WrongChecksum}, {"sys573", Kind::Wrong, Verdict::WrongChecksum}};

struct Judged {
  std::map<std::string, SetCheck> checks;
  std::map<std::string, std::string> mame;  // MAME's lines of each set
  uint64_t bytes_read = 0, bytes_laid = 0;
};

// Lays the cases out under `root` and has both MAME and the audit judge them.
template <size_t N>
Judged JudgeBoth(const RomListing& listing, const Case (&cases)[N], const std::string& root) {
  std::vector<std::string> sets;
  std::map<std::string, Kind> kinds;
  std::string set_args;
  for (const Case& c : cases) sets.push_back(c.set), kinds[c.set] = c.kind, set_args += std::string(" ") + c.set;
  scratch::Collection collection = scratch::Build(listing, sets, kinds, root);
  Judged judged;
  judged.bytes_laid = collection.bytes;
  judged.mame = scratch::SplitVerifyroms(scratch::RunMame(
      root, "-verifyroms" + set_args + " -rompath '" + collection.folder_a + ";" + collection.folder_b + "'"));

  RomPlaces places = ListRomPlaces({collection.folder_a, collection.folder_b});
  std::mutex mutex;
  std::atomic<uint64_t> bytes{0};
  CheckRun run;
  run.threads = 2, run.bytes = &bytes;
  run.done = [&](SetCheck&& check) {
    std::lock_guard<std::mutex> lock(mutex);
    judged.checks[check.set] = std::move(check);
  };
  EXPECT_TRUE(CheckSets(listing, places, sets, run));
  judged.bytes_read = bytes;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    EXPECT_EQ(judged.checks.count(c.set), 1u);
    const SetCheck& check = judged.checks[c.set];
    EXPECT_EQ(VerifyText(check, true), judged.mame[c.set]);
    EXPECT_EQ(check.verdict, c.korvo) << VerifyText(check);
  }
  return judged;
}

TEST(MameAgreement, ScratchCollectionReadsAsMameSaysExceptWhereKorvoLooksDeeper) {
  if (!scratch::HaveMame()) GTEST_SKIP() << "MAME 0.251 is not installed";
  TempDir dir;
  std::vector<std::string> asked;
  for (const Case& c : kCases) asked.push_back(c.set);
  asked.insert(asked.end(), {"darkhleg", "ts2", "dstage", "sfchamp", "coh1000c", "coh1000t", "coh3002c", "coh1001l",
                             "coh3002t", "coh1000w", "coh1000a", "sys573", "konamigv"});
  RomListing listing;
  ASSERT_GT(ParseRomListing(scratch::RunMame(dir.path(), ListXmlArguments(asked)), listing), std::size(kCases));
  ASSERT_GT(ParseCheckingOrder(scratch::RunMame(dir.path(), ListRomsArguments(asked)), listing), std::size(kCases));

  Judged judged = JudgeBoth(listing, kCases, dir.File("main"));
  JudgeBoth(listing, kOrderCases, dir.File("order"));
  EXPECT_GE(judged.bytes_read, judged.bytes_laid);  // every byte laid out was read
  auto& checks = judged.checks;

  // The two places Korvo parts from MAME on purpose.
  EXPECT_EQ(checks["fbaitbc"].mame_verdict, Verdict::BestAvailable);
  EXPECT_NE(VerifyText(checks["fbaitbc"]).find("ZIP DAMAGED (fbaitbc.zip): wrong checksum (the file is corrupt)"),
            std::string::npos);
  EXPECT_EQ(checks["powyak96"].mame_verdict, Verdict::BestAvailable);
  EXPECT_NE(VerifyText(checks["powyak96"]).find("   FOUND: CRC("), std::string::npos);
  EXPECT_NE(DetailsLine(checks["powyak96"]).find("MAME's own check calls it best available"), std::string::npos);
  // A damaged zip MAME cannot open at all: the same "not found", with the reason.
  EXPECT_EQ(checks["hvnsgate"].mame_verdict, Verdict::NotFound);
  EXPECT_NE(VerifyText(checks["hvnsgate"]).find("hvnsgate.zip: " + std::string(kZipDirectoryDamagedText)),
            std::string::npos);
  // 7z archives: MAME finds every file in them, as Korvo does.
  for (const char* set : {"tekken3", "sfex2"}) EXPECT_TRUE(VerdictIsGood(checks[set].mame_verdict)) << set;
  // A disk file that is no CHD: missing, and the line says which file is not one.
  EXPECT_NE(DetailsLine(checks["gtrfrks"]).find("NOT FOUND (gtrfrks\\886__d02.chd is not a CHD file MAME can read)"),
            std::string::npos) << DetailsLine(checks["gtrfrks"]);

  // A set MAME does not know, asked on its own (MAME stops at it).
  int exit_code = 0;
  scratch::RunMame(dir.path(), "-verifyroms tekken2ua", &exit_code);
  EXPECT_EQ(exit_code, 5);
  SetCheck unknown = CheckSet(listing, RomPlaces(), "tekken2ua", [](const std::string&) { return nullptr; });
  EXPECT_EQ(unknown.verdict, Verdict::Unknown);
}

}  // namespace
