// The fake MAME answers like the recorded MAME 0.251 and obeys its control file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "../../tools/fakemame/fakemame_record.h"
#include "support/test_support.h"

namespace {

struct Result {
  int code = -1;
  std::string out, err;
};

class FakeMame {
 public:
  FakeMame() {
    WriteTestFile(exe(), ReadTestFile(FakeMamePath()));
    chmod(exe().c_str(), 0755);
  }
  std::string exe() const { return dir_.File("fakemame"); }
  const TempDir& dir() const { return dir_; }
  void Control(const std::string& text) const { WriteTestFile(dir_.File("fakemame-control.txt"), text); }

  // Runs the fake from FOLDER with a shell-quoted argument tail.
  Result Run(const std::string& tail, const std::string& folder = "") const {
    std::string cd = folder.empty() ? dir_.path() : folder;
    std::string cmd = "cd '" + cd + "' && '" + exe() + "' " + tail + " >'" + dir_.File("out") + "' 2>'" +
                      dir_.File("err") + "' </dev/null";
    Result r;
    int status = std::system(cmd.c_str());
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadTestFile(dir_.File("out"));
    r.err = ReadTestFile(dir_.File("err"));
    return r;
  }
  std::vector<fakemame::RecordedCall> Calls() const {
    return fakemame::ParseCalls(ReadTestFile(dir_.File("fakemame-calls.txt")));
  }

 private:
  TempDir dir_;
};

std::string Fixture(const std::string& name) { return ReadTestFile(SourcePath("tests/fixtures/mame0251/" + name)); }

TEST(FakeMame, ListingsReplayTheRecordingsAndNarrowByName) {
  FakeMame fake;
  Result all = fake.Run("-listfull -rompath roms");
  EXPECT_EQ(all.code, 0);
  EXPECT_EQ(all.out, Fixture("listfull.txt"));
  EXPECT_GT(std::count(all.out.begin(), all.out.end(), '\n'), 40000);

  Result one = fake.Run("-listfull sfex2");
  EXPECT_EQ(one.out, "Name:             Description:\nsfex2             \"Street Fighter EX2 (Euro 980312)\"\n");
  Result some = fake.Run("-listfull 'tekken3*'");
  EXPECT_NE(some.out.find("\ntekken3 "), std::string::npos);
  EXPECT_NE(some.out.find("\ntekken3ja "), std::string::npos);
  EXPECT_EQ(some.out.find("tekken2"), std::string::npos);

  Result xml = fake.Run("-listxml sfex2");
  EXPECT_EQ(xml.code, 0);
  EXPECT_EQ(xml.out, Fixture("listxml/sfex2.xml"));
  // A set known to -listfull but not recorded still names its machine.
  Result plain = fake.Run("-rompath roms -listxml ddr2m");
  EXPECT_EQ(plain.code, 0);
  EXPECT_NE(plain.out.find("<machine name=\"ddr2m\">"), std::string::npos);

  Result unknown = fake.Run("-listxml nosuchgame");
  EXPECT_EQ(unknown.code, 5);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "No matching machines found for 'nosuchgame'\n");
  EXPECT_EQ(fake.Run("-listfull 'qqq*'").code, 5);
}

TEST(FakeMame, VerifyromsJudgesByWhatLiesInTheRompath) {
  FakeMame fake;
  TempDir empty, roms;
  Result missing = fake.Run("-verifyroms sfex2 -rompath '" + empty.path() + "'");
  EXPECT_EQ(missing.code, 2);
  EXPECT_EQ(missing.err, "romset \"sfex2\" not found!\n");

  // The zip in the second folder of a list counts; sfex2 was recorded wrong.
  WriteTestFile(roms.File("sfex2.zip"), "PK");
  Result wrong = fake.Run("-verifyroms sfex2 -rompath '" + empty.path() + ";" + roms.path() + "'");
  EXPECT_EQ(wrong.code, 2);
  EXPECT_EQ(wrong.out, Fixture("verifyroms/sfex2-wrong.txt"));
  EXPECT_EQ(wrong.err, "1 romsets found, 0 were OK.\n");

  WriteTestFile(roms.File("ts2.zip"), "PK");
  Result good = fake.Run("-verifyroms ts2 -rompath '" + roms.path() + "'");
  EXPECT_EQ(good.code, 0);
  EXPECT_EQ(good.out, "romset ts2 is good\n1 romsets found, 1 were OK.\n");

  // Sets without ROM files pass even with nothing there.
  EXPECT_EQ(fake.Run("-verifyroms pong").code, 0);
  EXPECT_EQ(fake.Run("-verifyroms nosuchgame").code, 5);

  fake.Control("verifyroms=good\n");
  EXPECT_EQ(fake.Run("-verifyroms sfex2 -rompath '" + roms.path() + "'").code, 0);
  fake.Control("verifyroms=missing\n");
  EXPECT_EQ(fake.Run("-verifyroms ts2 -rompath '" + roms.path() + "'").err, "romset \"ts2\" not found!\n");
}

TEST(FakeMame, PlayCallsAreLoggedAndFollowTheControlFile) {
  FakeMame fake;
  TempDir work;
  Result quiet = fake.Run("sfex2 -rompath 'C:\\My ROMs' -nowindow", work.path());
  EXPECT_EQ(quiet.code, 0);
  EXPECT_EQ(quiet.out + quiet.err, "");
  auto calls = fake.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"sfex2", "-rompath", "C:\\My ROMs", "-nowindow"}));
  EXPECT_NE(calls[0].command_line.find("\"C:\\My ROMs\""), std::string::npos);
  EXPECT_EQ(calls[0].folder, work.path());
  EXPECT_EQ(calls[0].std_out, "file");
  EXPECT_EQ(calls[0].std_err, "file");

  fake.Control("exit=7\nprint=first\\nsecond\\n\nstream=stderr\n");
  Result printed = fake.Run("sfex2");
  EXPECT_EQ(printed.code, 7);
  EXPECT_EQ(printed.err, "first\nsecond\n");

  fake.Control("bytes=20000\n");
  Result bulk = fake.Run("sfex2");
  EXPECT_EQ(bulk.out.size(), 20000u);
  EXPECT_EQ(bulk.out.rfind("line 0 ", 0), 0u);

  fake.Control("print-fixture=play-missing-roms\n");
  Result missing = fake.Run("sfex2");
  EXPECT_EQ(missing.code, 2);
  EXPECT_EQ(missing.err, Fixture("play-missing-roms.err"));
  EXPECT_NE(missing.err.find("Required files are missing"), std::string::npos);
  EXPECT_EQ(fake.Calls().size(), 4u);
}

TEST(FakeMame, DelayAndHangKeepTheProcessRunning) {
  FakeMame fake;
  auto start = std::chrono::steady_clock::now();
  fake.Control("delay-ms=300\nexit=3\n");
  EXPECT_EQ(fake.Run("sfex2").code, 3);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));

  fake.Control("hang=1\n");
  pid_t pid = fork();
  if (pid == 0) {
    execl(fake.exe().c_str(), fake.exe().c_str(), "sfex2", static_cast<char*>(nullptr));
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  int status = 0;
  EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "a hanging fake ended by itself";
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status));
}

}  // namespace
