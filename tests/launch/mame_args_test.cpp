// What MAME is given: argument lists the real MAME 0.251 accepts, where mame.exe is found, the desktop shortcut.
#include "launch/mame_args.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "base/paths.h"
#include "base/text_case.h"
#include "catalogue/listing.h"
#include "catalogue/mame_usage.h"
#include "launch/captured_run.h"
#include "launch/mame_asker.h"
#include "launch/mame_location.h"
#include "launch/shortcut.h"
#include "settings/app_state.h"
#include "support/test_support.h"

namespace {
const std::set<std::pair<std::string, std::string>> kWindowsOnly = {
    {"-video", "d3d"}, {"-video", "gdi"}, {"-sound", "dsound"}, {"-sound", "xaudio2"}, {"-keyboardprovider", "dinput"},
    {"-joystickprovider", "winhybrid"}, {"-joystickprovider", "dinput"}, {"-joystickprovider", "xinput"}};

constexpr int32_t kSfex2 = 23;

const char* const kDefaultSfex2 =
    "sfex2 -window -nomaximize -keepaspect -unevenstretch -filter -nowaitvsync -nosyncrefresh -throttle "
    "-noautoframeskip -frameskip 0 -nohlsl_enable -nogl_glsl -noartwork_crop -joystick -nomouse -nolightgun "
    "-nojoystick_contradictory -noskip_gameinfo -noautosave -nocheat -noconfirm_quit";

bool (*const CombosWritten)(std::string&) = [](std::string& folder) { return folder = "C:\\K\\combos", true; };
bool (*const DiagWritten)(std::string&) = [](std::string& folder) { return folder = "C:\\K\\diag", true; };
std::string g_stripped;

class MameArgsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings(settings);
    SetLauncherFolder("C:\\Korvo");
    g_stripped.clear();
    SetStripGameCfgInputsHook([](const std::string& set) { g_stripped += set + ";"; });
  }
  void TearDown() override {
    SetWriteCombosPluginHook(nullptr), SetWriteInputLogPluginHook(nullptr), SetStripGameCfgInputsHook(nullptr);
  }
  std::string Build(const LaunchRequest* request = nullptr, int32_t game = kSfex2) {
    ArgList args;
    BuildMameArgs(settings, overrides, games, game, request, args);
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) out += (i ? " " : "") + args[i];
    return out;
  }
  bool Has(const std::string& piece) { return Build().find(piece) != std::string::npos; }

  Settings settings;
  GameSettingsList overrides;
  GameList games = BuildGameList();
};
}  // namespace

TEST_F(MameArgsTest, DefaultListPluginsCfgStepAndShortcut) {
  EXPECT_TRUE(Build() == kDefaultSfex2 && g_stripped == "sfex2;");

  SetWriteCombosPluginHook(CombosWritten), SetWriteInputLogPluginHook(DiagWritten);
  EXPECT_EQ(Build(), std::string(kDefaultSfex2) + " -plugins -pluginspath plugins;C:\\K\\combos -plugin korvo_combos");
  settings.logs = 1;
  EXPECT_TRUE(Has(" -pluginspath plugins;C:\\K\\combos;C:\\K\\diag -plugin korvo_combos,korvo_diag"));
  SetWriteCombosPluginHook(nullptr);
  EXPECT_TRUE(Has(" -pluginspath plugins;C:\\K\\diag -plugin korvo_diag") && !CombosActive());

  // An unknown game: empty set name, no cfg step.
  g_stripped.clear();
  EXPECT_TRUE(Build(nullptr, 9999).rfind(" -window", 0) == 0 && g_stripped.empty()) << g_stripped;

  // A desktop shortcut gets no plugin, no cfg step and no keyboard provider; the filter window's play does.
  SetWriteCombosPluginHook(CombosWritten);
  settings.skip_warnings = settings.filter_window = 1, settings.more_options = "-beam_width_min 2";
  LaunchRequest shortcut{1, 1};
  std::string s = Build(&shortcut);
  for (const char* absent : {"-keyboardprovider", "-plugin", "-resolution auto"})
    EXPECT_EQ(s.find(absent), std::string::npos) << absent;
  EXPECT_TRUE(!CombosActive() && g_stripped.empty()) << g_stripped;
  // The pad probe: a short silent run of pong with only the probe plugin.
  ArgList probe;
  settings.joystick_provider = 3;
  BuildProbeArgs(settings, "C:\\K\\probe", probe);
  EXPECT_EQ(JoinArgs(probe), "pong -video none -sound none -seconds_to_run 2 -joystick -joystickprovider xinput -plugins "
                             "-pluginspath plugins;C:\\K\\probe -plugin korvo_probe");
  std::string play = Build();
  EXPECT_NE(play.find("-noconfirm_quit -beam_width_min 2 -keyboardprovider dinput -plugins"), std::string::npos);
  EXPECT_TRUE(play.ends_with(
      " -window -nomaximize -nokeepaspect -nofilter -prescale 1 -intscalex 0 -intscaley 0 -resolution auto"));
}

