// The options pages of the real main window under Wine: every control
// round-trips through OK into korvo-settings.cfg, the enabling rules,
// Restore Defaults, Cancel, values the controls cannot show, the failure
// texts, the theme change, scrolling and the tabs.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "app/main_window_proc_ui_win.h"
#include "app/options_area_ui_win.h"
#include "app/options_page_set_ui_win.h"
#include "app/options_pages_ui_win.h"
#include "combos/combos_tab_ui_win.h"
#include "combos/sequence_pad.h"
#include "controls/input_mapping.h"
#include "dialog_driver_win.h"
#include "main_window_fixture_win.h"
#include "options/mame_options.h"
#include "options_page_driver_win.h"
#include "screenshot_win.h"
#include "settings/app_state.h"
#include "synthetic_key_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
DialogDriver::Answer Say(const std::string& title, int button) {
  return [title, button](HWND w, const SeenBox& box) {
    if (box.title != title) return false;
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return true;
  };
}

bool closed_by_restart = false;
bool RestartWorks() { return closed_by_restart = true; }
bool RestartFails() { return false; }
}  // namespace

TEST(OptionsPagesWin, EveryControlRoundTripsThroughOk) {
  MainWindowFixture f;
  CreateDirectoryW(Utf8ToUtf16(f.dir.File("ctrlr")).c_str(), nullptr);
  f.WriteText("ctrlr\\xarcade.cfg", "<mameconfig/>");
  ASSERT_TRUE(f.Open());
  const std::string before = f.ReadText("korvo-settings.cfg");

  struct Flip {
    int id;
    const char* line;
  };
  const Flip flips[] = {
      {kOnlyAvailableId, "only_available=1"}, {kHideConsoleId, "hide_console=0"}, {kLogsId, "logs=1"},
      {kSkipGameInfoId, "skip_gameinfo=1"},   {kSkipWarningsId, "skip_warnings=1"}, {kAutosaveId, "autosave=1"},
      {kCheatId, "cheat=1"},                   {kConfirmQuitId, "confirm_quit=1"},  {kFullscreenId, "fullscreen=1"},
      {kMaximizeId, "maximize=1"},             {kKeepAspectId, "keep_aspect=0"},    {kUnevenStretchId, "uneven_stretch=0"},
      {kBilinearId, "filter=0"},               {kWaitVsyncId, "wait_vsync=1"},      {kSyncRefreshId, "sync_refresh=1"},
      {kThrottleId, "throttle=0"},             {kArtworkCropId, "artwork_crop=1"},  {kHlslId, "hlsl_enable=1"},
      {kGlslId, "gl_glsl=1"},                  {kFilterWindowId, "filter_window=1"}, {kFxaaId, "filter_fxaa=1"},
      {kJoystickId, "joystick=0"},             {kMouseId, "mouse=1"},               {kLightgunId, "lightgun=1"},
      {kContradictoryId, "joystick_contradictory=1"}, {kMappingOverridesId, "mapping_overrides_game_cfg=0"},
  };
  for (const Flip& c : flips) ClickPage(c.id);
  struct Pick {
    int id, index;
    std::vector<const char*> lines;
  };
  const Pick picks[] = {
      {kVideoModeId, 3, {"video=3"}},          {kResolutionId, 2, {"res_w=1024", "res_h=768"}},
      {kRotationId, 2, {"rotate=2"}},          {kIntegerScaleId, 3, {"integer_scale=3"}},
      {kPrescaleId, 1, {"prescale=2"}},        {kFrameSkipId, 1, {"frameskip=-1"}},
      {kGlslFilterId, 2, {"gl_glsl_filter=2"}}, {kBgfxChainId, 4, {"bgfx_chain=4"}},
      {kBgfxBackendId, 5, {"bgfx_backend=5"}}, {kFilterScalerId, 3, {"filter_scaler=3"}},
      {kDitherId, 2, {"filter_dither=2"}},     {kSoundId, 3, {"sound=3"}},
      {kSampleRateId, 3, {"sample_rate=44100"}}, {kAudioLatencyId, 4, {"audio_latency=5"}},
      {kJoystickProviderId, 2, {"joystick_provider=2"}}, {kAutofireSpeedId, 3, {"autofire_rate=3"}},
      {kOnGameStartId, 2, {"on_game_start=2"}}, {kControllerFileId, 1, {"controller_file=xarcade"}},
  };
  for (const Pick& p : picks) ChoosePage(p.id, p.index);
  struct Typed {
    int id;
    const char* text;
    const char* line;
  };
  const Typed typed[] = {
      {kRomsId, "roms;D:\\more", "roms_directory=roms;D:\\more"},
      {kBiosId, "D:\\bios", "bios_directory=D:\\bios"},
      {kExtraArgumentsId, "-nomouse", "extra_arguments=-nomouse"},
      {kGlslShaderId, "crt-geom", "glsl_shader=crt-geom"},
      {kVolumeId, "12", "volume=-12"},
      {kDeadzoneId, "45", "joystick_deadzone=45"},
      {kSaturationId, "90", "joystick_saturation=90"},
  };
  for (const Typed& t : typed) TypePage(t.id, t.text);
  TypePage(kMameProgramId, " mame.exe ");  // trimmed; still the fake MAME beside the launcher
  struct MameField {
    int id;
    const char* option;
    const char* value;
  };
  const MameField mame[] = {
      {kSpeedId, "speed", "1.5"},           {kSnapsizeId, "snapsize", "640x480"}, {kAviWriteId, "aviwrite", "movie.avi"},
      {kWavWriteId, "wavwrite", "a b.wav"}, {kRecordId, "record", "in.inp"},      {kPlaybackId, "playback", "play.inp"},
      {kStateId, "state", "1"},             {kBrightnessId, "brightness", "1.2"}, {kContrastId, "contrast", "0.9"},
      {kGammaId, "gamma", "1.1"},           {kAspectId, "aspect", "4:3"},         {kShadowMaskId, "bgfx_shadow_mask", "m.png"},
      {kLutId, "bgfx_lut", "l.png"},
  };
  for (const MameField& m : mame) TypePage(m.id, m.value);
  ClickPage(kRewindId);
  ChoosePage(kLightgunDeviceId, 2);
  ChoosePage(kLightgunProviderId, 2);
  EXPECT_EQ(f.ReadText("korvo-settings.cfg"), before) << "nothing is written before OK";

  f.Command(109);
  EXPECT_EQ(f.StatusText(), "Settings saved");
  const std::string saved = f.ReadText("korvo-settings.cfg");
  for (const Flip& c : flips) EXPECT_TRUE(HasLine(saved, c.line)) << c.line;
  for (const Pick& p : picks)
    for (const char* line : p.lines) EXPECT_TRUE(HasLine(saved, line)) << line;
  for (const Typed& t : typed) EXPECT_TRUE(HasLine(saved, t.line)) << t.line;
  EXPECT_TRUE(HasLine(saved, "mame_exe=mame.exe"));
  const std::string more = LineValue(saved, "more_options");
  for (const MameField& m : mame) EXPECT_EQ(GetMameOption(more, m.option), m.value) << m.option;
  EXPECT_EQ(GetMameOption(more, "rewind"), "1");
  EXPECT_EQ(GetMameOption(more, "lightgun_device"), "lightgun");
  EXPECT_EQ(GetMameOption(more, "lightgunprovider"), "rawinput");

  // Cancel now refills from what was applied: the controls keep showing it.
  f.Command(110);
  EXPECT_EQ(SelectedEntry(kVideoModeId), "OpenGL");
  EXPECT_EQ(SelectedEntry(kResolutionId), "1024 x 768");
  EXPECT_EQ(PageText(kVolumeId), "12");
  EXPECT_EQ(PageText(kWavWriteId), "a b.wav");

  // Classic Layout is `options_window` turned round, and switches the layout.
  ClickPage(kClassicLayoutId);
  f.Command(109);
  EXPECT_TRUE(HasLine(f.ReadText("korvo-settings.cfg"), "options_window=0"));
  EXPECT_TRUE(f.WaitFor([] { return GetParent(Options().tabs) == Main().window; }, 3000));
}

