// The argument lists the builder makes for MAME 0.251's recorded option list
// must be accepted by that MAME itself. The builder leaves out the options it
// lacks; only values that exist solely in MAME's Windows build are taken out
// here.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "base/paths.h"
#include "catalogue/mame_usage.h"
#include "launch/captured_run.h"
#include "launch/mame_asker.h"
#include "launch/mame_args.h"
#include "support/test_support.h"

namespace {
const char* const kRealMame = "/usr/games/mame";

bool WindowsOnly(const std::string& option, const std::string& value) {
  if (option == "-video") return value == "d3d" || value == "gdi";
  if (option == "-sound") return value == "dsound" || value == "xaudio2";
  if (option == "-joystickprovider") return value != "none";
  if (option == "-keyboardprovider") return value == "dinput";
  return false;
}

ArgList PortableOnly(const ArgList& args) {
  ArgList out;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i + 1 < args.size() && WindowsOnly(args[i], args[i + 1])) {
      ++i;
      continue;
    }
    out.push_back(args[i]);
  }
  return out;
}

bool CombosPlugin(std::string& folder) {
  folder = "/tmp/korvo-combos";
  return true;
}
bool DiagPlugin(std::string& folder) {
  folder = "/tmp/korvo-diag";
  return true;
}
}  // namespace

TEST(RealMame, AcceptsEveryBuiltList) {
  if (!TestFileExists(kRealMame)) GTEST_SKIP() << "no MAME installed";
  TempDir dir;
  SetLauncherFolder(dir.path());
  std::filesystem::copy_file(FakeMamePath(), dir.File("mame.exe"));  // answers with 0.251's recorded list
  LoadMameUsage(false, LocatedMameAsker(Settings{}));
  ASSERT_TRUE(CachedMameUsage(LocatedMameAsker(Settings{})).Known());
  SetWriteCombosPluginHook(CombosPlugin);
  SetWriteInputLogPluginHook(DiagPlugin);
  GameList games = BuildGameList();
  constexpr int32_t kSfex2 = 23, kTekken3 = 82;

  struct Case {
    const char* name;
    int32_t game;
    LaunchRequest request;
    std::function<void(Settings&, GameSettingsList&)> setup;
  };
  const Case cases[] = {
      {"defaults", kSfex2, {-1, 0}, [](Settings&, GameSettingsList&) {}},
      {"bgfx full screen", kTekken3, {1, 0},
       [](Settings& s, GameSettingsList& g) {
         s.video = s.logs = 1;
         s.bgfx_chain = s.audio_latency = 3;
         s.bgfx_backend = s.joystick_provider = 4;
         s.res_w = 1280, s.res_h = 720, s.rotate = 2, s.integer_scale = 2, s.prescale = 2, s.frameskip = -1;
         s.sample_rate = 44100, s.joystick_deadzone = 5, s.joystick_saturation = 100, s.controller_file = "hotrod";
         s.skip_gameinfo = s.autosave = s.cheat = s.confirm_quit = s.sound = 1;
         GameSettings& o = GetOrCreateGameSettings(g, kTekken3);
         o.volume = -8, o.keep_aspect = 0, o.wait_vsync = 1;
       }},
      {"opengl with shaders and the filter window", kSfex2, {0, 0},
       [](Settings& s, GameSettingsList&) {
         s.video = 3, s.gl_glsl = 1, s.gl_glsl_filter = 0, s.glsl_shader = "crt", s.rotate = 4;
         s.maximize = s.sync_refresh = s.mouse = s.lightgun = s.joystick_contradictory = 1;
         s.throttle = s.joystick = 0;
         s.skip_warnings = s.filter_window = 1;
         s.roms_directory = "roms; more", s.bios_directory = "bios";
         s.extra_arguments = "-speed 1.5 -nosleep";
         s.more_options = "-beam_width_min 1.2 -joystick_threshold 0.5 -background_input -priority 1 -rewind "
                          "-nodual_lightgun -full_screen_gamma 1.5";
       }},
      {"shortcut", kSfex2, {1, 1},
       [](Settings& s, GameSettingsList&) {
         s.video = 2, s.hlsl_enable = 1, s.rotate = 3, s.sound = 2, s.volume = -32;
         s.hlsl_options = "-scanline_alpha 0.4 -distortion -0.1 -defocus 0.4,0.4";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Settings settings;
    ResetSettings(settings);
    GameSettingsList overrides;
    c.setup(settings, overrides);
    ArgList args;
    BuildMameArgs(settings, overrides, games, c.game, &c.request, args);
    ArgList run = PortableOnly(args);
    for (const char* a : {"-showconfig", "-homepath", "home", "-cfg_directory", "cfg", "-nvram_directory", "nvram"})
      run.push_back(a);
    TextBuffer out;
    int32_t code = -1;
    ASSERT_EQ(RunProgramCaptured(kRealMame, dir.path(), JoinArgs(run), out, 60000, &code), kCapturedEnded);
    EXPECT_EQ(code, 0) << out.substr(0, 400);
    for (const char* complaint : {"Error", "Illegal", "unknown option", "Invalid", "invalid"})
      EXPECT_EQ(out.find(complaint), std::string::npos) << complaint << "\n" << JoinArgs(run) << "\n" << out.substr(0, 400);
    EXPECT_NE(out.find("CORE CONFIGURATION OPTIONS"), std::string::npos);
  }
  SetWriteCombosPluginHook(nullptr);
  SetWriteInputLogPluginHook(nullptr);
}