TEST_F(MameArgsTest, EachSettingGivesItsArgumentsQuotedAndSplit) {
  // The main settings and sfex2's own, as their files hold them; the pieces present and absent.
  struct Case { const char *settings, *game; std::vector<const char*> present, absent; } cases[] = {
      {"roms_directory=D:\\roms; E:\\more;\nbios_directory=bios", "", {" -rompath D:\\roms;E:\\more;C:\\Korvo\\bios "}, {}},
      {"mame_exe=D:\\Emu\\mame.exe\nbios_directory=bios", "", {" -rompath D:\\Emu\\roms;C:\\Korvo\\bios "}, {}},
      {"roms_directory=; ;", "", {}, {"-rompath"}},
      {"video=1\nhlsl_enable=1\nhlsl_options=-hlsl_oversampling 1\nbgfx_chain=3", "",
       {"sfex2 -video bgfx -window", "-nohlsl_enable -nogl_glsl -bgfx_screen_chains crt-geom "}, {"oversampling"}},
      {"video=2\nhlsl_enable=1\nhlsl_options=-hlsl_oversampling 1", "", {"-hlsl_enable -hlsl_oversampling 1 -nogl_glsl"}, {}},
      {"video=3\ngl_glsl=1\ngl_glsl_filter=0\nglsl_shader=crt", "",
       {"-nohlsl_enable -gl_glsl -gl_glsl_filter 0 -glsl_shader_screen0 crt"}, {}},
      {"rotate=4\nres_w=1280\nres_h=720\nfullscreen=1\nframeskip=-1", "",
       {"-nowindow -resolution 1280x720 -flipx -flipy", "-throttle -autoframeskip -nohlsl"}, {"maximize"}},
      {"sound=2", "sound=0", {" -sound none "}, {}},
      {"sound=1", "sound=1", {}, {"-sound"}},  // MAME's own choice
      // Each of the game's own switches wins over the main settings.
      {"", "video=1\nbgfx_chain=3\nrotate=1\nkeep_aspect=0\nfilter=0\nwait_vsync=1\ncheat=1\nskip_gameinfo=1\nautosave=1",
       {"sfex2 -video bgfx -window -nomaximize -norotate -nokeepaspect -unevenstretch -nofilter -waitvsync ",
        "-bgfx_screen_chains crt-geom ", "-skip_gameinfo -autosave -cheat -noconfirm_quit"}, {}},
      {"joystick_deadzone=5\njoystick_saturation=100", "", {"-joystick_deadzone 0.05 -joystick_saturation 1.00 "}, {}},
      // Doubled quotes typed by hand split as Windows splits them (the Windows suite asks the system).
      {"extra_arguments=-snapname \"a\"\"b\" a\"\"\"b", "", {"-noconfirm_quit -snapname a\"b a\"b"}, {}},
      {"extra_arguments=-speed 1", "fullscreen=1\nsize=640x480\nvolume=-8\nbios=euro\nextra_arguments=-speed 2",
       {"sfex2 -bios euro -nowindow -resolution 640x480", " -volume -8 ", "-noconfirm_quit -speed 1 -speed 2"}, {}},
  };
  for (const Case& c : cases) {
    ResetSettings(settings);
    ParseSettingsText(settings, c.settings);
    ParseGameSettingsText(overrides, std::string("[game 23]\n") + c.game);
    const std::string built = Build();
    for (const char* piece : c.present) EXPECT_NE(built.find(piece), std::string::npos) << piece << "\n" << built;
    for (const char* piece : c.absent) EXPECT_EQ(built.find(piece), std::string::npos) << piece << "\n" << built;
  }
  LaunchRequest windowed{0, 0};  // the request wins over the game's full screen
  EXPECT_NE(Build(&windowed).find("sfex2 -bios euro -window -nomaximize"), std::string::npos);

  EXPECT_EQ(QuoteArg("plain") + " " + QuoteArg("") + " " + QuoteArg("C:\\My Games\\") + " " + QuoteArg("a\"b"),
            "plain \"\" \"C:\\My Games\\\\\" \"a\\\"b\"");
  EXPECT_EQ(MameCommandLine("C:\\Mame Dir\\mame.exe", {"sfex2", ""}), "\"C:\\Mame Dir\\mame.exe\" sfex2 \"\"");
  // The lists share one look-up: 0 is MAME's own default, past the last is nothing.
  EXPECT_TRUE(VideoName(0) == nullptr && VideoName(4) != nullptr && VideoName(5) == nullptr);
}