TEST(OptionsPagesWin, EnablingRulesFollowTheirInputs) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  ClickPage(kHlslId);
  ClickPage(kGlslId);
  struct Row {
    int video;
    bool hlsl, glsl, bgfx;
  };
  for (Row r : {Row{0, false, false, true}, Row{1, false, false, true}, Row{2, true, false, false},
                Row{3, false, true, false}, Row{4, false, false, false}}) {
    SCOPED_TRACE(r.video);
    ChoosePage(kVideoModeId, r.video);
    EXPECT_EQ(PageEnabled(kHlslId), r.hlsl);
    EXPECT_EQ(PageEnabled(kHlslSettingsId), r.hlsl);
    EXPECT_EQ(PageEnabled(kGlslId), r.glsl);
    EXPECT_EQ(PageEnabled(kGlslFilterId), r.glsl);
    EXPECT_EQ(PageLabelEnabled(kGlslFilterId), r.glsl);
    EXPECT_EQ(PageEnabled(kGlslShaderId), r.glsl);
    EXPECT_EQ(PageEnabled(kBgfxChainId), r.bgfx);
    EXPECT_EQ(PageLabelEnabled(kBgfxBackendId), r.bgfx);
  }
  ChoosePage(kVideoModeId, 2);
  ClickPage(kHlslId);  // off again
  EXPECT_TRUE(PageEnabled(kHlslId));
  EXPECT_FALSE(PageEnabled(kHlslSettingsId));

  EXPECT_TRUE(PageEnabled(kMaximizeId));
  ClickPage(kFullscreenId);
  EXPECT_FALSE(PageEnabled(kMaximizeId));
  EXPECT_FALSE(PageEnabled(kFilterScalerId));
  ClickPage(kFilterWindowId);
  for (int id : {kFilterScalerId, kFxaaId, kDitherId}) EXPECT_TRUE(PageEnabled(id)) << id;
  ClickPage(kJoystickId);
  for (int id : {kJoystickProviderId, kContradictoryId, kDeadzoneId, kSaturationId}) EXPECT_FALSE(PageEnabled(id)) << id;
  EXPECT_FALSE(PageLabelEnabled(kDeadzoneId));
  ChoosePage(kSoundId, 1);  // Off
  for (int id : {kSampleRateId, kVolumeId, kAudioLatencyId}) EXPECT_FALSE(PageEnabled(id)) << id;
  ChoosePage(kSoundId, 0);
  EXPECT_TRUE(PageEnabled(kVolumeId));

  // The toolbar's Fullscreen toggle flips the box, saves only that value and follows the rules.
  f.Command(113);
  EXPECT_FALSE(IsChecked(kFullscreenId));
  EXPECT_TRUE(PageEnabled(kMaximizeId));
  EXPECT_EQ(f.StatusText(), "Fullscreen is off (window)");
  const std::string saved = f.ReadText("korvo-settings.cfg");
  EXPECT_TRUE(HasLine(saved, "fullscreen=0"));
  EXPECT_TRUE(HasLine(saved, "video=0")) << "the other edits were not applied";
}

