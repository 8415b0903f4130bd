// What the user is told when MAME ends, and which lines of its output are shown.
#include "launch/exit_diagnosis.h"

#include <gtest/gtest.h>

#include "base/paths.h"
#include "support/test_support.h"

TEST(ExitDiagnosis, StatusBoxAndRomCheckForEachEnd) {
  const std::string said = "error: something\nFatal error: cannot run";
  const std::string quick = "MAME closed after 3 s (exit code 0): use Game > Check ROM Set, and turn on Enable Logs "
                            "to see the command line";
  struct Case {
    bool running, stopped;
    uint32_t ms, code;
    bool tail, silent, rom_check, box;
    std::string status;  // a prefix
  } cases[] = {
      {true, true, 1000, 3, true, true, false, false, ""},  // the user's Stop
      {true, false, 5000, 0, true, true, false, false, ""},  // a clean end after 5 s
      {false, false, 100, 3, true, true, false, false, ""},  // no start watched it
      {true, false, 3999, 0, true, false, false, false, quick},  // code 0 never gets a box
      {true, false, 40500, 0xC0000005u, true, false, false, true, "MAME closed after 40 s (exit code 3221225477):"},
      {true, false, 9000, 6, false, false, false, false,
       "MAME exited with code 6: an option the launcher passed is not valid for this MAME (see Enable Logs on the "
       "General tab)"},  // nothing printed, no box
      {true, false, 1000, 2, true, false, true, false,
       "MAME exited with code 2: ROM files are missing or wrong (Game > Check ROM Set)"},
      {true, false, 1000, 1, true, false, true, false, "MAME exited with code 1: "},
      {true, false, 1000, 7, true, false, true, false, "MAME exited with code 7: "},
      {true, false, 1000, 8, true, false, false, true, "MAME exited with code 8: MAME failed to start the game"},
      {true, false, 1000, 9, true, false, false, true, "MAME closed after 1 s (exit code 9):"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    int reads = 0;
    MameEndReport r = DiagnoseMameEnd(c.running, c.stopped, c.ms, c.code, [&] {
      ++reads;
      return c.tail ? said : "";
    });
    EXPECT_EQ(r.silent, c.silent);
    EXPECT_EQ(r.status.rfind(c.status, 0), 0u) << r.status;
    if (c.status == quick) EXPECT_EQ(r.status, quick);
    EXPECT_EQ(r.open_rom_check, c.rom_check);
    EXPECT_EQ(r.show_box, c.box);
    EXPECT_EQ(r.box_text, c.box ? r.status + "\n\nMAME said:\n\n" + said : "");
    if (c.rom_check) EXPECT_EQ(reads, 0);  // the check opens instead: the output is not read
  }
  EXPECT_EQ(MameExitCodeText(0), nullptr);
}

TEST(ExitDiagnosis, OutputTailStartsAtALineAndLooksAtTheLast8000Bytes) {
  // 20000 bytes of numbered 100-byte lines: only the end is looked at.
  std::string output;
  for (int i = 0; i < 200; ++i) {
    std::string line = "line " + std::to_string(i) + " ";
    output += line + std::string(98 - line.size(), '.') + "\r\n";
  }
  std::string tail = OutputTail(output, 1400);
  EXPECT_LE(tail.size(), 1400u);
  EXPECT_EQ(tail.rfind("line 186 ", 0), 0u);  // begins at a line start, no CR kept
  EXPECT_EQ(tail.find('\r'), std::string::npos);
  EXPECT_TRUE(tail.ends_with("line 199 " + std::string(89, '.')));
  // With a large limit the 8000-byte window decides: line 120 starts exactly there.
  EXPECT_EQ(OutputTail(output, 100000).rfind("line 120 ", 0), 0u);

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
  std::string long_temp = "C:\\" + std::string(226, 't') + "\\";  // 230 characters
  EXPECT_EQ(OutputPathFor(false, "C:\\Temp\\", "C:\\Korvo"), "C:\\Temp\\korvo-output.tmp");
  EXPECT_EQ(OutputPathFor(false, long_temp, "C:\\Korvo"), "C:\\Korvo\\korvo-output.tmp");
  EXPECT_EQ(OutputPathFor(false, long_temp.substr(1), "C:\\Korvo"), long_temp.substr(1) + "korvo-output.tmp");
  EXPECT_EQ(OutputPathFor(false, "", "C:\\Korvo"), "C:\\Korvo\\korvo-output.tmp");
  EXPECT_EQ(OutputPathFor(true, "C:\\Temp\\", "C:\\Korvo"), dir.path() + "\\logs\\korvo-output.log");
}