// Options the located MAME does not list are left out with their values and noted; typed extra arguments go as typed.
TEST_F(MameArgsTest, OptionsThisMameLacksAreLeftOut) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  std::filesystem::copy_file(FakeMamePath(), dir.File("mame.exe"));
  SetWriteCombosPluginHook(CombosWritten);
  settings.video = 2, settings.hlsl_enable = 1, settings.hlsl_options = "-scanline_alpha 0.4 -distortion -0.1";
  settings.more_options = "-rewind -joystick_threshold 0.5 -priority 1 -speed 2";
  settings.extra_arguments = "-typed_option 2";
  auto build = [&](std::vector<std::string>* left_out) {
    ArgList args;
    BuildMameArgs(settings, overrides, games, kSfex2, nullptr, args, left_out);
    return args;
  };
  const ArgList as_today = build(nullptr);  // MAME not asked yet: nothing is left out

  LoadMameUsage(false, LocatedMameAsker(settings));
  std::vector<std::string> left_out;
  ArgList args = build(&left_out);
  EXPECT_EQ(LeftOutText(left_out),
            "Left out for this MAME: -hlsl_enable, -scanline_alpha, -distortion, -joystick_threshold, -priority");
  // Each with its value; nothing else.
  for (const char* gone : {"-hlsl_enable", "-scanline_alpha", "0.4", "-distortion", "-0.1", "0.5", "-priority"})
    EXPECT_EQ(std::count(args.begin(), args.end(), gone), 0) << gone;
  EXPECT_TRUE(args.size() == as_today.size() - 9 && CombosActive());

  // Then a MAME without options the builder always passes.
  const std::string usage = SourcePath("tests/fixtures/mame0251/showusage.txt"), edited = dir.File("edited-usage.txt");
  ASSERT_EQ(std::system(("grep -v -E '^-(keepaspect|plugins|plugin|pluginspath) ' '" + usage + "' >'" + edited + "'").c_str()), 0);
  WriteTestFile(dir.File("fakemame-control.txt"), "showusage-file=edited-usage.txt\n");
  LoadMameUsage(true, LocatedMameAsker(settings));
  args = build(&(left_out = {}));
  EXPECT_EQ(left_out, (std::vector<std::string>{"-keepaspect", "-hlsl_enable", "-scanline_alpha", "-distortion",
                                                "-joystick_threshold", "-priority", "-plugins", "-pluginspath",
                                                "-plugin"}));
  EXPECT_TRUE(std::none_of(args.begin(), args.end(), [](const std::string& a) { return a.find("combos") != a.npos; }));
  EXPECT_FALSE(CombosActive());  // without the plugin the autofire buttons keep their keys
}