TEST(OptionsPagesWin, RestoreDefaultsKeepsPathsControlsAndLightGun) {
  MainWindowFixture f("roms_directory=roms\r\nvideo=2\r\nvolume=-10\r\nskip_gameinfo=1\r\nextra_arguments=-x\r\n"
                      "joystick_deadzone=10\r\nautofire_rate=3\r\ntheme_mode=1\r\n"
                      "more_options=-gamma 1.2 -lightgun_device mouse\r\n");
  ASSERT_TRUE(f.Open());
  TypePage(kDeadzoneId, "20");  // typed, not applied: the Controls tab is kept as it shows
  DialogDriver driver(Say("Default Settings", IDYES));
  f.Command(108);
  ASSERT_TRUE(driver.SawTitle("Default Settings"));
  EXPECT_EQ(driver.Seen()[0].text.rfind("Restore the Video, Audio and General options", 0), 0u);
  EXPECT_EQ(f.StatusText(), "Default settings restored and saved");
  const std::string saved = f.ReadText("korvo-settings.cfg");
  for (const char* line : {"video=0", "volume=0", "skip_gameinfo=0", "extra_arguments=", "roms_directory=roms",
                           "joystick_deadzone=20", "autofire_rate=3", "theme_mode=1",
                           "more_options=-lightgun_device mouse"})
    EXPECT_TRUE(HasLine(saved, line)) << line;
  EXPECT_EQ(SelectedEntry(kVideoModeId), "Auto (MAME's Choice)");
  EXPECT_EQ(PageText(kGammaId), "1.0");

  // No: nothing changes.
  DialogDriver no(Say("Default Settings", IDNO));
  ChoosePage(kVideoModeId, 4);
  f.Command(108);
  EXPECT_EQ(SelectedEntry(kVideoModeId), "GDI (software)");
  EXPECT_EQ(f.ReadText("korvo-settings.cfg"), saved);
}

