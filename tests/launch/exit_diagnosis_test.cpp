// What the user is told when MAME ends, and which lines of its output are shown.
#include "launch/exit_diagnosis.h"

#include <gtest/gtest.h>

#include "base/paths.h"
#include "support/test_support.h"

namespace {
std::string NoTail() { return ""; }
int tail_reads = 0;
std::string CountedTail() {
  ++tail_reads;
  return "error: something\nFatal error: cannot run";
}
}  // namespace

TEST(ExitDiagnosis, SilentEndsAndStatusTexts) {
  // Stop, a clean end after 5 s, and an end that no start watched say nothing.
  EXPECT_TRUE(DiagnoseMameEnd(true, true, 1000, 3, CountedTail).silent);
  EXPECT_TRUE(DiagnoseMameEnd(true, false, 5000, 0, CountedTail).silent);
  EXPECT_TRUE(DiagnoseMameEnd(false, false, 100, 3, CountedTail).silent);

  MameEndReport quick = DiagnoseMameEnd(true, false, 3999, 0, CountedTail);
  EXPECT_FALSE(quick.silent);
  EXPECT_EQ(quick.status,
            "MAME closed after 3 s (exit code 0): use Game > Check ROM Set, and turn on Enable Logs to see the "
            "command line");
  EXPECT_FALSE(quick.show_box);  // code 0 never gets a box

  MameEndReport crash = DiagnoseMameEnd(true, false, 40500, 0xC0000005u, CountedTail);
  EXPECT_EQ(crash.status.rfind("MAME closed after 40 s (exit code 3221225477):", 0), 0u);
  EXPECT_TRUE(crash.show_box);
  EXPECT_EQ(crash.box_text, crash.status + "\n\nMAME said:\n\nerror: something\nFatal error: cannot run");

  EXPECT_EQ(DiagnoseMameEnd(true, false, 9000, 6, NoTail).status,
            "MAME exited with code 6: an option the launcher passed is not valid for this MAME (see Enable Logs on "
            "the General tab)");
  EXPECT_FALSE(DiagnoseMameEnd(true, false, 9000, 6, NoTail).show_box);  // nothing printed, no box
  EXPECT_EQ(MameExitCodeText(0), nullptr);
  EXPECT_EQ(MameExitCodeText(9), nullptr);
  EXPECT_STREQ(MameExitCodeText(8), "MAME failed to start the game");
}

TEST(ExitDiagnosis, RomProblemsOpenTheCheckInsteadOfABox) {
  for (uint32_t code : {1u, 2u, 7u}) {
    tail_reads = 0;
    MameEndReport r = DiagnoseMameEnd(true, false, 1000, code, CountedTail);
    EXPECT_TRUE(r.open_rom_check) << code;
    EXPECT_FALSE(r.show_box) << code;
    EXPECT_EQ(tail_reads, 0) << code;
  }
  MameEndReport missing = DiagnoseMameEnd(true, false, 1000, 2, NoTail);
  EXPECT_EQ(missing.status, "MAME exited with code 2: ROM files are missing or wrong (Game > Check ROM Set)");
  for (uint32_t code : {3u, 4u, 5u, 8u}) EXPECT_FALSE(DiagnoseMameEnd(true, false, 1000, code, NoTail).open_rom_check);
}

TEST(ExitDiagnosis, OutputTailStartsAtALineAndLooksAtTheLast8000Bytes) {
  // 20000 bytes of numbered 100-byte lines: only the end is looked at.
  std::string output;
  for (int i = 0; i < 200; ++i) {
    std::string line = "line " + std::to_string(i) + " ";
    output += line + std::string(98 - line.size(), '.') + "\r\n";
  }
  ASSERT_EQ(output.size(), 20000u);
  std::string tail = OutputTail(output, 1400);
  EXPECT_LE(tail.size(), 1400u);
  EXPECT_EQ(tail.rfind("line ", 0), 0u);  // begins at a line start
  EXPECT_EQ(tail.find('\r'), std::string::npos);
  EXPECT_NE(tail.find("line 199 "), std::string::npos);
  EXPECT_EQ(tail.find("line 185 "), std::string::npos);
  // With a large limit the 8000-byte window decides: line 120 starts exactly there.
  std::string window = OutputTail(output, 100000);
  EXPECT_EQ(window.rfind("line 120 ", 0), 0u);

  EXPECT_EQ(OutputTail("  short text\n\n", 1400), "short text");
  EXPECT_EQ(OutputTail(std::string(2000, 'x'), 1400), "");  // no line starts inside the window
  // Characters, not bytes, are counted: 700 two-byte letters fit in 1400 characters whole.
  std::string wide;
  for (int i = 0; i < 700; ++i) wide += "\xC3\xA9";
  EXPECT_EQ(OutputTail("first\n" + wide, 1400), "first\n" + wide);
  EXPECT_EQ(OutputTail("first\n" + wide + wide, 1400), "");
}

TEST(ExitDiagnosis, OutputFileLocation) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  EXPECT_EQ(OutputPathFor(false, "C:\\Temp\\", "C:\\Korvo"), "C:\\Temp\\korvo-output.tmp");
  std::string long_temp = "C:\\" + std::string(226, 't') + "\\";  // 230 characters
  EXPECT_EQ(OutputPathFor(false, long_temp, "C:\\Korvo"), "C:\\Korvo\\korvo-output.tmp");
  EXPECT_EQ(OutputPathFor(false, long_temp.substr(1), "C:\\Korvo"), long_temp.substr(1) + "korvo-output.tmp");
  EXPECT_EQ(OutputPathFor(false, "", "C:\\Korvo"), "C:\\Korvo\\korvo-output.tmp");
  EXPECT_EQ(OutputPathFor(true, "C:\\Temp\\", "C:\\Korvo"), dir.path() + "\\logs\\korvo-output.log");
}
