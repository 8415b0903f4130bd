// The options pages of the real main window: every control through OK into the settings, and what surrounds OK.
#include <gtest/gtest.h>

#include "controls/input_mapping.h"
#include "main_window_fixture_win.h"
#include "options/mame_options.h"
#include "options_page_driver_win.h"
#include "optionsarea/options_page_set_ui_win.h"
#include "optionsarea/options_pages_ui_win.h"

namespace {

void ClickTab(int tab) {
  ClickAt(Options().tabs, MiddleOf(TabItemRect(Options().tabs, tab)));
  PumpMessagesFor(80);
}

bool IsClass(HWND w, const wchar_t* name) {
  wchar_t found[16] = L"";
  return GetClassNameW(w, found, 16) && !lstrcmpiW(found, name);
}

void MakeFolderInTheWay(MainWindowFixture& f, const std::string& name) {
  DeleteFileW(Utf8ToUtf16(f.dir.File(name)).c_str());
  f.Write(name + "\\in-the-way", "x");  // its folder made on the way
}
}  // namespace

TEST(OptionsPagesWin, EveryControlRoundTripsAndCancelRulesDefaultsAndLayoutsFollowTheUser) {
  MainWindowFixture f("video=2\r\n");
  f.Write("ctrlr\\xarcade.cfg", "<mameconfig/>");
  ASSERT_TRUE(f.Open());
  f.Command(216);  // F9: the options window at General
  ASSERT_TRUE(OptionsWindowVisible());

  // A video mode enables only its renderer's controls, their labels with them.
  ClickPage(kGlslId);
  ChoosePage(kVideoModeId, 3);  // OpenGL
  EXPECT_EQ(PageEnabled(kHlslId) + 2 * PageLabelEnabled(kBgfxBackendId) + 4 * PageLabelEnabled(kGlslFilterId) +
                8 * PageEnabled(kGlslShaderId), 12);
  ClickPage(kFullscreenId);
  ChoosePage(kSoundId, 1);  // Off
  EXPECT_FALSE(PageEnabled(kMaximizeId) || PageEnabled(kVolumeId));
  TypePage(kExtraArgumentsId, "-edited");
  // The toolbar's Fullscreen toggle follows the box at once, and flips it, saves only that value and follows the rules.
  const bool pressed = ToolChecked(113);
  f.Command(113);
  EXPECT_TRUE(pressed && !ToolChecked(113) && !IsChecked(kFullscreenId) && PageEnabled(kMaximizeId));
  EXPECT_EQ(f.StatusText(), "Fullscreen is off (window)");
  EXPECT_EQ(LineValue(f.Read("korvo-settings.cfg"), "fullscreen") + LineValue(f.Read("korvo-settings.cfg"), "video"),
            "02") << "the other edits were not applied";
  // Cancel and the window's close button drop what was not applied.
  f.Command(110);
  EXPECT_TRUE(!OptionsWindowVisible() && PageEnabled(kVolumeId));
  EXPECT_EQ(SelectedEntry(kVideoModeId) + PageText(kExtraArgumentsId), "Direct3D");
  f.Command(117);
  ChoosePage(kVideoModeId, 4);
  SendMessageW(Options().window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(!OptionsWindowVisible() && SelectedEntry(kVideoModeId) == "Direct3D");

  const std::string before = f.Read("korvo-settings.cfg");
  const std::pair<int, const char*> flips[] = {
      {kOnlyAvailableId, "only_available=1"}, {kHideConsoleId, "hide_console=0"}, {kLogsId, "logs=1"},
      {kSkipGameInfoId, "skip_gameinfo=1"}, {kSkipWarningsId, "skip_warnings=1"}, {kAutosaveId, "autosave=1"},
      {kCheatId, "cheat=1"}, {kConfirmQuitId, "confirm_quit=1"}, {kFullscreenId, "fullscreen=1"},
      {kMaximizeId, "maximize=1"}, {kKeepAspectId, "keep_aspect=0"}, {kUnevenStretchId, "uneven_stretch=0"},
      {kBilinearId, "filter=0"}, {kWaitVsyncId, "wait_vsync=1"}, {kSyncRefreshId, "sync_refresh=1"},
      {kThrottleId, "throttle=0"}, {kArtworkCropId, "artwork_crop=1"}, {kHlslId, "hlsl_enable=1"},
      {kGlslId, "gl_glsl=1"}, {kFilterWindowId, "filter_window=1"}, {kFxaaId, "filter_fxaa=1"},
      {kJoystickId, "joystick=0"}, {kMouseId, "mouse=1"}, {kLightgunId, "lightgun=1"},
      {kContradictoryId, "joystick_contradictory=1"}, {kMappingOverridesId, "mapping_overrides_game_cfg=0"}};
  for (auto [id, line] : flips) ClickPage(id);
  const std::tuple<int, int, const char*> picks[] = {
      {kVideoModeId, 3, "video=3"}, {kResolutionId, 2, "res_w=1024\r\nres_h=768"}, {kRotationId, 2, "rotate=2"},
      {kIntegerScaleId, 3, "integer_scale=3"}, {kPrescaleId, 1, "prescale=2"}, {kFrameSkipId, 1, "frameskip=-1"},
      {kGlslFilterId, 2, "gl_glsl_filter=2"}, {kBgfxChainId, 4, "bgfx_chain=4"}, {kBgfxBackendId, 5, "bgfx_backend=5"},
      {kFilterScalerId, 3, "filter_scaler=3"}, {kDitherId, 2, "filter_dither=2"}, {kSoundId, 3, "sound=3"},
      {kSampleRateId, 3, "sample_rate=44100"}, {kAudioLatencyId, 4, "audio_latency=5"},
      {kJoystickProviderId, 2, "joystick_provider=2"}, {kAutofireSpeedId, 3, "autofire_rate=3"},
      {kOnGameStartId, 2, "on_game_start=2"}, {kControllerFileId, 1, "controller_file=xarcade"},
      {kLightgunDeviceId, 2, ""}, {kLightgunProviderId, 2, ""}};
  for (auto [id, index, line] : picks) ChoosePage(id, index);
  const std::tuple<int, const char*, const char*> typed[] = {
      {kRomsId, "roms;D:\\more", "roms_directory=roms;D:\\more"}, {kBiosId, "D:\\bios", "bios_directory=D:\\bios"},
      {kExtraArgumentsId, "-nomouse", "extra_arguments=-nomouse"}, {kGlslShaderId, "crt-geom", "glsl_shader=crt-geom"},
      {kVolumeId, "1", "volume=0"}, {kDeadzoneId, "45", "joystick_deadzone=45"},
      {kSaturationId, "90", "joystick_saturation=90"},
      {kMameProgramId, " mame.exe ", "mame_exe=mame.exe"}};  // trimmed; still the fake MAME beside the launcher
  for (auto [id, text, line] : typed) TypePage(id, text);
  ClickTab(kTabAudio);  // the volume's down arrow steps what was typed, to its lowest value
  HWND spin = GetWindow(PageControl(kVolumeId), GW_HWNDNEXT);
  ClickAt(spin, {S(4), ClientRectOf(spin).bottom - S(3)});
  PumpMessagesFor(80);
  const std::tuple<int, const char*, const char*> mame[] = {
      {kSpeedId, "speed", "1.5"}, {kSnapsizeId, "snapsize", "640x480"}, {kAviWriteId, "aviwrite", "movie.avi"},
      {kWavWriteId, "wavwrite", "a b.wav"}, {kRecordId, "record", "in.inp"}, {kPlaybackId, "playback", "play.inp"},
      {kStateId, "state", "1"}, {kBrightnessId, "brightness", "1.2"}, {kContrastId, "contrast", "0.9"},
      {kGammaId, "gamma", "1.1"}, {kAspectId, "aspect", "4:3"}, {kShadowMaskId, "bgfx_shadow_mask", "m.png"},
      {kLutId, "bgfx_lut", "l.png"}};
  for (auto [id, option, value] : mame) TypePage(id, value);
  ClickPage(kRewindId);
  // All MAME Options opened now shows what the pages hold, their drop-downs too; what OK keeps there, the pages show.
  std::string device;
  DialogScript all;
  all.Then([&] {
       HWND win = FindModal("All MAME Options");
       for (int i = 0; win && i < ListView_GetItemCount(ListIn(win)); ++i)
         if (ListRow(ListIn(win), i)[1] == "lightgun_device")
           device = ListRow(ListIn(win), i)[2], SelectListRow(ListIn(win), i), PressButton(win, L"Edit Value\u2026");
       return !device.empty();
     })
      .Then([&] { return AnswerPrompt("MAME Option", "mouse"); })
      .Then([&] { return Press(FindModal("All MAME Options"), IDOK), true; });
  f.Command(326);
  EXPECT_TRUE(all.Finished() && device == "lightgun" && SelectedEntry(kLightgunDeviceId) == "Mouse") << device;
  EXPECT_EQ(f.Read("korvo-settings.cfg"), before) << "nothing is written before OK";
  f.Command(109);
  EXPECT_EQ(f.StatusText(), "Settings saved");
  std::string saved = f.Read("korvo-settings.cfg");
  for (auto [id, line] : flips) EXPECT_TRUE(HasLine(saved, line)) << line;
  for (auto [id, index, line] : picks) EXPECT_TRUE(!*line || HasLine(saved, line)) << line;
  for (auto [id, text, line] : typed) EXPECT_TRUE(HasLine(saved, line)) << line;
  const std::string more = LineValue(saved, "more_options");
  for (auto [id, option, value] : mame) EXPECT_EQ(GetMameOption(more, option), value) << option;
  EXPECT_EQ(GetMameOption(more, "rewind") + GetMameOption(more, "lightgun_device") + GetMameOption(more, "lightgunprovider"),
            "1mouserawinput");
  // Cancel now refills from what was applied: the controls keep showing it, also a choice that All MAME Options read.
  TypePage(kSpeedId, "2");
  WhenShown("All MAME Options", [](HWND all) { return Press(all, IDCANCEL), true; }, [&] { f.Command(326); });
  f.Command(110);
  EXPECT_EQ(SelectedEntry(kResolutionId) + PageText(kVolumeId) + PageText(kWavWriteId) + "|" + PageText(kSpeedId),
            "1024 x 7680a b.wav|1.5");

  // Restore Defaults keeps the paths and the Controls tab as it shows, not as applied. No changes nothing.
  TypePage(kDeadzoneId, "20");
  Answered("Default Settings", IDNO, [&] { f.Command(108); });
  EXPECT_EQ(f.Read("korvo-settings.cfg") + SelectedEntry(kVideoModeId), saved + "OpenGL");
  Answered("Default Settings", IDYES, [&] { f.Command(108); });
  EXPECT_EQ(f.StatusText(), "Default settings restored and saved");
  saved = f.Read("korvo-settings.cfg");
  for (const char* line : {"video=0", "roms_directory=roms;D:\\more", "joystick_deadzone=20"})
    EXPECT_TRUE(HasLine(saved, line)) << line;
  EXPECT_EQ(SelectedEntry(kVideoModeId) + PageText(kGammaId), "Auto (MAME's Choice)1.0");

  // Classic Layout from the menu keeps what was typed and saves only the layout; OK keeps it.
  TypePage(kExtraArgumentsId, "-typed");
  f.Command(211);
  ASSERT_TRUE(WaitFor([] { return GetParent(Options().tabs) == Main().window; }, 3000));
  EXPECT_TRUE(PageText(kExtraArgumentsId) == "-typed" && IsChecked(kClassicLayoutId)) << "the box follows the menu";
  EXPECT_TRUE(HasLine(f.Read("korvo-settings.cfg"), "extra_arguments="));
  f.Command(109);
  EXPECT_EQ(LineValue(f.Read("korvo-settings.cfg"), "options_window") +
                LineValue(f.Read("korvo-settings.cfg"), "extra_arguments"), "0-typed");
  // The box is the setting turned round, and switches the layout back.
  ClickPage(kClassicLayoutId);
  f.Command(109);
  EXPECT_TRUE(HasLine(f.Read("korvo-settings.cfg"), "options_window=1") &&
              WaitFor([] { return GetParent(Options().tabs) != Main().window; }, 3000));
}

TEST(OptionsPagesWin, ValuesTheControlsCannotShowSemicolonFoldersAndFailedWritesAreSaid) {
  MainWindowFixture f("res_w=1000\r\nres_h=700\r\nsample_rate=11025\r\nautofire_rate=7\r\nvolume=-5\r\n"
                      "controller_file=gone\r\nmore_options=-lightgun_device paddle\r\n");
  f.Write("korvo-combos.cfg", "step_ms=40\r\ncombo1_name=Tiger Knee\r\ncombo1_seq=2,3,6+3\r\n");
  ASSERT_TRUE(f.Open());
  TypePage(kSpeedId, "fast");  // not a number MAME takes
  f.Command(109);
  const std::string saved = f.Read("korvo-settings.cfg");
  for (const char* line : {"res_w=1000", "res_h=700", "sample_rate=11025", "autofire_rate=7", "volume=-5",
                           "controller_file=gone", "more_options=-lightgun_device paddle"})
    EXPECT_TRUE(HasLine(saved, line)) << line;
  EXPECT_EQ(f.StatusText() + "|" + PageText(kSpeedId), "Settings saved; not valid for MAME, so not taken: Speed|1.0");
  // The Combos tab was never opened: OK writes its rows back as they were.
  for (const char* line : {"step_ms=40", "combo1_name=Tiger Knee", "combo1_seq=2,3,6+3"})
    EXPECT_TRUE(HasLine(f.Read("korvo-combos.cfg"), line)) << line;

  // default.cfg a folder with a file in it: the settings are still written, and the next OK tries again.
  MakeFolderInTheWay(f, "cfg\\default.cfg");
  ResetToLauncherDefaults(TheInputMapping());
  ChoosePage(kVideoModeId, 1);
  f.Command(109);
  EXPECT_EQ(f.StatusText(), "Could not write the key mapping (MAME folder: cfg\\default.cfg)");
  EXPECT_TRUE(HasLine(f.Read("korvo-settings.cfg"), "video=1") && TheInputMapping().dirty);
  std::filesystem::remove_all(Utf8ToUtf16(f.dir.File("cfg\\default.cfg")));
  SendMessageW(Options().ok, BM_CLICK, 0, 0);  // the mapping written now, and no word of a value refused earlier
  EXPECT_EQ(f.StatusText(), "Settings saved");

  // A folder whose path holds a semicolon is refused as typed: only that folder goes, with the same message.
  const std::string odd = f.dir.File("my;roms");
  ASSERT_TRUE(CreateDirectoryW(Utf8ToUtf16(odd).c_str(), nullptr));
  DialogDriver semicolons;
  // Typed key by key, the path is checked as the field is left, not on its way: "my;roms2" passes "my;roms".
  HWND roms = FindPageControl(kRomsId);
  SetFocus(roms);
  SendMessageW(roms, EM_SETSEL, 0, -1);
  for (char c : odd + "2") SendMessageW(roms, WM_CHAR, static_cast<unsigned char>(c), 0);
  SetFocus(FindPageControl(kBiosId));
  EXPECT_EQ(PageText(kRomsId) + semicolons.Titles(), odd + "2");
  TypePage(kRomsId, "roms;" + odd);
  TypePage(kBiosId, odd);
  EXPECT_EQ(PageText(kRomsId) + "|" + PageText(kBiosId), "roms|");
  const std::string why = "MAME cannot use a folder whose path holds a semicolon: " + odd +
                          "\n\nRename the folder or choose another one.";
  const std::vector<SeenBox>& boxes = semicolons.Seen();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].title + boxes[1].title + boxes[0].text + boxes[1].text, "ROMs FolderBIOS Folder" + why + why);
  {  // The folders chosen with Browse: that one refused alike, another added to the typed ones while Ctrl is held.
    const std::string more = f.dir.File("more");
    CreateDirectoryW(Utf8ToUtf16(more).c_str(), nullptr);
    std::string pick;
    DialogDriver browse([&](HWND w, const SeenBox& b) {
      return b.title == "Clear ROMs Folder" ? (Press(w, IDYES), true)
                                            : b.title.starts_with("Select ") && AnswerFileDialog(b.title, pick);
    });
    std::string fields;  // each field after its choice
    for (auto [button, path, ctrl] : {std::tuple{kRomsBrowseId, odd, false}, {kRomsBrowseId, more, true},
                                      {kRomsBrowseId, more, false}, {kBiosBrowseId, more, false},
                                      {kMameBrowseId, f.dir.File("mame.exe"), false}}) {
      pick = path;
      if (ctrl) PressKey(VK_CONTROL, true);
      ClickPage(button);
      if (ctrl) PressKey(VK_CONTROL, false);
      fields += PageText(button - 1) + "|";
    }
    EXPECT_EQ(fields, "roms|roms;" + more + "|" + more + "|" + more + "|" + f.dir.File("mame.exe") + "|");
    for (int clear : {kRomsClearId, kBiosClearId, kMameClearId}) ClickPage(clear);
    EXPECT_EQ(PageText(kRomsId) + PageText(kBiosId) + PageText(kMameProgramId) + "|" + browse.Titles(),
              "|\"Select ROMs Folder\" \"ROMs Folder\" \"Select ROMs Folder\" \"Select ROMs Folder\" \"Select BIOS Folder\" "
              "\"Select MAME Program\" \"Clear ROMs Folder\" ");
  }

  // The launcher's folder as good as read-only: the settings can never be saved.
  MakeFolderInTheWay(f, "korvo-settings.cfg");
  DialogDriver driver;
  ResetToLauncherDefaults(TheInputMapping());
  f.Command(109);
  EXPECT_EQ(f.StatusText(), "Could not save the settings: the launcher folder is not writable");
  EXPECT_NE(f.Read("cfg\\default.cfg").find("P1_JOYSTICK_UP"), std::string::npos);
  // The silent saves (a favourite, the sort, closing) fail too: said once, in a box, and the launcher goes on.
  const int32_t sfex2 = FindGameBySet(Main().games, "sfex2")->number;
  f.SelectRow(f.RowOfGame("sfex2"));
  f.Command(207);
  f.Command(443);  // Reset Filters saves the sort
  f.Close();
  ASSERT_EQ(driver.Seen().size(), 1u);
  EXPECT_EQ(driver.Seen()[0].title + "|" + driver.Seen()[0].text,
            "Settings Not Saved|Korvo cannot save its settings in " + f.dir.path() +
                ": changes made now will be lost when it closes. Move Korvo to a folder you can write to.");
  EXPECT_EQ(App().settings.favorites, IdList{sfex2});  // kept for the rest of the run
}