TEST(OptionsPagesWin, CancelClosingAndQuittingDropUnappliedEdits) {
  MainWindowFixture f("video=2\r\n");
  ASSERT_TRUE(f.Open());
  f.Command(216);  // F9: the options window at General
  ASSERT_TRUE(OptionsWindowVisible());
  ChoosePage(kVideoModeId, 4);
  TypePage(kExtraArgumentsId, "-edited");
  f.Command(110);
  EXPECT_FALSE(OptionsWindowVisible());
  EXPECT_EQ(SelectedEntry(kVideoModeId), "Direct3D");
  EXPECT_EQ(PageText(kExtraArgumentsId), "");

  f.Command(117);
  ChoosePage(kVideoModeId, 4);
  SendMessageW(Options().window, WM_CLOSE, 0, 0);  // the window's close button is Cancel
  EXPECT_FALSE(OptionsWindowVisible());
  EXPECT_EQ(SelectedEntry(kVideoModeId), "Direct3D");

  ChoosePage(kVideoModeId, 3);
  f.Close();
  EXPECT_TRUE(HasLine(f.ReadText("korvo-settings.cfg"), "video=2"));
}

TEST(OptionsPagesWin, ValuesTheControlsCannotShowAreKept) {
  MainWindowFixture f("res_w=1000\r\nres_h=700\r\nsample_rate=11025\r\nautofire_rate=7\r\nvolume=-5\r\n"
                      "controller_file=gone\r\nmore_options=-lightgun_device paddle\r\n");
  ASSERT_TRUE(f.Open());
  EXPECT_EQ(SelectedEntry(kResolutionId), "1000 x 700");
  EXPECT_EQ(SelectedEntry(kSampleRateId), "11025 Hz");
  EXPECT_EQ(SelectedEntry(kControllerFileId), "gone");
  EXPECT_EQ(SelectedEntry(kLightgunDeviceId), "paddle");
  EXPECT_EQ(PageText(kVolumeId), "5");
  TypePage(kSpeedId, "fast");  // not a number MAME takes
  f.Command(109);
  const std::string saved = f.ReadText("korvo-settings.cfg");
  for (const char* line : {"res_w=1000", "res_h=700", "sample_rate=11025", "autofire_rate=7", "volume=-5",
                           "controller_file=gone", "more_options=-lightgun_device paddle"})
    EXPECT_TRUE(HasLine(saved, line)) << line;
  EXPECT_EQ(f.StatusText(), "Settings saved; not valid for MAME, so not taken: Speed");
  EXPECT_EQ(PageText(kSpeedId), "1.0");
}

TEST(OptionsPagesWin, EachFailedWriteIsReportedAndTheOtherFileStillWritten) {
  {
    MainWindowFixture f;
    ASSERT_TRUE(f.Open());
    // default.cfg is a folder with a file in it: it can be neither read nor replaced.
    CreateDirectoryW(Utf8ToUtf16(f.dir.File("cfg")).c_str(), nullptr);
    DeleteFileW(Utf8ToUtf16(f.dir.File("cfg\\default.cfg")).c_str());
    CreateDirectoryW(Utf8ToUtf16(f.dir.File("cfg\\default.cfg")).c_str(), nullptr);
    f.WriteText("cfg\\default.cfg\\in-the-way", "x");
    ResetToLauncherDefaults(TheInputMapping());
    ChoosePage(kVideoModeId, 1);
    f.Command(109);
    EXPECT_EQ(f.StatusText(), "Could not write the key mapping (MAME folder: cfg\\default.cfg)");
    EXPECT_TRUE(HasLine(f.ReadText("korvo-settings.cfg"), "video=1"));
    EXPECT_TRUE(TheInputMapping().dirty) << "the next OK tries again";
  }
  {
    MainWindowFixture f;
    ASSERT_TRUE(f.Open());
    DeleteFileW(Utf8ToUtf16(f.dir.File("korvo-settings.cfg")).c_str());
    CreateDirectoryW(Utf8ToUtf16(f.dir.File("korvo-settings.cfg")).c_str(), nullptr);
    f.WriteText("korvo-settings.cfg\\in-the-way", "x");
    ResetToLauncherDefaults(TheInputMapping());
    f.Command(109);
    EXPECT_EQ(f.StatusText(), "Could not save the settings: the launcher folder is not writable");
    EXPECT_NE(f.ReadText("cfg\\default.cfg").find("P1_JOYSTICK_UP"), std::string::npos);
  }
}

