// Check All ROM Sets on a varied collection: again after a zip or MAME changed; cancelled halfway or while asking MAME.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>
#include <tuple>

#include "../../tools/fakemame/fakemame_record.h"
#include "launch/captured_run.h"
#include "romaudit/audit_texts.h"
#include "romaudit/collection_audit.h"
#include "romaudit/container_digest.h"
#include "romaudit/hash_pipe.h"
#include "romaudit/scratch_collection.h"
#include "romcheck/crc32.h"
#include "support/test_support.h"

namespace {

std::string g_listing;  // what the stand-in MAME answers to -listxml
std::atomic<bool> g_slow{false};  // it takes seconds, then is ended

int AnswerListXml(const std::string&, const std::string&, const std::string& arguments, TextBuffer& output,
                  uint32_t, int32_t* exit_code) {
  if (g_slow) {
    for (int i = 0; g_slow && i < 300; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return kCapturedTimedOut;
  }
  if (arguments.rfind("-listroms ", 0) == 0) {  // ended by its time limit: what it printed is cut short
    output = "ROMs required for driver \"loosey\".\nName Size Checksum\nnodump.bin 3 NO GOOD DUMP KNOWN\n";
    return kCapturedTimedOut;
  }
  // Like MAME, it lists nothing when one of the sets asked about is not its own.
  output = arguments.rfind("-listxml ", 0) == 0 && arguments.find(" unknown") == std::string::npos ? g_listing : "";
  if (exit_code) *exit_code = 0;
  return 0;
}

struct File { std::string name, data; };

std::string RomXml(const File& f, const char* extra = "") {
  char crc[16];
  std::snprintf(crc, sizeof crc, "%08x", Crc32(0, f.data.data(), f.data.size()));
  return "<rom name=\"" + f.name + "\" size=\"" + std::to_string(f.data.size()) + "\" crc=\"" + crc + "\" sha1=\"" +
         Sha1Hex(Sha1Of(f.data.data(), f.data.size())) + "\"" + extra + " region=\"r\"/>";
}

void WriteZip(const std::string& path, const std::vector<File>& files, bool flip_last = false) {
  std::vector<ziptest::Member> members;
  for (const File& f : files) members.push_back(ziptest::Deflated(f.name, f.data, 1));
  if (flip_last) members.back().data[members.back().data.size() / 2] ^= 1;
  WriteTestFile(path, ziptest::BuildZip(members));
}

struct Result {
  std::map<std::string, AuditRow> rows;
  std::vector<AuditProgress> progress;
  AuditOutcome outcome;
  std::vector<AuditRow> List() const {
    std::vector<AuditRow> list;
    for (const auto& [set, row] : rows) list.push_back(row);
    return list;
  }
  std::string Summary() const { return AuditSummaryText(List(), outcome); }  // the window's line at the end
};

// `on_first` runs when the first set is judged, before any zip is read.
Result Audit(const AuditSetup& setup, const std::function<void(CollectionAudit&)>& on_first = {}, bool cancel = false) {
  Result result;
  std::mutex mutex;
  CollectionAudit audit;
  AuditEvents events;
  bool first = true;
  events.row = [&](AuditRow row) {
    std::lock_guard<std::mutex> lock(mutex);
    if (on_first && first && !row.from_last_audit) on_first(audit);
    first = first && row.from_last_audit;
    result.rows[row.set] = std::move(row);
  };
  events.progress = [&](const AuditProgress& p) { std::lock_guard lock(mutex); result.progress.push_back(p); };
  events.finished = [&](AuditOutcome o) { result.outcome = std::move(o); };
  EXPECT_TRUE(audit.Start(setup, events) && !audit.Start(setup, events));  // one at a time
  if (cancel) audit.Cancel();
  audit.Wait();
  return result;
}

TEST(CollectionAudit, JudgesEverySetKeepsResultsAndRereadsOnlyWhatChanged) {
  TempDir dir;
  const std::string roms = dir.File("roms"), more = dir.File("more");
  const File bios{"bios.bin", scratch::RandomBytes(70000, 1)}, main{"main.bin", scratch::RandomBytes(300000, 2)},
      clone{"clone.bin", scratch::RandomBytes(90000, 3)}, extra{"readme.txt", scratch::RandomBytes(5000, 4)},
      loose{"loose.bin", scratch::RandomBytes(1000, 5)}, big{"big.bin", scratch::RandomBytes(4u << 20, 6)};
  g_listing = "<mame>"
              "<machine name=\"bios1\" isbios=\"yes\">" + RomXml(bios) + "</machine>"
              "<machine name=\"alpha\" romof=\"bios1\">" + RomXml(bios) + RomXml(main) + "</machine>"
              "<machine name=\"alphaj\" cloneof=\"alpha\" romof=\"alpha\">" + RomXml(bios) + RomXml(main) +
              RomXml(clone) + "</machine>"
              "<machine name=\"damaged\">" + RomXml(main) + "</machine>"
              "<machine name=\"seven\">" + RomXml(main) + "</machine>"
              "<machine name=\"loosey\">" + RomXml(loose) + RomXml(clone, " status=\"baddump\"") +
              RomXml(main, " optional=\"yes\"") + "<rom name=\"nodump.bin\" size=\"3\" status=\"nodump\"/></machine>"
              "<machine name=\"huge\">" + RomXml(big) + "</machine>"
              "</mame>";
  WriteZip(roms + "/bios1.zip", {bios});
  WriteZip(roms + "/alpha.zip", {{"docs/", ""}, main});  // zip tools keep folders as members of their own
  WriteZip(more + "/alphaj.zip", {clone});
  WriteZip(roms + "/damaged.zip", {main, extra}, true);  // the member it needs is sound
  WriteTestFile(dir.File("seven/main.bin"), main.data);  // for a 7z archive as the 7z program makes one
  ASSERT_EQ(std::system(("cd '" + dir.File("seven") + "' && 7z a -bd -bso0 -bsp0 '" + roms + "/seven.7z' main.bin >/dev/null").c_str()), 0);
  WriteTestFile(roms + "/loosey/LOOSE.BIN", loose.data);
  std::ofstream(roms + "/loosey/clone.bin", std::ios::binary) << clone.data;
  std::ofstream(roms + "/loosey/nodump.bin") << "any";
  for (int i = 0; i < 10000; ++i) std::ofstream(more + "/unrelated" + std::to_string(i) + ".txt");
  std::ofstream(dir.File("not-a-folder")) << "x";
  const std::string fake_mame = dir.File("mame.exe");
  std::ofstream(fake_mame) << "mame";

  AuditSetup setup{.mame = {true, fake_mame, dir.path(), AnswerListXml},
                   .folders = {roms, dir.File("not-a-folder"), more}, .games = {},
                   .store_path = dir.File("korvo-audit.cfg"), .answers_path = "", .threads = 2};
  GameList list;  // as the game list holds them: titles in another order, the last one not in this MAME
  for (std::string set : {"alpha", "alphaj", "damaged", "seven", "loosey", "absent", "unknown"})
    list.push_back({0, std::to_string(set.size()) + " Title of " + set, "", set, set == "alphaj" ? "alpha" : "",
                    set == "alpha" || set == "alphaj" ? "bios1" : ""});
  list.back().flags = kGameNotInMame;
  setup.games = AuditGames(list);
  std::ofstream(roms + "/unknown.zip") << "whatever";

  const struct { const char* set; const char* verdict; const char* details; } first[] = {  // the window's cells
      {"alpha", "good", ""}, {"seven", "good", ""},
      {"alphaj", "good", ""},  // the parent's and BIOS's files found in their zips
      {"damaged", "zip damaged",
       "damaged.zip: readme.txt: wrong checksum (the file is corrupt); MAME's own check calls it good: it trusts the "
       "checksums the zip states"},
      {"loosey", "best available", "clone.bin (90000 bytes) - NEEDS REDUMP; main.bin (300000 bytes) - NOT FOUND BUT "
                                   "OPTIONAL; nodump.bin (3 bytes) - NO GOOD DUMP KNOWN"},
      {"unknown", "not known to this MAME", "the installed MAME does not list this set"},
  };
  Result r1 = Audit(setup);
  for (const auto& e : first)
    EXPECT_EQ(AuditCellText(r1.rows[e.set], AuditColumn::Verdict) + " | " +
                  AuditCellText(r1.rows[e.set], AuditColumn::Details),
              std::string(e.verdict) + " | " + e.details) << e.set << ": " << r1.rows[e.set].report;
  // The progress bar knows how many sets there are before the first is read, and ends full.
  ASSERT_GE(r1.progress.size(), 2u);
  EXPECT_TRUE(r1.progress.front().total == 6 && r1.progress.back().done == 6 && r1.progress.back().reading.empty());
  EXPECT_EQ(AuditProgressText({}) + AuditProgressText(r1.progress.front()),
            "Looking at the ROM folders\xE2\x80\xA6" "Asking MAME which files the sets need\xE2\x80\xA6");
  EXPECT_EQ(AuditProgressText({2, 6, 3u << 18, 0.5, "alphaj"}),  // in its first second too
            "Checked 2 of 6 sets \xC2\xB7 1.5 MB/s \xC2\xB7 reading alphaj");
  // All rows, sorted by a header click: by set, then good to worst, one verdict by title ("absent" has no zip: no row).
  std::vector<AuditRow> shown = r1.List();
  std::string order;
  for (auto [column, ascending] : {std::pair{AuditColumn::Set, false}, {AuditColumn::Verdict, true}}) {
    SortAuditRows(shown, column, ascending);
    for (const AuditRow& row : shown) order += row.set + " ";
  }
  EXPECT_EQ(order, "unknown seven loosey damaged alphaj alpha alpha seven alphaj loosey damaged unknown ");
  const std::string no_folder =
      "The ROM folder " + dir.File("not-a-folder") + " cannot be read (no access?): nothing in it was checked.";

  // The clone's zip changes: only it is read again. Its file, now in a folder, is found by name: a wrong checksum.
  WriteZip(more + "/alphaj.zip", {{"old/clone.bin", scratch::RandomBytes(90000, 9)}});
  // Till then the game list's icons show the findings that still hold: not the clone's.
  auto marks = [&] { return CurrentAuditMarks(setup.store_path, setup.mame, setup.folders); };
  EXPECT_EQ(marks(), (std::unordered_map<std::string, RomStatus>{
                         {"alpha", RomStatus::CheckedGood}, {"damaged", RomStatus::Damaged},
                         {"seven", RomStatus::CheckedGood}, {"loosey", RomStatus::CheckedGood},
                         {"unknown", RomStatus::Unknown}}));
  Result r2 = Audit(setup);
  EXPECT_TRUE(r2.outcome.checked == 1u && r2.outcome.kept == 5u && r2.rows.size() == 6u && r2.rows["alpha"].from_last_audit);  // listed too
  EXPECT_EQ(r2.rows["alphaj"].verdict, Verdict::WrongChecksum);
  // Written again at the same size, later: read again too.
  const auto before = std::filesystem::file_size(more + "/alphaj.zip");
  WriteZip(more + "/alphaj.zip", {{"old/clone.bin", scratch::RandomBytes(90000, 10)}});
  ASSERT_EQ(std::filesystem::file_size(more + "/alphaj.zip"), before);
  std::filesystem::last_write_time(more + "/alphaj.zip", std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5));
  EXPECT_EQ(Audit(setup).outcome.checked, 1u);
  // The BIOS's zip replaced by one of another size that kept its write time (copied with its times).
  const auto written = std::filesystem::last_write_time(roms + "/bios1.zip");
  WriteZip(roms + "/bios1.zip", {bios, extra});
  std::filesystem::last_write_time(roms + "/bios1.zip", written);
  EXPECT_EQ(Audit(setup).outcome.checked, 2u);
  std::filesystem::last_write_time(roms + "/bios1.zip", std::filesystem::file_time_type::clock::now() + std::chrono::seconds(5));
  EXPECT_EQ(Audit(setup).outcome.checked, 2u);  // the BIOS's zip touched: both sets whose results hang on it
  // Nothing was written to the ROM folders.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(more), {}), 10001);

  // A changed key (another mame.exe) voids every result. A zip changed between listing and reading is not judged.
  std::ofstream(fake_mame, std::ios::app) << "a newer build";
  EXPECT_TRUE(marks().empty());
  WriteZip(roms + "/huge.zip", {big});
  setup.games.push_back({"Huge", "huge", "", ""});
  std::swap(setup.games.front(), setup.games.back());  // read first
  Result r3 = Audit(setup, [&](CollectionAudit&) { WriteZip(roms + "/alpha.zip", {main, extra}); });
  EXPECT_EQ(r3.Summary() + std::to_string(r3.outcome.checked),
            "7 sets: 3 good, 1 with problems, 2 not checked, 1 not known to this MAME.7");
  for (const char* set : {"alpha", "alphaj"})
    EXPECT_TRUE(r3.rows[set].verdict == Verdict::NotChecked &&
                r3.rows[set].details.find("alpha.zip: changed while it was being read") != std::string::npos) << set;

  // A cancel keeps what was judged and nothing of the rest.
  std::ofstream(fake_mame, std::ios::app) << "and another";
  Result r4 = Audit(setup, [](CollectionAudit& audit) { audit.Cancel(); });
  EXPECT_TRUE(r4.outcome.cancelled && r4.outcome.checked < 7u);
  EXPECT_EQ(AuditSummaryText({r1.rows["alpha"], r1.rows["damaged"]}, {2, 0, true, {}}),
            "Cancelled after 2 sets; those not reached keep no result. 2 sets: 1 good, 1 with problems.");
  AuditStore kept = ParseAuditStore(ReadTestFile(setup.store_path));
  EXPECT_EQ(kept.records.size(), r4.rows.size());
  for (const auto& [set, record] : kept.records) EXPECT_EQ(r4.rows.count(set), 1u) << set;
  // Cancelled while MAME is still asked: the check ends without waiting for it, and nothing is judged.
  std::ofstream(fake_mame, std::ios::app) << "a slow build";
  g_slow = true;
  Result asking = Audit(setup, {}, true);
  g_slow = false;
  EXPECT_EQ(asking.Summary(), "The check was cancelled before any set was checked.");
  // Only a folder that cannot be read: the summary says so, not that no sets were found.
  AuditSetup unreadable = setup;
  unreadable.folders = {dir.File("not-a-folder")};
  EXPECT_EQ(Audit(unreadable).Summary(), no_folder);

  // A loose file or a zip that cannot be read (a link to nothing here, a locked file on Windows): its set not checked.
  for (const std::string unreadable : {"/loosey/clone.bin", "/damaged.zip"}) {
    std::filesystem::remove(roms + unreadable);
    std::filesystem::create_symlink(roms + "/nothing", roms + unreadable);
  }
  Result unread = Audit(setup);
  EXPECT_EQ(marks()["loosey"], RomStatus::NotChecked);
  EXPECT_EQ(AuditCellText(unread.rows["damaged"], AuditColumn::Verdict) + " | " + unread.rows["damaged"].details,
            "not checked | damaged.zip: found, but it cannot be read (in use, or no access?)");

  // A silent MAME and an unwritable korvo-audit.cfg: nothing judged; the copied report says why, as for loosey.
  std::ofstream(fake_mame, std::ios::app) << "a silent build";
  g_listing.clear(), setup.store_path = roms;
  Result silent = Audit(setup);
  const std::string why = "MAME did not answer when asked which files the sets need, so they could not be checked.";
  EXPECT_EQ(AuditReportText({silent.rows["alpha"], unread.rows["loosey"]}, silent.outcome),
            "Check All ROM Sets: 2 sets: 0 good, 0 with problems, 2 not checked.\r\n" + no_folder + "\r\n" + why +
                "\r\nkorvo-audit.cfg could not be written, so the next audit reads everything again.\r\n\r\n"
                "5 Title of alpha (alpha): not checked\r\n" + why +
                "\r\n\r\n6 Title of loosey (loosey): not checked\r\n"
                "loosey      : loosey\\clone.bin: found, but it cannot be read (in use, or no access?)\r\n"
                "romset loosey was not checked\r\n");
  setup.mame.found = false;
  EXPECT_EQ(Audit(setup).rows["alpha"].details,
            "mame.exe was not found (General tab > MAME Program), so the sets could not be checked.");
}

// A parent's undumped file's name is the parent's, another name the clone's; an empty file is none; disks go by SHA-1.
TEST(CollectionAudit, UnusualFilesAreCountedAsMameCountsThem) {
  TempDir dir;
  const File kept{"kept.bin", scratch::RandomBytes(4000, 11)}, other{"other.bin", scratch::RandomBytes(4000, 12)};
  const Sha1Digest disk = Sha1Of("disk", 4);
  const std::string disk_xml = "\" sha1=\"" + Sha1Hex(disk) + "\" region=\"d\"/>";
  g_listing = "<mame><machine name=\"undumped\"><rom name=\"kept.bin\" size=\"4000\" status=\"nodump\" region=\"r\"/>"
              "</machine><machine name=\"clonea\" cloneof=\"undumped\" romof=\"undumped\">" + RomXml(kept) +
              "</machine><machine name=\"cloneb\" cloneof=\"undumped\" romof=\"undumped\">" + RomXml(other) +
              "</machine><machine name=\"empty\">" + RomXml(kept) + "</machine>"
              "<machine name=\"dparent\"><disk name=\"abc" + disk_xml + "</machine>"
              "<machine name=\"dclone\" cloneof=\"dparent\" romof=\"dparent\"><disk name=\"xyz" + disk_xml +
              "</machine></mame>";
  WriteZip(dir.File("roms/clonea.zip"), {{"kept.bin", scratch::RandomBytes(4000, 13)}});
  WriteZip(dir.File("roms/cloneb.zip"), {{"other.bin", scratch::RandomBytes(4000, 14)}});
  WriteZip(dir.File("roms/empty.zip"), {{"kept.bin", ""}});
  WriteTestFile(dir.File("roms/dparent/abc.chd"), scratch::FakeChd(disk));
  std::filesystem::create_directories(dir.File("roms/dclone"));  // a place of its own, holding nothing
  std::ofstream(dir.File("mame.exe")) << "mame";
  Result r = Audit({.mame = {true, dir.File("mame.exe"), dir.path(), AnswerListXml}, .folders = {dir.File("roms")},
                    .games = {{"Clone A", "clonea", "undumped", ""}, {"Clone B", "cloneb", "undumped", ""},
                              {"Empty", "empty", "", ""}, {"Disk Clone", "dclone", "dparent", ""}},
                    .store_path = dir.File("korvo-audit.cfg"), .answers_path = ""});
  for (auto [set, verdict] : {std::pair{"clonea", Verdict::NotFound}, {"cloneb", Verdict::WrongChecksum},
                              {"empty", Verdict::NotFound}, {"dclone", Verdict::Good}})
    EXPECT_EQ(r.rows[set].verdict, verdict) << set << ": " << r.rows[set].report;
}

// With MAME 0.251's recorded answers a made-up sfex zip is not good; the answers are kept, not asked for again.
TEST(CollectionAudit, AgainstTheRecordedAnswersASetNeedsItsOwnFilesAndTheAnswersAreKept) {
  TempDir dir;
  std::filesystem::copy_file(FakeMamePath(), dir.File("mame.exe"));
  WriteZip(dir.File("roms/sfex.zip"), {{"readme.txt", "a made-up set"}});
  AuditSetup setup{.mame = {true, dir.File("mame.exe"), dir.path(), RunProgramCaptured}, .folders = {dir.File("roms")},
                   .games = {{"Street Fighter EX", "sfex", "", "coh1000c"}}, .store_path = dir.File("korvo-audit.cfg"),
                   .answers_path = dir.File("korvo-audit-mame.cfg")};
  auto asked = [&] {
    std::string args;
    for (const auto& call : fakemame::ParseCalls(ReadTestFile(dir.File("fakemame-calls.txt"))))
      args += call.args[0] + " " + call.args.back() + " ";
    return args;
  };
  Result r = Audit(setup);
  EXPECT_EQ(r.rows["sfex"].verdict, Verdict::NotFound) << r.rows["sfex"].report;
  // The zip changes: read again, MAME not asked. Another set: asked about it and the ones before.
  WriteZip(dir.File("roms/sfex.zip"), {{"readme.txt", "another made-up set"}});
  EXPECT_TRUE(Audit(setup).outcome.checked == 1u && asked() == "-listxml coh1000c -listroms coh1000c ");
  WriteZip(dir.File("roms/ts2.zip"), {{"readme.txt", "a made-up ts2"}});
  setup.games.push_back({"Battle Arena Toshinden 2", "ts2", "", "coh1000c"});
  EXPECT_EQ(Audit(setup).rows["ts2"].verdict, Verdict::NotFound);
  EXPECT_EQ(asked(), "-listxml coh1000c -listroms coh1000c -listxml sfex -listroms sfex ");
  EXPECT_EQ(ParseMameAnswers(ReadTestFile(setup.answers_path)).names,
            (std::vector<std::string>{"ts2", "coh1000c", "sfex"}));
}

// Each CHD version's SHA-1 at its own place, none from a header of another length or cut short; a zip too big; a
// cancel.
TEST(ContainerDigest, ChdSha1ByVersionAZipTooBigAndACancelledFolder) {
  using Case = std::tuple<uint32_t, uint32_t, size_t, bool, size_t>;  // version, length, SHA-1 at, read, file size
  for (auto [version, length, at, read, size] : std::initializer_list<Case>{
           {3, 120, 80, true, 130}, {4, 108, 48, true, 130}, {5, 124, 84, true, 130}, {3, 124, 80, false, 130},
           {6, 124, 84, false, 130}, {5, 124, 84, false, 123}}) {
    std::string h = "MComprHD";
    for (uint32_t v : {length, version})
      for (int i = 3; i >= 0; --i) h.push_back(static_cast<char>(v >> (8 * i)));
    h.resize(130, '\0');
    for (size_t i = 0; i < 20; ++i) h[at + i] = static_cast<char>(i + 1);
    Sha1Digest sha1{};
    bool ok = ReadChdSha1(reinterpret_cast<const uint8_t*>(h.data()), size, sha1);
    EXPECT_TRUE(ok == read && (!read || (sha1[0] == 1 && sha1[19] == 20))) << version << " " << length;
  }
  TempDir dir;
  // A zip of 4 GB needs zip64; a sparse file costs no disk.
  std::ofstream(dir.File("huge.zip")) << "PK";
  std::filesystem::resize_file(dir.File("huge.zip"), kZip64Size + 10);
  OpenZip zip;
  ContainerDigest digest;
  EXPECT_TRUE(!OpenZipForDigest(dir.File("huge.zip"), zip, digest) && digest.problem == kZip64Text) << digest.problem;
  // A cancel stops a loose folder's digest: no half-read file is judged.
  std::ofstream(dir.File("rom.bin")) << "data";
  const std::atomic<bool> cancel{true};
  EXPECT_FALSE(DigestFolder(dir.path(), {"rom.bin"}, {}, digest, {&cancel}));
}

TEST(CollectionAudit, StoreReadsBackWhatItWroteAndSkipsDamagedLines) {
  AuditStore store;
  store.key = "C:\\MAME\\mame.exe|1|2|3|462|1.0.0";
  AuditRecord& r = store.records["sfex2u"];
  r = {{123, 456}, 0xfedcba9876543210ull, Verdict::WrongChecksum, {"sfex2u", "sfex2", "coh3002c"}, "a|b; c\\d",
       "sfex2u      : x - INCORRECT CHECKSUM:\nEXPECTED: CRC(1)\n   FOUND: CRC(2)\nromset sfex2u is bad\n"};
  AuditStore back = ParseAuditStore(FormatAuditStore(store) +
                                    "broken=1|2|3\r\nworse=x|2|3|good|a|b|c\r\nunknown=1|2|3|great|a|b|c\r\n");
  EXPECT_EQ(FormatAuditStore(back), FormatAuditStore(store));  // escaped line ends and separators come back too
}

}  // namespace

