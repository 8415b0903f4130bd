#include "launch/mame_args.h"

#include <gtest/gtest.h>

#include "app/paths.h"
#include "support/test_support.h"

namespace {
constexpr int32_t kSfex2 = 23;

std::string Joined(const ArgList& args) {
  std::string out;
  for (const std::string& a : args) out += (out.empty() ? "" : " ") + a;
  return out;
}

class MameArgsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings(settings);
    SetLauncherFolder("C:\\Korvo");
    games = BuildGameList();
    SetWriteCombosPluginHook(nullptr);
    SetWriteInputLogPluginHook(nullptr);
    SetStripGameCfgInputsHook(nullptr);
  }
  void TearDown() override {
    SetWriteCombosPluginHook(nullptr);
    SetWriteInputLogPluginHook(nullptr);
    SetStripGameCfgInputsHook(nullptr);
  }
  std::string Build(const LaunchRequest* request = nullptr, int32_t game = kSfex2) {
    ArgList args;
    BuildMameArgs(settings, overrides, games, game, request, args);
    return Joined(args);
  }
  GameSettings& Override(int32_t game = kSfex2) { return GetOrCreateGameSettings(overrides, game); }

  Settings settings;
  GameSettingsList overrides;
  GameList games;
};

const char* const kDefaultSfex2 =
    "sfex2 -window -nomaximize -keepaspect -unevenstretch -filter -nowaitvsync -nosyncrefresh -throttle "
    "-noautoframeskip -frameskip 0 -nohlsl_enable -nogl_glsl -noartwork_crop -joystick -nomouse -nolightgun "
    "-nojoystick_contradictory -noskip_gameinfo -noautosave -nocheat -noconfirm_quit";

bool CombosWritten(std::string& folder) {
  folder = "C:\\Korvo\\korvo-plugins\\combos";
  return true;
}
bool DiagWritten(std::string& folder) {
  folder = "C:\\Korvo\\korvo-plugins\\diag";
  return true;
}
std::string g_stripped;
void RecordStrip(const std::string& set) { g_stripped += set + ";"; }
}  // namespace

TEST_F(MameArgsTest, DefaultListAndPlugins) {
  EXPECT_EQ(Build(), kDefaultSfex2);
  EXPECT_FALSE(CombosActive());

  SetWriteCombosPluginHook(CombosWritten);
  EXPECT_EQ(Build(), std::string(kDefaultSfex2) +
                         " -plugins -pluginspath plugins;C:\\Korvo\\korvo-plugins\\combos -plugin korvo_combos");
  EXPECT_TRUE(CombosActive());

  // The log plugin only with logs on, after the combos plugin.
  SetWriteInputLogPluginHook(DiagWritten);
  settings.logs = 1;
  EXPECT_EQ(Build(), std::string(kDefaultSfex2) +
                         " -plugins -pluginspath plugins;C:\\Korvo\\korvo-plugins\\combos;C:\\Korvo\\korvo-plugins\\diag"
                         " -plugin korvo_combos,korvo_diag");
  SetWriteCombosPluginHook(nullptr);
  EXPECT_EQ(Build(), std::string(kDefaultSfex2) +
                         " -plugins -pluginspath plugins;C:\\Korvo\\korvo-plugins\\diag -plugin korvo_diag");
  EXPECT_FALSE(CombosActive());
}

TEST_F(MameArgsTest, UnknownGameHasEmptySetNameAndNoCfgStep) {
  g_stripped.clear();
  SetStripGameCfgInputsHook(RecordStrip);
  ArgList args;
  BuildMameArgs(settings, overrides, games, 9999, nullptr, args);
  ASSERT_FALSE(args.empty());
  EXPECT_EQ(args[0], "");
  EXPECT_EQ(g_stripped, "");
  Build();
  EXPECT_EQ(g_stripped, "sfex2;");
}

TEST_F(MameArgsTest, RomPath) {
  settings.roms_directory = "D:\\roms; E:\\more;";
  settings.bios_directory = "bios";
  EXPECT_NE(Build().find(" -rompath D:\\roms;E:\\more;C:\\Korvo\\bios "), std::string::npos);

  settings.roms_directory = "";
  settings.mame_exe = "D:\\Emu\\mame.exe";
  EXPECT_NE(Build().find(" -rompath D:\\Emu\\roms;C:\\Korvo\\bios "), std::string::npos);

  settings.bios_directory = "";
  settings.roms_directory = " ; ";
  EXPECT_EQ(Build().find("-rompath"), std::string::npos);
  settings.roms_directory = "roms";
  EXPECT_NE(Build().find(" -rompath C:\\Korvo\\roms "), std::string::npos);
}