TEST(OptionsPagesWin, ThemeChangeAsksForARestartOnlyWhenTheLookChanges) {
  ApplyTheme(false);
  MainWindowFixture f("theme_mode=1\r\n");
  ASSERT_TRUE(f.Open());
  {
    DialogDriver driver(Say("Theme", IDNO));
    ChoosePage(kThemeId, 2);
    f.Command(109);
    ASSERT_TRUE(driver.SawTitle("Theme"));
    EXPECT_EQ(driver.Seen()[0].text, "The theme changes after a restart.\n\nRestart the launcher now?");
    EXPECT_EQ(f.StatusText(), "The theme changes at the next start");
    EXPECT_TRUE(HasLine(f.ReadText("korvo-settings.cfg"), "theme_mode=2"));
  }
  {
    DialogDriver driver;
    f.Command(225);  // View > Theme > Light: the look in use
    EXPECT_TRUE(driver.Seen().empty());
    EXPECT_EQ(f.StatusText(), "Theme saved");
    EXPECT_EQ(SelectedEntry(kThemeId), "Light");
  }
  {
    DialogDriver driver(Say("Theme", IDYES));
    SetRestartLauncher(RestartFails);
    f.Command(226);
    EXPECT_EQ(f.StatusText(), "Could not restart: start the launcher again yourself");
    f.Command(225);
    SetRestartLauncher(RestartWorks);
    f.Command(226);
    SetRestartLauncher(nullptr);
    EXPECT_TRUE(closed_by_restart);
    EXPECT_TRUE(f.WaitFor([] { return !IsWindow(Main().window); }, 3000)) << "the launcher closes for the restart";
  }
}

TEST(OptionsPagesWin, PagesScrollByLinesWheelAndPages) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  f.Command(118);
  SetWindowPos(Options().window, nullptr, 0, 0, S(460), S(480), SWP_NOMOVE | SWP_NOZORDER);
  PumpMessagesFor(50);
  HWND page = Options().pages[kTabControls];
  HWND probe = PageControl(kJoystickId);
  RECT before, after;
  GetWindowRect(probe, &before);
  SendMessageW(page, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(GetScrollPos(page, SB_VERT), S(23));
  GetWindowRect(probe, &after);
  EXPECT_EQ(before.top - after.top, S(23)) << "the controls move with the page";
  SendMessageW(page, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(GetScrollPos(page, SB_VERT), S(23) + S(46));
  SendMessageW(page, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);  // forward scrolls up
  EXPECT_EQ(GetScrollPos(page, SB_VERT), S(23));
  SendMessageW(page, WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(GetScrollPos(page, SB_VERT), 0);
  SendMessageW(page, WM_VSCROLL, SB_BOTTOM, 0);
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(page, SB_VERT, &si);
  EXPECT_GT(si.nPos, 0);
  EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage) + 1);
  SendMessageW(page, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(GetScrollPos(page, SB_VERT), si.nPos) << "no further than the end";
  // A taller window needs less scrolling: the position stays within the range.
  SetWindowPos(Options().window, nullptr, 0, 0, S(560), S(1000), SWP_NOMOVE | SWP_NOZORDER);
  PumpMessagesFor(50);
  GetScrollInfo(page, SB_VERT, &si);
  EXPECT_LE(si.nPos, std::max(0, si.nMax - static_cast<int>(si.nPage) + 1));
}

TEST(OptionsPagesWin, TabsAndLayoutsKeepWhatWasTyped) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  const std::pair<int, int> tabs[] = {{216, kTabGeneral}, {116, kTabGeneral}, {117, kTabVideo}, {115, kTabAudio},
                                      {209, kTabAudio},   {118, kTabControls}, {119, kTabCombos}};
  for (auto [command, tab] : tabs) {
    f.Command(command);
    EXPECT_EQ(Options().current, tab) << command;
    EXPECT_TRUE(IsWindowVisible(Options().pages[tab])) << command;
  }
  TypePage(kExtraArgumentsId, "-typed");
  f.Command(117);
  f.Command(216);
  f.Command(211);  // Classic Layout from the menu
  ASSERT_TRUE(f.WaitFor([] { return GetParent(Options().tabs) == Main().window; }, 3000));
  EXPECT_EQ(PageText(kExtraArgumentsId), "-typed");
  EXPECT_TRUE(IsChecked(kClassicLayoutId)) << "the box follows the menu";
  EXPECT_TRUE(HasLine(f.ReadText("korvo-settings.cfg"), "extra_arguments="));
  f.Command(109);  // OK keeps the layout the menu chose
  EXPECT_TRUE(HasLine(f.ReadText("korvo-settings.cfg"), "options_window=0"));
  EXPECT_TRUE(HasLine(f.ReadText("korvo-settings.cfg"), "extra_arguments=-typed"));
}