// Only values of MAME's Windows build are taken out of the lists; options it lacks the builder leaves out itself.
TEST(RealMame, AcceptsEveryBuiltList) {
  if (!TestFileExists(kRealMame)) GTEST_SKIP() << "no MAME installed";
  TempDir dir;
  SetLauncherFolder(dir.path());
  std::filesystem::copy_file(FakeMamePath(), dir.File("mame.exe"));  // answers with 0.251's recorded list
  LoadMameUsage(false, LocatedMameAsker(Settings{}));
  ASSERT_TRUE(CachedMameUsage(LocatedMameAsker(Settings{})).Known());
  SetWriteCombosPluginHook([](std::string& folder) { return folder = "/tmp/korvo-combos", true; });
  SetWriteInputLogPluginHook([](std::string& folder) { return folder = "/tmp/korvo-diag", true; });
  GameList games = BuildGameList();
  // The defaults, then every video mode with nearly every option set: as set, windowed, full screen, as a shortcut.
  for (int video = -1; video < 4; ++video)
    for (LaunchRequest request : {LaunchRequest{-1, 0}, LaunchRequest{1, 0}, LaunchRequest{0, 0}, LaunchRequest{1, 1}}) {
      SCOPED_TRACE(testing::Message() << video << " " << request.screen_mode << request.for_shortcut);
      Settings s;
      ResetSettings(s);
      GameSettingsList overrides;
      if (video >= 0) {
        s.video = video, s.rotate = video + 1, s.sound = 1 + video % 2, s.logs = 1, s.volume = -32;
        s.bgfx_chain = s.audio_latency = 3, s.bgfx_backend = s.joystick_provider = 4, s.sample_rate = 44100;
        s.res_w = 1280, s.res_h = 720, s.integer_scale = 2, s.prescale = 2, s.frameskip = -1, s.controller_file = "hotrod";
        s.joystick_deadzone = 5, s.joystick_saturation = 100, s.throttle = s.joystick = 0;
        s.skip_gameinfo = s.autosave = s.cheat = s.confirm_quit = s.skip_warnings = s.filter_window = 1;
        s.maximize = s.sync_refresh = s.mouse = s.lightgun = s.joystick_contradictory = s.gl_glsl = s.hlsl_enable = 1;
        s.gl_glsl_filter = 0, s.glsl_shader = "crt", s.roms_directory = "roms; more", s.bios_directory = "bios";
        s.hlsl_options = "-scanline_alpha 0.4 -distortion -0.1 -defocus 0.4,0.4";
        s.extra_arguments = "-speed 1.5 -nosleep";
        s.more_options = "-beam_width_min 1.2 -joystick_threshold 0.5 -background_input -priority 1 -rewind "
                         "-nodual_lightgun -full_screen_gamma 1.5";
        GameSettings& o = GetOrCreateGameSettings(overrides, 23);
        o.volume = -8, o.keep_aspect = 0, o.wait_vsync = 1;
      }
      ArgList args;
      BuildMameArgs(s, overrides, games, 23, &request, args);
      ArgList run;
      for (size_t i = 0; i < args.size(); ++i)
        if (i + 1 < args.size() && kWindowsOnly.count({args[i], args[i + 1]})) ++i;
        else run.push_back(args[i]);
      run.insert(run.end(), {"-showconfig", "-homepath", "home", "-cfg_directory", "cfg", "-nvram_directory", "nvram"});
      TextBuffer out;
      int32_t code = -1;
      ASSERT_EQ(RunProgramCaptured(kRealMame, dir.path(), JoinArgs(run), out, 60000, &code), kCapturedEnded);
      EXPECT_EQ(code, 0) << out.substr(0, 400);
      for (const char* complaint : {"Error", "Illegal", "unknown option", "Invalid", "invalid"})
        EXPECT_EQ(out.find(complaint), std::string::npos) << complaint << "\n" << JoinArgs(run) << "\n" << out.substr(0, 400);
      EXPECT_NE(out.find("CORE CONFIGURATION OPTIONS"), std::string::npos);
    }
  SetWriteCombosPluginHook(nullptr), SetWriteInputLogPluginHook(nullptr);
}

