#include "launch/mame_args.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include "base/paths.h"
#include "catalogue/mame_usage.h"
#include "launch/mame_asker.h"
#include "support/test_support.h"

namespace {
constexpr int32_t kSfex2 = 23;

const char* const kDefaultSfex2 =
    "sfex2 -window -nomaximize -keepaspect -unevenstretch -filter -nowaitvsync -nosyncrefresh -throttle "
    "-noautoframeskip -frameskip 0 -nohlsl_enable -nogl_glsl -noartwork_crop -joystick -nomouse -nolightgun "
    "-nojoystick_contradictory -noskip_gameinfo -noautosave -nocheat -noconfirm_quit";

bool CombosWritten(std::string& folder) {
  folder = "C:\\K\\combos";
  return true;
}
bool DiagWritten(std::string& folder) {
  folder = "C:\\K\\diag";
  return true;
}
std::string g_stripped;
void RecordStrip(const std::string& set) { g_stripped += set + ";"; }

class MameArgsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings(settings);
    SetLauncherFolder("C:\\Korvo");
    games = BuildGameList();
    g_stripped.clear();
    SetStripGameCfgInputsHook(RecordStrip);
  }
  void TearDown() override {
    SetWriteCombosPluginHook(nullptr);
    SetWriteInputLogPluginHook(nullptr);
    SetStripGameCfgInputsHook(nullptr);
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
  GameList games;
};
}  // namespace

TEST_F(MameArgsTest, DefaultListPluginsAndCfgStep) {
  EXPECT_EQ(Build(), kDefaultSfex2);
  EXPECT_EQ(g_stripped, "sfex2;");
  EXPECT_FALSE(CombosActive());

  SetWriteCombosPluginHook(CombosWritten);
  SetWriteInputLogPluginHook(DiagWritten);
  EXPECT_EQ(Build(), std::string(kDefaultSfex2) + " -plugins -pluginspath plugins;C:\\K\\combos -plugin korvo_combos");
  EXPECT_TRUE(CombosActive());
  settings.logs = 1;
  EXPECT_TRUE(Has(" -pluginspath plugins;C:\\K\\combos;C:\\K\\diag -plugin korvo_combos,korvo_diag"));
  SetWriteCombosPluginHook(nullptr);
  EXPECT_TRUE(Has(" -pluginspath plugins;C:\\K\\diag -plugin korvo_diag"));
  EXPECT_FALSE(CombosActive());

  // An unknown game: empty set name, no cfg step.
  g_stripped.clear();
  EXPECT_EQ(Build(nullptr, 9999).rfind(" -window", 0), 0u);
  EXPECT_EQ(g_stripped, "");
}