TEST_F(MameArgsTest, VideoChoicesAndShaders) {
  settings.video = 1;
  settings.hlsl_enable = 1;
  settings.hlsl_options = "-hlsl_oversampling 1";
  settings.bgfx_chain = 3;
  std::string bgfx = Build();
  EXPECT_NE(bgfx.find("sfex2 -video bgfx -window"), std::string::npos);
  EXPECT_NE(bgfx.find("-nohlsl_enable -nogl_glsl -bgfx_screen_chains crt-geom "), std::string::npos);
  EXPECT_EQ(bgfx.find("oversampling"), std::string::npos);

  settings.video = 2;
  EXPECT_NE(Build().find("-hlsl_enable -hlsl_oversampling 1 -nogl_glsl"), std::string::npos);

  settings.video = 3;
  settings.gl_glsl = 1;
  settings.gl_glsl_filter = 0;
  settings.glsl_shader = "crt";
  EXPECT_NE(Build().find("-nohlsl_enable -gl_glsl -gl_glsl_filter 0 -glsl_shader_screen0 crt"), std::string::npos);

  settings.rotate = 4;
  settings.res_w = 1280;
  settings.res_h = 720;
  settings.fullscreen = 1;
  settings.integer_scale = 2;
  settings.prescale = 3;
  settings.frameskip = -1;
  std::string s = Build();
  EXPECT_NE(s.find("-nowindow -resolution 1280x720 -flipx -flipy"), std::string::npos);
  EXPECT_EQ(s.find("maximize"), std::string::npos);  // only meaningful in a window
  EXPECT_NE(s.find("-intscalex 2 -intscaley 2 -filter -prescale 3"), std::string::npos);
  EXPECT_NE(s.find("-throttle -autoframeskip -nohlsl"), std::string::npos);
}

TEST_F(MameArgsTest, GameOverridesAndRequest) {
  settings.sound = 2;
  Override().sound = 0;
  EXPECT_NE(Build().find(" -sound none "), std::string::npos);

  settings.sound = 1;  // global Off, game On: MAME's own choice
  Override().sound = 1;
  EXPECT_EQ(Build().find("-sound"), std::string::npos);
  settings.sound = 3;
  EXPECT_NE(Build().find(" -sound xaudio2 "), std::string::npos);

  GameSettings& g = Override();
  g.fullscreen = 1;
  g.res_w = 640;
  g.res_h = 480;
  g.volume = -8;
  g.bios = "euro";
  g.extra_arguments = "-speed 2";
  settings.extra_arguments = "-speed 1";
  std::string s = Build();
  EXPECT_EQ(s.rfind("sfex2 -bios euro -nowindow -resolution 640x480", 0), 0u);
  EXPECT_NE(s.find(" -volume -8 "), std::string::npos);
  EXPECT_NE(s.find("-noconfirm_quit -speed 1 -speed 2"), std::string::npos);

  LaunchRequest windowed{0, 0};
  EXPECT_NE(Build(&windowed).find(" -window -nomaximize"), std::string::npos);

  // A record without overrides is the same as none.
  overrides.clear();
  Override();
  EXPECT_EQ(Build().rfind("sfex2 -window", 0), 0u);
}

TEST_F(MameArgsTest, AudioAndControlsValues) {
  settings.joystick_deadzone = 5;
  settings.joystick_saturation = 100;
  settings.sample_rate = 44100;
  settings.audio_latency = 1;
  settings.joystick_provider = 3;
  settings.controller_file = "hotrod";
  settings.bgfx_backend = 5;
  std::string s = Build();
  EXPECT_NE(s.find("-bgfx_backend auto -noartwork_crop -samplerate 44100 -audio_latency 1 -joystick "
                   "-joystickprovider xinput"),
            std::string::npos);
  EXPECT_NE(s.find("-joystick_deadzone 0.05 -joystick_saturation 1.00 -ctrlr hotrod"), std::string::npos);
}