TEST(MameLocation, CandidatesSettingFoldersAndTheDesktopShortcut) {
  TempDir dir;
  SetLauncherFolder("/k");
  Settings s;
  ResetSettings(s);
  std::string path;
  EXPECT_TRUE(!LocateMameProgram(s, path) && path == "/k\\mame.exe" && MameFolder(s) == "\\k");  // still named in messages

  SetLauncherFolder(dir.path());
  WriteTestFile(dir.File("mame/mame64.exe"), "");
  WriteTestFile(dir.File("mame64.exe"), "");
  EXPECT_TRUE(LocateMameProgram(s, path) && path == dir.path() + "\\mame64.exe");  // beside before the sub-folder
  WriteTestFile(dir.File("mame/mame.exe"), "");
  EXPECT_TRUE(LocateMameProgram(s, path) && path == dir.path() + "\\mame\\mame.exe");
  // A MAME Program setting must name a program: a folder is not found.
  s.mame_exe = "mame";
  EXPECT_FALSE(LocateMameProgram(s, path) || path != dir.path() + "\\mame");
  App().settings = s;  // the windows ask with the settings in use
  EXPECT_FALSE(MameFound());
  s.mame_exe = App().settings.mame_exe = "mame\\mame.exe";
  EXPECT_TRUE(LocateMameProgram(s, path) && MameFound());
  // The controller files offered: the .cfg files of MAME's ctrlr folder whose name the setting can hold.
  for (std::string file : {std::string("hotrod.CFG"), std::string(".cfg"), std::string(63, 'l') + ".cfg",
                           std::string(64, 'l') + ".cfg", std::string("x.txt"), std::string("sub.cfg/a.cfg")})
    WriteTestFile(dir.File("mame/ctrlr/" + file), "");
  std::vector<std::string> offered = ListControllerFiles(s, 9);
  std::sort(offered.begin(), offered.end());
  EXPECT_EQ(offered, (std::vector<std::string>{"hotrod", std::string(63, 'l')}));
  EXPECT_EQ(ListControllerFiles(s, 1).size(), 1u);

  SetLauncherFolder("C:\\Korvo");
  s.mame_exe = "C:/mame.exe";
  EXPECT_EQ(MameFolder(s), "C:\\");
  s.mame_exe = App().settings.mame_exe = "Emu/mame.exe";
  EXPECT_TRUE(!LocateMameProgram(s, path) && MameFolder() + "|" + MameRomsFolder() == "C:\\Korvo\\Emu|C:\\Korvo\\Emu\\roms");
  s.roms_directory = "  roms2 ; E:\\r";
  EXPECT_EQ(MameRomsFolder(s), "C:\\Korvo\\roms2");

  GameList games = BuildGameList();
  MameListing listing;
  ParseListfull(ReadTestFile(SourcePath("tests/fixtures/mame0251/listfull.txt")), GameTableSets(), listing);
  MarkGameList(games, listing);
  std::vector<std::string> names = ShortcutFileNames(games);
  ASSERT_EQ(names.size(), 462u);
  std::map<std::string, std::string> seen;
  for (size_t i = 0; i < games.size(); ++i) {
    auto [it, added] = seen.emplace(LowerCaseText(names[i]), games[i].set);
    EXPECT_TRUE(added && !names[i].empty() && names[i].find_first_of("\\/:*?\"<>|") == std::string::npos)
        << games[i].set << " and " << it->second << " share " << names[i];
  }
  GameList twins = {games[0], games[0]};  // the first of a list clashes like any other
  twins[1].set += "b";
  EXPECT_EQ(ShortcutFileNames(twins)[0] + "|" + ShortcutFileNames(twins)[1],
            "Battle Arena Toshinden 2 (Euro 951124) [ts2]|Battle Arena Toshinden 2 (Euro 951124) [ts2b]");
  // MAME 0.251 calls kartduel what the table calls kartduelja: both keep their title and get their set name.
  for (auto [set, name] : {std::pair{"kartduel", "Kart Duel (Japan, KTD1VER.A) [kartduel]"},  // sfex2: no clash, no set name
                           {"kartduelja", "Kart Duel (Japan, KTD1VER.A) [kartduelja]"}, {"sfex2", "Street Fighter EX2 (Euro)"}})
    EXPECT_EQ(ShortcutFileNameOf(games, *FindGameBySet(games, set)), name) << set;
  // A desktop icon starts MAME alone: none of what a launcher start adds (plugins, the warning skip's input provider).
  SetLauncherFolder(dir.path());
  s.mame_exe = "mame\\mame.exe";
  s.skip_warnings = 1;
  ShortcutPlan plan;
  std::string reason;
  ASSERT_TRUE(PlanDesktopShortcut(s, {}, games, *FindGameBySet(games, "sfex2"), "C:\\Desk", plan, reason));
  EXPECT_EQ(plan.arguments.find("-keyboardprovider"), std::string::npos) << plan.arguments;  // the rest: the link's test
  // mame.exe is looked for before the desktop; with both the shortcut is written.
  const std::string home = getenv("HOME") ? getenv("HOME") : "";
  setenv("HOME", dir.path().c_str(), 1);
  for (auto [launcher, reason_given] : {std::pair{"/no/such/folder", "mame.exe was not found (General tab > MAME Program)"},
                                        {dir.path().c_str(), "Desktop folder not found"}}) {
    SetLauncherFolder(launcher);
    EXPECT_TRUE(!CreateDesktopShortcut(s, {}, games, *FindGameBySet(games, "sfex2"), reason) && reason == reason_given);
  }
  std::filesystem::create_directory(dir.File("Desktop"));
  EXPECT_TRUE(CreateDesktopShortcut(s, {}, games, *FindGameBySet(games, "sfex2"), reason) &&
              ReadTestFile(dir.File("Desktop/Street Fighter EX2 (Euro).desktop")).find("\nIcon=" + LauncherProgramPath() + "\n") != std::string::npos);
  setenv("HOME", home.c_str(), 1);
}