namespace {
bool IsGroupBox(HWND w) {
  wchar_t name[16] = L"";
  GetClassNameW(w, name, 16);
  return lstrcmpiW(name, L"Button") == 0 && (GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

RECT RectIn(HWND child, HWND parent) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// What a person sees of the groups on the shown page: the insides between
// the frame and the controls are the page's colour, the controls inside
// show (the box's own painting does not cover them).
void ExpectGroupsPainted(HWND top, HWND page, uint32_t face, const std::string& where) {
  WindowPixels shot(top);
  RECT frame, client;
  GetWindowRect(top, &frame);
  GetClientRect(page, &client);
  auto at = [&](int x, int y) {
    POINT p = {x, y};
    ClientToScreen(page, &p);
    return shot.At({p.x - frame.left, p.y - frame.top});
  };
  std::vector<RECT> groups;
  for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsGroupBox(c) || !IsWindowVisible(c)) continue;
    RECT g = RectIn(c, page);
    groups.push_back(g);
    int stale = 0;
    for (int x : {g.left + S(5), g.right - 1 - S(5)})
      for (int y = std::max<int>(g.top + S(20), 0); y < std::min<int>(g.bottom - S(4), client.bottom); ++y)
        stale += at(x, y) != face;
    EXPECT_EQ(stale, 0) << where << ": inside \"" << ControlText(c) << "\"";
  }
  for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r = RectIn(c, page), in;
    if (IsGroupBox(c) || !IsWindowVisible(c) || r.bottom > client.bottom) continue;
    bool inside = false;
    for (const RECT& g : groups) inside |= IntersectRect(&in, &g, &r) && EqualRect(&in, &r);
    int shown = 0;
    for (int y = r.top; inside && y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) shown += at(x, y) != face;
    EXPECT_TRUE(!inside || shown > 0) << where << ": \"" << ControlText(c) << "\" is covered";
  }
}

void ClickTab(int tab) {
  RECT r;
  TabCtrl_GetItemRect(Options().tabs, tab, &r);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(Options().tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(Options().tabs, WM_LBUTTONUP, 0, at);
  PumpMessagesFor(150);
}
}  // namespace