TEST(OptionsPagesWin, PagesScrollAccessKeysAndNamesAndTheThemeAsksForARestart) {
  ApplyTheme(false);
  MainWindowFixture f("theme_mode=1\r\n");
  ASSERT_TRUE(f.Open());
  // A short window scrolls its page by lines, the wheel and pages, no further than the end.
  f.Command(118);
  SetWindowPos(Options().window, nullptr, 0, 0, S(460), S(480), SWP_NOMOVE | SWP_NOZORDER);
  PumpMessagesFor(50);
  HWND page = Options().pages[kTabControls];
  const RECT before = RectIn(PageControl(kJoystickId), page);
  SendMessageW(page, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_TRUE(GetScrollPos(page, SB_VERT) == S(23) && before.top - RectIn(PageControl(kJoystickId), page).top == S(23))
      << GetScrollPos(page, SB_VERT) << ": the controls move with the page";
  SendMessageW(page, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(GetScrollPos(page, SB_VERT), S(23) + S(46));
  SendMessageW(page, WM_VSCROLL, SB_BOTTOM, 0);
  SendMessageW(page, WM_VSCROLL, SB_LINEDOWN, 0);
  SCROLLINFO si = {sizeof si, SIF_ALL};
  GetScrollInfo(page, SB_VERT, &si);
  EXPECT_TRUE(si.nPos > 0 && si.nPos == si.nMax - static_cast<int>(si.nPage) + 1) << si.nPos;
  SetWindowPos(Options().window, nullptr, 0, 0, S(460), S(500), SWP_NOMOVE | SWP_NOZORDER);  // taller: still at the end
  EXPECT_EQ(GetScrollPos(page, SB_VERT), si.nPos - S(20));
  ClickTab(kTabCombos);  // a page placing its own controls stays where it is shown as the window changes size
  SetWindowPos(Options().window, nullptr, 0, 0, S(470), S(470), SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(GetScrollPos(Options().pages[kTabCombos], SB_VERT), 0);
  SendMessageW(Options().pages[kTabCombos], WM_VSCROLL, SB_BOTTOM, 0);  // and its lowest rows can be reached
  EXPECT_GT(GetScrollPos(Options().pages[kTabCombos], SB_VERT), 0);
  SendMessageW(Options().pages[kTabCombos], WM_VSCROLL, SB_TOP, 0);

  // A screen reader names a button by its window text: the sign and picture buttons carry their tooltips' words.
  f.Command(216);
  SetForegroundWindow(Options().window);
  EXPECT_EQ(ControlText(PageControl(kMameClearId)) + "|" + ControlText(PageControl(kBiosClearId)),
            "Clear MAME Program|Clear BIOS Folder");
  // Each page's access keys differ from each other and the menus'; Alt and a label's key focuses its control.
  for (int tab : {kTabGeneral, kTabVideo, kTabAudio, kTabControls, kTabCombos}) {
    ClickTab(tab);
    page = Options().pages[tab];
    std::string keys = "FGOVH";
    int labels = 0;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      const std::string text = ControlText(c);
      size_t amp = text.find('&');
      while (amp + 1 < text.size() && text[amp + 1] == '&') amp = text.find('&', amp + 2);  // "&&" is an ampersand
      if (amp == std::string::npos || amp + 1 >= text.size()) continue;
      const char key = static_cast<char>(std::toupper(static_cast<unsigned char>(text[amp + 1])));
      EXPECT_EQ(keys.find(key), std::string::npos) << tab << ": " << text;
      keys += key;
      if (!IsClass(c, L"Static") || !IsWindowEnabled(c)) continue;
      SetFocus(Options().tabs);
      PressKeys({VK_MENU, WORD(key)});
      PumpUntil(nullptr, 80);  // the keys served as the launcher's message loop serves them
      ++labels;
      const RECT label = RectIn(c, page), control = RectIn(GetFocus(), page);
      EXPECT_TRUE(control.left >= label.right && control.top < label.bottom && control.bottom > label.top)
          << tab << ": " << text << " focused " << ControlText(GetFocus());
    }
    EXPECT_GT(labels, 0) << tab;
  }
  PressKeys({VK_CONTROL, VK_TAB});  // from the last page's field to the first page, and the focus with it
  PumpUntil(nullptr, 80);
  EXPECT_TRUE(TabCtrl_GetCurSel(Options().tabs) == kTabGeneral && IsChild(Options().pages[kTabGeneral], GetFocus()));
  // From the tab strip (a tab clicked), the focus stays on the strip.
  ClickTab(kTabGeneral);
  PressKeys({VK_CONTROL, VK_TAB});
  PumpUntil(nullptr, 80);
  EXPECT_TRUE(TabCtrl_GetCurSel(Options().tabs) == kTabGeneral + 1 && GetFocus() == Options().tabs);

  // The theme: a restart is asked for only when the look changes.
  ChoosePage(kThemeId, 2);
  EXPECT_EQ(Answered("Theme", IDNO, [&] { f.Command(109); }),
            "The theme changes after a restart.\n\nRestart the launcher now?");
  EXPECT_EQ(f.StatusText() + "|" + LineValue(f.Read("korvo-settings.cfg"), "theme_mode"),
            "The theme changes at the next start|2");
  DialogDriver yes(Say("Theme", IDYES));
  f.Command(225);  // View > Theme > Light: the look in use
  EXPECT_EQ(std::to_string(yes.Seen().size()) + f.StatusText() + "|" + SelectedEntry(kThemeId), "0Theme saved|Light");
  SetRestartLauncher([] { return false; });
  f.Command(226);
  EXPECT_EQ(f.StatusText(), "Could not restart: start the launcher again yourself");
  SetRestartLauncher(nullptr);  // a restart that works: the startup test's real one
}

// The groups of the shown page: the page's colour between frame and controls (that the controls inside show: every
// picture's check). Returns the groups' titles, in order.
std::string ExpectGroupsPainted(HWND top, HWND page, uint32_t face, const std::string& where) {
  WindowPixels shot(top);
  const RECT client = ClientRectOf(page);
  auto not_face = [face](uint32_t c) { return c != face; };
  auto is_group = [](HWND w) { return IsClass(w, L"Button") && (GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX; };
  std::string titles;
  for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!is_group(c) || !IsWindowVisible(c)) continue;
    const RECT g = RectIn(c, page);
    titles += (titles.empty() ? "" : " | ") + ControlText(c);
    const int top = std::max<int>(g.top + S(20), 0), bottom = std::min<int>(g.bottom - S(4), client.bottom);
    EXPECT_EQ(shot.Count(page, {g.left + S(5), top, g.left + S(5) + 1, bottom}, not_face) +
                  shot.Count(page, {g.right - 1 - S(5), top, g.right - S(5), bottom}, not_face), 0)
        << where << ": inside \"" << ControlText(c) << "\"";
  }
  return titles;
}

// The whole run repeats this test at 144 and 192 DPI (the screen's), with their screenshots.
TEST(OptionsPagesWin, GroupsShowThePageAfterEveryTabSwitchAtScreenDpi) {
  const char* names[] = {"general", "video", "audio", "controls", "combos"};
  const char* kGroups[] = {"Advanced | Capture And Speed",  // the headings a user reads on each page
                           "BGFX | Artwork | Display | BGFX Extras | Filter Window (Experimental)", "",
                           "Light Gun | Key And Button Mapping", ""};
  for (bool dark : {false, true}) {
    const Look look(dark);
    MainWindowFixture f;
    ASSERT_TRUE(f.Open(0));
    const std::string dpi = Ui().dpi == 96 ? "" : "-" + std::to_string(Ui().dpi) + "dpi";
    const uint32_t face = dark ? 0x282828u : RgbOf(GetSysColor(COLOR_BTNFACE));
    // The options window, then the classic layout: General at its first showing, then Combos, Controls.
    for (bool classic : {false, true}) {
      f.Command(classic ? 211 : 216);
      if (classic) ASSERT_TRUE(WaitFor([] { return GetParent(Options().tabs) == Main().window; }, 3000));
      PumpMessagesFor(150);
      for (int tab : {kTabGeneral, kTabCombos, kTabControls, kTabVideo, kTabAudio}) {
        if (tab != kTabGeneral || classic) ClickTab(tab);
        ASSERT_EQ(Options().current, tab);
        HWND top = classic ? Main().window : Options().window;
        const std::string where = look.name + (classic ? " classic " : " ") + names[tab] + dpi;
        EXPECT_EQ(ExpectGroupsPainted(top, Options().pages[tab], face, where), kGroups[tab]) << where;
        if (!classic) EXPECT_EQ(WindowPixels(top).In(top, S(3), S(3)), RgbOf(FaceColour())) << where << ": margin";
        if (dark && tab == kTabGeneral) {  // a glyph button's rounded body round its glyph
          HWND clear = PageControl(kMameClearId);
          EXPECT_EQ(WindowPixels(top).In(clear, S(3), ClientRectOf(clear).bottom / 2), 0x383838u) << where;
        }
        if (!classic) SaveWindowScreenshot(top, std::string("options-") + names[tab] + "-" + look.name + dpi);
        if (!classic && tab == kTabCombos && dpi.empty()) SaveWindowScreenshot(top, "combos_tab_" + look.name);
      }
    }
  }
}