TEST_F(MameArgsTest, EachSettingGivesItsArguments) {
  using Setup = std::function<void(Settings&, GameSettings&)>;
  struct Case {
    Setup setup;
    std::vector<const char*> present, absent;
  } cases[] = {
      {[](Settings& s, GameSettings&) { s.roms_directory = "D:\\roms; E:\\more;", s.bios_directory = "bios"; },
       {" -rompath D:\\roms;E:\\more;C:\\Korvo\\bios "}, {}},
      {[](Settings& s, GameSettings&) { s.mame_exe = "D:\\Emu\\mame.exe", s.bios_directory = "bios"; },
       {" -rompath D:\\Emu\\roms;C:\\Korvo\\bios "}, {}},
      {[](Settings& s, GameSettings&) { s.roms_directory = " ; "; }, {}, {"-rompath"}},
      {[](Settings& s, GameSettings&) {
         s.video = 1, s.hlsl_enable = 1, s.hlsl_options = "-hlsl_oversampling 1", s.bgfx_chain = 3;
       },
       {"sfex2 -video bgfx -window", "-nohlsl_enable -nogl_glsl -bgfx_screen_chains crt-geom "}, {"oversampling"}},
      {[](Settings& s, GameSettings&) { s.video = 2, s.hlsl_enable = 1, s.hlsl_options = "-hlsl_oversampling 1"; },
       {"-hlsl_enable -hlsl_oversampling 1 -nogl_glsl"}, {}},
      {[](Settings& s, GameSettings&) { s.video = 3, s.gl_glsl = 1, s.gl_glsl_filter = 0, s.glsl_shader = "crt"; },
       {"-nohlsl_enable -gl_glsl -gl_glsl_filter 0 -glsl_shader_screen0 crt"}, {}},
      {[](Settings& s, GameSettings&) { s.rotate = 4, s.res_w = 1280, s.res_h = 720, s.fullscreen = 1, s.frameskip = -1; },
       {"-nowindow -resolution 1280x720 -flipx -flipy", "-throttle -autoframeskip -nohlsl"}, {"maximize"}},
      {[](Settings& s, GameSettings& g) { s.sound = 2, g.sound = 0; }, {" -sound none "}, {}},
      {[](Settings& s, GameSettings& g) { s.sound = 1, g.sound = 1; }, {}, {"-sound"}},  // MAME's own choice
      {[](Settings& s, GameSettings&) { s.joystick_deadzone = 5, s.joystick_saturation = 100; },
       {"-joystick_deadzone 0.05 -joystick_saturation 1.00 "}, {}},
      {[](Settings& s, GameSettings& g) {
         g.fullscreen = 1, g.res_w = 640, g.res_h = 480, g.volume = -8, g.bios = "euro", g.extra_arguments = "-speed 2";
         s.extra_arguments = "-speed 1";
       },
       {"sfex2 -bios euro -nowindow -resolution 640x480", " -volume -8 ", "-noconfirm_quit -speed 1 -speed 2"}, {}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    ResetSettings(settings);
    overrides.clear();
    cases[i].setup(settings, GetOrCreateGameSettings(overrides, kSfex2));
    const std::string built = Build();
    for (const char* piece : cases[i].present) EXPECT_NE(built.find(piece), std::string::npos) << piece << "\n" << built;
    for (const char* piece : cases[i].absent) EXPECT_EQ(built.find(piece), std::string::npos) << piece << "\n" << built;
  }
  LaunchRequest windowed{0, 0};  // the request wins over the game's full screen
  EXPECT_NE(Build(&windowed).find("sfex2 -bios euro -window -nomaximize"), std::string::npos);
}

TEST_F(MameArgsTest, ShortcutAndFilterWindow) {
  SetWriteCombosPluginHook(CombosWritten);
  settings.skip_warnings = 1;
  settings.filter_window = 1;
  settings.more_options = "-beam_width_min 2";

  LaunchRequest shortcut{1, 1};
  std::string s = Build(&shortcut);
  EXPECT_NE(s.find(" -nowindow "), std::string::npos);
  for (const char* absent : {"-keyboardprovider", "-plugin", "-resolution auto"})
    EXPECT_EQ(s.find(absent), std::string::npos) << absent;
  EXPECT_FALSE(CombosActive());
  EXPECT_EQ(g_stripped, "");

  std::string play = Build();
  EXPECT_NE(play.find("-noconfirm_quit -beam_width_min 2 -keyboardprovider dinput -plugins"), std::string::npos);
  EXPECT_TRUE(play.ends_with(
      " -window -nomaximize -nokeepaspect -nofilter -prescale 1 -intscalex 0 -intscaley 0 -resolution auto"));
}

// Windows' own splitting is compared under Wine; here only the documented forms.
// Options the located MAME does not list are left out with their values and
// noted; the user's typed extra arguments go as typed. The fake MAME answers
// with MAME 0.251's recorded list, then with an edited one that lacks options
// the builder always passes.
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
  const ArgList as_today = build(nullptr);  // MAME not asked yet
  EXPECT_NE(std::find(as_today.begin(), as_today.end(), "-joystick_threshold"), as_today.end());

  LoadMameUsage(false, LocatedMameAsker(settings));
  std::vector<std::string> left_out;
  ArgList args = build(&left_out);
  EXPECT_EQ(left_out, (std::vector<std::string>{"-hlsl_enable", "-scanline_alpha", "-distortion",
                                                "-joystick_threshold", "-priority"}));
  // Each with its value; the rest as before.
  for (const char* gone : {"-hlsl_enable", "-scanline_alpha", "0.4", "-distortion", "-0.1", "0.5", "-priority"})
    EXPECT_EQ(std::count(args.begin(), args.end(), gone), 0) << gone;
  for (const char* kept : {"-rewind", "-speed", "-typed_option", "-nojoystick_contradictory"})
    EXPECT_EQ(std::count(args.begin(), args.end(), kept), 1) << kept;
  EXPECT_EQ(args.size(), as_today.size() - 9);
  EXPECT_TRUE(CombosActive());

  std::istringstream recorded(ReadTestFile(SourcePath("tests/fixtures/mame0251/showusage.txt")));
  std::string edited;
  for (std::string line; std::getline(recorded, line);) {
    bool gone = false;
    for (const char* option : {"-keepaspect ", "-plugins ", "-plugin ", "-pluginspath "})
      gone = gone || line.rfind(option, 0) == 0;
    if (!gone) edited += line + "\n";
  }
  WriteTestFile(dir.File("edited-usage.txt"), edited);
  WriteTestFile(dir.File("fakemame-control.txt"), "showusage-file=edited-usage.txt\n");
  LoadMameUsage(true, LocatedMameAsker(settings));
  left_out.clear();
  args = build(&left_out);
  EXPECT_EQ(left_out, (std::vector<std::string>{"-keepaspect", "-hlsl_enable", "-scanline_alpha", "-distortion",
                                                "-joystick_threshold", "-priority", "-plugins", "-pluginspath",
                                                "-plugin"}));
  EXPECT_TRUE(std::none_of(args.begin(), args.end(), [](const std::string& a) { return a.find("combos") != a.npos; }));
  EXPECT_FALSE(CombosActive());  // without the plugin the autofire buttons keep their keys
}

TEST(ArgText, QuotingAndSplitting) {
  EXPECT_EQ(QuoteArg("plain"), "plain");
  EXPECT_EQ(QuoteArg(""), "\"\"");
  EXPECT_EQ(QuoteArg("C:\\My Games\\"), "\"C:\\My Games\\\\\"");
  EXPECT_EQ(QuoteArg("a\"b"), "\"a\\\"b\"");
  EXPECT_EQ(MameCommandLine("C:\\Mame Dir\\mame.exe", {"sfex2", ""}), "\"C:\\Mame Dir\\mame.exe\" sfex2 \"\"");
  ArgList split;
  ParseArgText("-cheat \"open ended", split);  // unbalanced: runs to the end
  EXPECT_EQ(split, (ArgList{"-cheat", "open ended"}));
}

TEST(ControllerFiles, ListsCfgStems) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  Settings s;
  ResetSettings(s);
  for (const char* name : {"mame.exe", "ctrlr/hotrod.cfg", "ctrlr/X.CFG", "ctrlr/readme.txt", "ctrlr/.cfg",
                           "ctrlr/folder.cfg/inner"})
    WriteTestFile(dir.File(name), "");
  std::vector<std::string> names = ListControllerFiles(s, 16);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"X", "hotrod"}));
  EXPECT_EQ(ListControllerFiles(s, 1).size(), 1u);
}