TEST_F(MameArgsTest, ShortcutAndFilterWindow) {
  SetWriteCombosPluginHook(CombosWritten);
  g_stripped.clear();
  SetStripGameCfgInputsHook(RecordStrip);
  settings.skip_warnings = 1;
  settings.filter_window = 1;
  settings.more_options = "-beam_width 2";

  LaunchRequest shortcut{1, 1};
  std::string s = Build(&shortcut);
  EXPECT_NE(s.find(" -nowindow "), std::string::npos);
  EXPECT_EQ(s.find("-keyboardprovider"), std::string::npos);
  EXPECT_EQ(s.find("-plugin"), std::string::npos);
  EXPECT_EQ(s.find("-resolution auto"), std::string::npos);
  EXPECT_FALSE(CombosActive());
  EXPECT_EQ(g_stripped, "");

  std::string play = Build();
  EXPECT_NE(play.find("-noconfirm_quit -beam_width 2 -keyboardprovider dinput -plugins"), std::string::npos);
  const std::string tail =
      " -window -nomaximize -nokeepaspect -nofilter -prescale 1 -intscalex 0 -intscaley 0 -resolution auto";
  ASSERT_GT(play.size(), tail.size());
  EXPECT_EQ(play.substr(play.size() - tail.size()), tail);
}

TEST_F(MameArgsTest, ProbeArgs) {
  ArgList args;
  settings.joystick_provider = 2;
  BuildProbeArgs(settings, "C:\\K\\probe", args);
  EXPECT_EQ(Joined(args),
            "pong -video none -sound none -seconds_to_run 2 -joystick -joystickprovider dinput -plugins -pluginspath "
            "plugins;C:\\K\\probe -plugin korvo_probe");
}

TEST(ArgText, QuotingRoundTrips) {
  EXPECT_EQ(QuoteArg("plain"), "plain");
  EXPECT_EQ(QuoteArg(""), "\"\"");
  EXPECT_EQ(QuoteArg("C:\\My Games\\"), "\"C:\\My Games\\\\\"");
  EXPECT_EQ(QuoteArg("a\"b"), "\"a\\\"b\"");
  EXPECT_EQ(QuoteArg("a\\\\\"b c"), "\"a\\\\\\\\\\\"b c\"");
  EXPECT_EQ(QuoteArg("C:\\x\\y"), "C:\\x\\y");  // backslashes without quotes stay

  const ArgList awkward = {"", "a b", "tab\there", "q\"uote", "end\\", "two ends\\\\", "\\\"", "\"\"",
                           "\\\\server\\share dir\\", "ünï cödé", " ", "x"};
  ArgList back;
  ParseArgText(JoinArgs(awkward), back);
  EXPECT_EQ(back, awkward);
  EXPECT_EQ(MameCommandLine("C:\\Mame Dir\\mame.exe", {"sfex2", ""}), "\"C:\\Mame Dir\\mame.exe\" sfex2 \"\"");
  EXPECT_EQ(MameCommandLine("mame.exe", {}), "mame.exe");
}

TEST(ArgText, SplitsLikeWindows) {
  auto split = [](const std::string& text) {
    ArgList out;
    ParseArgText(text, out);
    return out;
  };
  EXPECT_TRUE(split("").empty());
  EXPECT_TRUE(split("  \t ").empty());
  EXPECT_EQ(split("  -a   b  "), (ArgList{"-a", "b"}));
  EXPECT_EQ(split("\"a b\"c d"), (ArgList{"a bc", "d"}));
  EXPECT_EQ(split("a\\\\b \\\\\"x y\""), (ArgList{"a\\\\b", "\\x y"}));
  EXPECT_EQ(split("\"\""), (ArgList{""}));
  // Unbalanced quotes run to the end of the text instead of failing.
  EXPECT_EQ(split("-cheat \"open ended"), (ArgList{"-cheat", "open ended"}));
  EXPECT_EQ(split("a\"\"\"b"), (ArgList{"a\"b"}));
}

TEST(ControllerFiles, ListsCfgStems) {
  TempDir dir;
  SetLauncherFolder(dir.path());
  Settings s;
  ResetSettings(s);
  WriteTestFile(dir.File("mame.exe"), "");
  WriteTestFile(dir.File("ctrlr/hotrod.cfg"), "");
  WriteTestFile(dir.File("ctrlr/X.CFG"), "");
  WriteTestFile(dir.File("ctrlr/readme.txt"), "");
  WriteTestFile(dir.File("ctrlr/.cfg"), "");
  WriteTestFile(dir.File("ctrlr/" + std::string(70, 'n') + ".cfg"), "");
  WriteTestFile(dir.File("ctrlr/folder.cfg/inner"), "");
  std::vector<std::string> names = ListControllerFiles(s, 16);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"X", "hotrod"}));
  EXPECT_EQ(ListControllerFiles(s, 1).size(), 1u);
}