// A large member hashed on a core of its own while the unpacking runs ahead: the same digest as taken in line.
TEST(HashPipe, KeepsUpWithAFasterProducerAndGivesTheSameDigest) {
  const std::string data = scratch::RandomBytes((9u << 20) + 1234, 7);  // its last piece fills no slot
  HashPipe piped(true);
  for (size_t at = 0; at < data.size(); at += 3u << 20)
    piped.Update(reinterpret_cast<const uint8_t*>(data.data()) + at, std::min<size_t>(3u << 20, data.size() - at));
  EXPECT_EQ(Sha1Hex(piped.Finish()), Sha1Hex(Sha1Of(data.data(), data.size())));
}

// Without MAME's own checking order (-listroms refused) a set's lines go region by region, disks last.
TEST(RomListing, WithoutMamesOrderFilesGoRegionByRegionDisksLast) {
  RomListing listing;
  ASSERT_EQ(ParseRomListing("<mame><machine name=\"m\"><rom name=\"a1\" region=\"a\" size=\"1\"/>"
                            "<disk name=\"d\" region=\"c\"/><rom name=\"b1\" region=\"b\" size=\"1\"/>"
                            "<rom name=\"a2\" region=\"a\" size=\"1\"/></machine></mame>", listing), 1u);
  std::string order;
  for (const ListedFile& f : listing["m"].files) order += f.name + " ";
  EXPECT_EQ(order, "a1 a2 b1 d ");
}