// The whole run repeats this test at 144 and 192 DPI (the screen's), where
// it also keeps the screenshots.
TEST(OptionsPagesWin, GroupsShowThePageAfterEveryTabSwitchAtScreenDpi) {
  for (bool dark : {false, true}) {
    ApplyTheme(dark);
    for (bool classic : {false, true}) {
      MainWindowFixture f(classic ? "options_window=0\r\n" : "");
      ASSERT_TRUE(f.Open(0));
      if (!classic) f.Command(216);
      PumpMessagesFor(150);
      const std::string look = dark ? "dark" : "light";
      const std::string dpi = Ui().dpi == 96 ? "" : "-" + std::to_string(Ui().dpi) + "dpi";
      const uint32_t face = dark ? 0x282828u : RgbOf(GetSysColor(COLOR_BTNFACE));
      const char* names[] = {"general", "video", "audio", "controls", "combos"};
      // General at its first showing, then the review's path: Combos, Controls.
      for (int tab : {kTabGeneral, kTabCombos, kTabControls, kTabVideo, kTabAudio}) {
        if (tab != kTabGeneral) ClickTab(tab);
        ASSERT_EQ(Options().current, tab);
        HWND top = classic ? Main().window : Options().window;
        const std::string where = look + (classic ? " classic " : " ") + names[tab] + dpi;
        ExpectGroupsPainted(top, Options().pages[tab], face, where);
        if (!classic) SaveWindowScreenshot(top, std::string("options-") + names[tab] + "-" + look + dpi);
      }
    }
  }
  ApplyTheme(false);
}

namespace {
std::string TooltipOf(HWND tips, HWND control) {
  wchar_t text[120] = L"";
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 120, reinterpret_cast<LPARAM>(&tool));
  return Utf16ToUtf8(text);
}

// The key a label or button carries ('\0' for none).
char AccessKeyOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '&') {
      if (text[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
      ++i;
    }
  return '\0';
}

// Keys through the system's input queue, served as the launcher's message loop serves them.
void PressAltAnd(char key) {
  PressKey(VK_MENU, true);
  PressKey(static_cast<WORD>(key), true);
  PressKey(static_cast<WORD>(key), false);
  PressKey(VK_MENU, false);
  const DWORD end = GetTickCount() + 100;
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (PreTranslateMainMessage(msg) || LauncherDialogMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (static_cast<LONG>(GetTickCount() - end) < 0);
}
}  // namespace

TEST(OptionsPagesWin, AltAndALabelsKeyFocusesItsControlAndIconButtonsHaveNames) {
  MainWindowFixture f;
  ASSERT_TRUE(f.Open());
  // A screen reader names a button by its window text: the toolbar's icons
  // and the pages' sign and picture buttons carry their tooltips' words.
  int named = 0;
  for (HWND tool : Main().tools) {
    if (!GetPropW(tool, L"tbico")) continue;
    EXPECT_EQ(ControlText(tool), TooltipOf(Main().tooltips, tool));
    named += !ControlText(tool).empty();
  }
  EXPECT_EQ(named, 11);
  EXPECT_EQ(ControlText(PageControl(kMameClearId)), "Clear MAME Program");
  EXPECT_EQ(ControlText(PageControl(kBiosClearId)), "Clear BIOS Folder");
  for (size_t i = 0; i < SequencePadButtons().size(); ++i)
    EXPECT_EQ(ControlText(GetDlgItem(Options().pages[kTabCombos], kIdComboPadFirst + static_cast<int>(i))),
              SequencePadButtons()[i].tooltip);

  f.Command(216);
  SetForegroundWindow(Options().window);
  EXPECT_EQ(ControlText(GetWindow(PageControl(kMameProgramId), GW_HWNDPREV)), "&MAME Program");
  for (int tab : {kTabGeneral, kTabVideo, kTabAudio, kTabControls, kTabCombos}) {
    ClickTab(tab);
    HWND page = Options().pages[tab];
    std::string keys;
    int labels = 0;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      const char key = AccessKeyOf(ControlText(c));
      if (!key) continue;
      EXPECT_EQ(keys.find(key), std::string::npos) << tab << ": " << ControlText(c);
      EXPECT_EQ(std::string("FGOVH").find(key), std::string::npos) << "a menu's key: " << ControlText(c);
      keys += key;
      wchar_t name[16] = L"";
      GetClassNameW(c, name, 16);
      if (lstrcmpiW(name, L"Static") || !IsWindowEnabled(c)) continue;
      // The label's key focuses the control beside it, in its row.
      SetFocus(Options().tabs);
      PressAltAnd(key);
      ++labels;
      const RECT label = RectIn(c, page), control = RectIn(GetFocus(), page);
      EXPECT_TRUE(control.left >= label.right && control.top < label.bottom && control.bottom > label.top)
          << tab << ": " << ControlText(c) << " focused " << ControlText(GetFocus());
    }
    EXPECT_GT(labels, 0) << tab;
  }
}
