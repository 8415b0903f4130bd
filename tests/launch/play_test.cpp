// Running MAME: plays from the main window and for front-ends, captured output, the end report, the background list.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>
#include <tuple>

#include "../../tools/fakemame/fakemame_record.h"
#include "base/paths.h"
#include "catalogue/game_list_loader.h"
#include "launch/captured_run.h"
#include "launch/exit_diagnosis.h"
#include "launch/frontend.h"
#include "launch/mame_asker.h"
#include "launch/play.h"
#include "launch/process.h"
#include "settings/app_state.h"
#include "support/test_support.h"

namespace {
// A launcher folder holding the fake as mame.exe, logs on.
struct FakeFolder {
  TempDir dir;
  Settings settings;
  GameList games = BuildGameList();
  LaunchState state;
  std::atomic<bool> ended{false};
  FakeFolder() {
    SetLauncherFolder(dir.path());
    ResetSettings(settings);
    settings.logs = 1;
    WriteTestFile(dir.File("mame.exe"), ReadTestFile(FakeMamePath()));
    chmod(dir.File("mame.exe").c_str(), 0755);
  }
  void Control(const std::string& text) { WriteTestFile(dir.File("fakemame-control.txt"), text); }
  auto Calls() { return fakemame::ParseCalls(ReadTestFile(dir.File("fakemame-calls.txt"))); }
  std::string Log() { return ReadTestFile(dir.File("logs/korvo-launch.log")); }
  int Run(const std::string& game, ScreenRequest screen = ScreenRequest::FollowSettings) {
    return RunFrontend(settings, {}, game, screen);
  }
  // Plays `set` from the main window and watches for its end.
  bool Start(const char* set, uint32_t& error) {
    if (!StartPlay(state, settings, {}, games, *FindGameBySet(games, set), nullptr, error)) return false;
    StartWaitThread(state, [this] { ended = true; });
    return true;
  }
  bool WaitForTheEnd() {
    for (int i = 0; i < 500 && !ended; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ended;
  }
};

std::string Script(const TempDir& dir, const std::string& name, const std::string& body) {
  std::string path = dir.File(name);
  WriteTestFile(path, "#!/bin/sh\n" + body + "\n");
  chmod(path.c_str(), 0755);
  return path;
}
}  // namespace

TEST(Play, StartWaitDiagnoseStopAndAFailedStart) {
  FakeFolder fake;
  fake.Control("print=romset missing\\n\nexit=2\ndelay-ms=100\n");
  uint32_t error = 0;
  ASSERT_TRUE(fake.Start("tekken3", error));
  const int32_t number = FindGameBySet(fake.games, "tekken3")->number;
  EXPECT_TRUE(fake.state.running && fake.state.last_game == number && fake.settings.recent.front() == number);
  ASSERT_TRUE(fake.WaitForTheEnd());
  MameEndReport report = FinishPlay(fake.state, fake.state.start_tick + 1000);
  EXPECT_TRUE(!fake.state.running && report.open_rom_check);  // MAME's code 2 reached the diagnosis

  // MAME ran in its folder with its output in the logs folder, and the launch log tells how.
  auto calls = fake.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(calls[0].args.front() == "tekken3" && calls[0].folder == fake.dir.path() && calls[0].std_out == "file");
  EXPECT_EQ(ReadTestFile(fake.dir.File("logs/korvo-output.log")), "romset missing\n");
  std::string log = fake.Log();
  for (const char* line : {"mame.exe tekken3 -window", "cfg\\default.cfg (missing)\r\n", "cfg\\tekken3.cfg (none)\r\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line;
  // A start that fails after MAME printed something shows its last words, read where the settings in use sent them.
  App().settings = fake.settings;
  fake.Control("print=no such device\\n\nexit=8\n"), fake.ended = false;
  ASSERT_TRUE(fake.Start("tekken3", error) && fake.WaitForTheEnd());
  EXPECT_EQ(FinishPlay(fake.state, fake.state.start_tick + 1000).box_text,
            "MAME exited with code 8: MAME failed to start the game\n\nMAME said:\n\nno such device");

  FakeFolder hanging;
  hanging.Control("hang=1\n");
  ASSERT_TRUE(hanging.Start("sfex2", error));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(hanging.ended);
  StopGame(hanging.state);
  ASSERT_TRUE(hanging.WaitForTheEnd());
  // Asked to close rather than killed, MAME gets to save its settings on the way out.
  EXPECT_NE(ReadTestFile(hanging.dir.File("fakemame-calls.txt")).find("closed=1"), std::string::npos);
  EXPECT_TRUE(FinishPlay(hanging.state, TickMs()).silent);

  FakeFolder broken;
  chmod(broken.dir.File("mame.exe").c_str(), 0644);  // there, but not a program
  EXPECT_FALSE(broken.Start("sfex2", error) || error == 0 || broken.state.running || !broken.settings.recent.empty());

  // Play refuses before anything starts with the first reason in this order, then names the MAME it looked for.
  const GameEntry* sfex2 = FindGameBySet(broken.games, "sfex2");
  GameEntry unknown = *sfex2;
  unknown.flags |= kGameNotInMame;
  for (auto [entry, running, roms, text] :
       {std::tuple<const GameEntry*, bool, bool, std::string>{nullptr, true, false, "Select a game first."},
        {&unknown, true, false, "A game is already running."},
        {&unknown, false, false, "The installed MAME does not know this set (it is too old, or the set was renamed)."},
        {sfex2, false, false, "The ROM files of this game were not found in the ROMs folder."}})
    EXPECT_EQ(PlayCheckText(CheckPlay(entry, running, roms, true)), text);
  EXPECT_EQ(CheckPlay(sfex2, false, true, true), PlayCheck::kOk);
  EXPECT_EQ(MameNotFoundText("D:\\Emu\\mame.exe"), "mame.exe was not found:\nD:\\Emu\\mame.exe\n\n"
                                       "Choose it on the General tab (MAME Program), or put it next to the launcher.");
}

TEST(Frontend, NamesFromFrontEndsMissingRomsAndAPlayWithTheFilterWindow) {
  FakeFolder f;
  auto set_of = [&](const std::string& text) {
    const GameEntry* e = FindFrontendGame(f.games, NormalizeFrontendName(text));
    return e ? e->set : std::string("-");
  };
  // One cut at the last dot only; a BIOS is not a game.
  for (auto [text, set] : {std::pair{"SFEX2", "sfex2"}, {"\"C:\\My ROMs\\sfex2.zip\"", "sfex2"}, {"coh3002c", "-"},
                           {"  /home/me/roms/tekken3.7z ", "tekken3"}, {"\"tekken3\"", "tekken3"}, {"sfex2.zip.bak", "-"}})
    EXPECT_EQ(set_of(text), set) << text;
  EXPECT_TRUE(NormalizeFrontendName("\"\"").empty() && NormalizeFrontendName("C:\\ROMs\\").empty());
  EXPECT_EQ(NormalizeFrontendName(std::string(5000, 'a')).size(), 299u);

  // Every failure code and log line is checked through korvo.exe itself; here the missing ROMs and a play.
  WriteTestFile(f.dir.File("roms/SFEX2.ZIP"), "PK\5\6");
  EXPECT_EQ(f.Run("kikaioh"), kFrontendRomsMissing);
  EXPECT_EQ(f.Log() + std::to_string(f.Calls().size()), "ROM files missing: kikaioh.zip, techromn.zip, coh3002c.zip\r\n0");

  WriteTestFile(f.dir.File("roms/coh3002c.zip"), "PK\5\6");
  f.Control("exit=3\n");  // MAME's own failure is not passed on; korvo.exe's tests compare the list it passes
  static std::string filter_calls;  // the filter window comes and goes with MAME when it is on
  SetFilterWindowHooks([](uint32_t pid) { filter_calls += pid ? "start;" : "start 0;"; }, [] { filter_calls += "stop;"; });
  EXPECT_EQ(f.Run("C:\\ROMs\\sfex2.zip"), kFrontendPlayed);
  EXPECT_EQ(filter_calls, "");
  f.settings.filter_window = 1;
  EXPECT_TRUE(f.Run("sfex2", ScreenRequest::FullScreen) == kFrontendPlayed && filter_calls == "start;stop;") << filter_calls;
  SetFilterWindowHooks(nullptr, nullptr);

  // The pad's exit combination ends a MAME that would go on: asked until it says so.
  int asked = 0;
  SetFrontendEndWatch([&asked] { return ++asked == 2; });
  f.settings.pad_exit_combo = 1, f.Control("delay-ms=3000\n");
  EXPECT_TRUE(f.Run("sfex2") == kFrontendPlayed && asked == 2);
  SetFrontendEndWatch(nullptr);
  // A front-end's start with the settings in use: a window asked for wins over full screen, and a play is counted.
  App().settings = f.settings, App().settings.fullscreen = 1, App().played.clear();
  f.Control("");
  EXPECT_TRUE(RunFrontend("sfex2", ScreenRequest::Window) == kFrontendPlayed && f.Calls().back().args.at(1) == "-window");
  PlayStats saved = {{1, {}}};  // a reload replaces what was there
  LoadPlayStats(saved, f.dir.File("korvo-played.cfg"));
  EXPECT_TRUE(saved == App().played && saved.at(23).times == 1);
}

TEST(CapturedRun, OutputExitCodeTimeLimitAndTheGameListLoader) {
  TempDir dir;
  // 1.5 MB, far more than a pipe holds, then a non-zero end.
  std::string big = Script(dir, "big", "head -c 1572864 /dev/zero | tr '\\0' x; printf '[%s]' \"$@\" >&2; exit 7");
  TextBuffer out;
  int32_t code = -1;
  EXPECT_EQ(RunProgramCaptured(big, dir.path(), "-x \"a b\" \"\"", out, 20000, &code), kCapturedEnded);
  EXPECT_TRUE(code == 7 && out.size() == 1572864u + 11u && out.substr(out.size() - 11) == "[-x][a b][]");

  out = "stale";
  EXPECT_EQ(RunProgramCaptured(Script(dir, "quiet", "exit 0"), dir.path(), "", out, 5000, &code), kCapturedEnded);
  EXPECT_TRUE(out.empty() && code == 0);
  EXPECT_EQ(RunProgramCaptured(dir.File("missing.exe"), dir.path(), "", out, 1000), kCapturedNotStarted);

  // What it left running still holds the pipe: the program's end is the answer's end.
  const std::string left = dir.File("left");
  const std::string leaves = Script(dir, "leaves", "sleep 30 & echo $! > " + left + "; echo done");
  const uint64_t start = MonotonicMs();
  EXPECT_EQ(RunProgramCaptured(leaves, dir.path(), "", out, 20000), kCapturedEnded);
  EXPECT_TRUE(MonotonicMs() - start < 3000u && out == "done\n");
  kill(atoi(ReadTestFile(left).c_str()), SIGKILL);

  // The time limit ends the program, whatever it does with its output: prints a line, closes it, prints without end.
  const std::string pid_file = dir.File("pid");
  for (const std::string body : {"echo started; exec sleep 60", "exec >&- 2>&-; exec sleep 60", "exec yes garbage"}) {
    SCOPED_TRACE(body);
    const std::string program = Script(dir, "run", "echo $$ > " + pid_file + "; " + body);
    const uint64_t started = MonotonicMs();
    EXPECT_EQ(RunProgramCaptured(program, dir.path(), "", out, 400), kCapturedTimedOut);
    EXPECT_LT(MonotonicMs() - started, 3000u);
    EXPECT_NE(kill(atoi(ReadTestFile(pid_file).c_str()), 0), 0);  // gone
    EXPECT_EQ(out, body.rfind("echo", 0) == 0 ? "started\n" : out);
  }
  // A closing launcher abandons the questions still running (for good, hence a process of its own): the one asked
  // returns without waiting for its program, a later one does not start.
  const std::string slow = Script(dir, "slow", "exec sleep 10"), quiet = Script(dir, "quiet", "exit 0");
  EXPECT_EXIT({
    std::thread closing([] { std::this_thread::sleep_for(std::chrono::milliseconds(300)), AbandonCapturedRuns(); });
    const int asked = RunProgramCaptured(slow, dir.path(), "", out, 60000);
    closing.join();
    std::exit(asked == kCapturedTimedOut && RunProgramCaptured(quiet, dir.path(), "", out, 5000) == kCapturedTimedOut);
  }, testing::ExitedWithCode(1), "");

  SetLauncherFolder(dir.path());
  ResetSettings(App().settings);
  auto load = [](bool force) {
    std::promise<std::unique_ptr<GameListBlock>> done;
    auto arrived = done.get_future();
    EXPECT_TRUE(StartGameListLoader(force, LocatedMameAsker(),
                                    [&done](std::unique_ptr<GameListBlock> b) { done.set_value(std::move(b)); }));
    // The main thread may store the settings anew meanwhile (OK of the options): the loader located MAME first.
    for (int i = 0; i < 90000 && arrived.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready; ++i)
      App().settings = Settings(App().settings);
    EXPECT_EQ(arrived.wait_for(std::chrono::seconds(1)), std::future_status::ready);
    return arrived.get();
  };
  // No MAME: the table as built, no cache, and no other question runs (nor keeps an old answer).
  auto block = load(true);
  ASSERT_TRUE(block && block->built);
  EXPECT_EQ(FindGameBySet(block->list, "sfex2")->title, BuildGameList()[22].title);
  EXPECT_FALSE(TestFileExists(dir.File("korvo-listing-cache.cfg")) || TestFileExists(dir.File("korvo-options-cache.cfg")));
  EXPECT_TRUE(RunMameCaptured("-listfull", out = "stale", 5000) == kCapturedNotStarted && out.empty());

  std::filesystem::copy_file(FakeMamePath(), dir.File("mame.exe"));
  for (int i = 0; i < 2; ++i) {  // the second time from the caches
    block = load(false);
    EXPECT_EQ(FindGameBySet(block->list, "sfex2")->title, "Street Fighter EX2 (Euro 980312)");
    // The statuses are asked for apart, once; then they come with the list.
    EXPECT_EQ(block->statuses_wanted, i == 0);
    EXPECT_EQ(FindGameBySet(block->list, "xrally")->info, i == 0 ? "" : "not working in MAME");
    std::promise<std::unique_ptr<DriverStatuses>> told;
    if (i == 0) {
      ASSERT_TRUE(StartStatusTask(LocatedMameAsker(), [&told](auto s) { told.set_value(std::move(s)); }));
      // Counted from its start to the end of its thread: what an ending program waits for.
      EXPECT_TRUE(!WaitForListTasks(0) && WaitForListTasks(30000));
      EXPECT_EQ(told.get_future().get()->size(), 408u);
    }
  }
  // Each question was asked once for this MAME build: the listing, the options, the statuses.
  std::string asked;
  for (const auto& call : fakemame::ParseCalls(ReadTestFile(dir.File("fakemame-calls.txt")))) asked += call.args.at(0) + " ";
  EXPECT_EQ(asked, "-listfull -showusage -listxml ");
  EXPECT_TRUE(RunMameCaptured("-listfull sfex2", out, 5000) == kCapturedEnded &&
              out.ends_with(" \"Street Fighter EX2 (Euro 980312)\"\n"));
}

TEST(ExitDiagnosis, StatusBoxRomCheckOutputTailAndOutputFile) {
  const std::string said = "error: something\nFatal error: cannot run";
  const std::string quick = "MAME closed after 3 s (exit code 0): use Game > Check ROM Set, and turn on Enable Logs "
                            "to see the command line";
  // Watched, stopped, ms, code; output printed, silent, Check ROM Set opened, box; the status (a prefix).
  struct Case { bool running, stopped; uint32_t ms, code; bool tail, silent, rom_check, box; std::string status; } cases[] = {
      {true, true, 1000, 3, true, true, false, false, ""},  // the user's Stop
      {true, false, 5000, 0, true, true, false, false, ""},  // a clean end after 5 s
      {false, false, 100, 3, true, true, false, false, ""},  // no start watched it
      {true, false, 3999, 0, true, false, false, false, quick},  // code 0 never gets a box
      {true, false, 40000, 0xC0000005u, true, false, false, true, "MAME closed after 40 s (exit code 3221225477):"},
      {true, false, 40000, 9, true, false, false, true, "MAME closed after 40 s (exit code 9):"},  // past MAME's codes
      {true, false, 9000, 6, false, false, false, false,
       "MAME exited with code 6: an option the launcher passed is not valid for this MAME (see Enable Logs on the "
       "General tab)"},  // nothing printed, no box
      {true, false, 1000, 2, true, false, true, false,
       "MAME exited with code 2: ROM files are missing or wrong (Game > Check ROM Set)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    int reads = 0;
    MameEndReport r = DiagnoseMameEnd(c.running, c.stopped, c.ms, c.code, [&] { return ++reads, c.tail ? said : ""; });
    EXPECT_EQ(r.silent, c.silent);
    EXPECT_EQ(r.status.substr(0, c.silent || c.status == quick ? std::string::npos : c.status.size()), c.status);
    EXPECT_TRUE(r.open_rom_check == c.rom_check && r.show_box == c.box);
    EXPECT_EQ(r.box_text, c.box ? r.status + "\n\nMAME said:\n\n" + said : "");
    EXPECT_TRUE(!c.rom_check || reads == 0);  // the check opens instead: the output is not read
  }

  // The output's tail starts at a line and looks only at the last 8000 bytes (of 20000 of 100-byte lines).
  std::string output;
  for (int i = 0; i < 200; ++i)
    output += ("line " + std::to_string(i) + " " + std::string(98, '.')).substr(0, 98) + "\r\n";
  std::string tail = OutputTail(output, 1400);
  EXPECT_TRUE(tail.size() <= 1400u && tail.rfind("line 186 ", 0) == 0u);  // begins at a line start, no CR kept
  EXPECT_TRUE(tail.find('\r') == std::string::npos && tail.ends_with("line 199 " + std::string(89, '.')));
  // With a large limit the 8000-byte window decides: line 120 starts exactly there.
  EXPECT_EQ(OutputTail(output, 100000).rfind("line 120 ", 0), 0u);

  EXPECT_EQ(OutputTail("  short text\n\n", 1400), "short text");
  EXPECT_EQ(OutputTail("a\n" + std::string(1399, 'x'), 1400), std::string(1399, 'x'));  // the line starts just in
  EXPECT_EQ(OutputTail(std::string(2000, 'x'), 1400), "");  // no line starts inside the window
  // Characters, not bytes, are counted: 700 two-byte letters fit in 1400 characters whole.
  std::string wide;
  for (int i = 0; i < 700; ++i) wide += "\xC3\xA9";
  EXPECT_EQ(OutputTail("first\n" + wide, 1400), "first\n" + wide);

  // Where the output goes: the logs folder, else a temporary folder short enough, else the launcher's folder.
  TempDir dir;
  SetLauncherFolder(dir.path());
  std::string long_temp = "C:\\" + std::string(226, 't') + "\\";  // 230 characters
  for (auto [logs, temp, path] : {std::tuple{false, std::string("C:\\Temp\\"), std::string("C:\\Temp\\korvo-output.tmp")},
                                  {false, long_temp, "C:\\Korvo\\korvo-output.tmp"}, {false, "", "C:\\Korvo\\korvo-output.tmp"},
                                  {false, long_temp.substr(1), long_temp.substr(1) + "korvo-output.tmp"},
                                  {true, "C:\\Temp\\", dir.path() + "\\logs\\korvo-output.log"}})
    EXPECT_EQ(OutputPathFor(logs, temp, "C:\\Korvo"), path) << temp;
}

