// The Game Settings window in a scratch launcher folder with the fake MAME:
// what the lists show, what OK, Reset and Cancel leave in korvo-games.cfg,
// the BIOS list MAME offers and the DIP Switches button.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "app/game_settings_ui_win.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "dialog_driver_win.h"
#include "screenshot_win.h"
#include "settings/app_state.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"
#include "win_test_support.h"

namespace {
// The window's control ids (rows count up from 1001 in their order).
constexpr int kVideoMode = 1001, kWindow = 1002, kResolution = 1003, kRotation = 1004, kSound = 1009,
              kVolume = 1010, kCheats = 1011, kAutoSave = 1013, kBios = 1030, kExtra = 1031, kDip = 1032,
              kReset = 1033, kTabs = 1034;

const char kHeader[] =
    "; Korvo per-game settings (written by korvo; a missing line means: same as the main settings)\r\n";

using DipCallback = std::function<void(HWND, const GameEntry&)>;

struct GameSettingsFolder {
  WinTempDir dir;
  GameList games = BuildGameList();
  GameSettingsFolder() {
    static bool ready = [] {
      INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
      InitUiMetrics(GetModuleHandleW(nullptr));
      return InitCommonControlsEx(&icc) && RegisterModalDialogClass(GetModuleHandleW(nullptr));
    }();
    EXPECT_TRUE(ready);
    SetLauncherFolder(dir.path());
    ResetSettings(App().settings);
    App().display_modes = {{640, 480}, {1280, 720}, {1920, 1080}};
    App().game_settings.clear();
    EXPECT_TRUE(CopyInto(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", dir.File("mame.exe")));
  }
  std::string CfgPath() const { return dir.File("korvo-games.cfg"); }
  void WriteCfg(const std::string& body) {
    std::ofstream(Utf8ToUtf16(CfgPath()).c_str(), std::ios::binary) << kHeader << body;
    LoadGameSettings(App().game_settings, CfgPath());
  }
  std::string ReadCfg() const {
    std::ifstream in(Utf8ToUtf16(CfgPath()).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  const GameEntry& Game(const char* set) const { return *FindGameBySet(games, set); }
};

// `script` runs from the driver's timer inside the window's own message loop;
// the driver then closes the window as Cancel unless the script ended it.
// Message boxes are answered with OK and collected in `boxes`.
bool Edit(const GameEntry& entry, const std::function<void(HWND)>& script, const DipCallback& dip = {},
          std::vector<SeenBox>* boxes = nullptr) {
  bool opened = false;
  DialogDriver driver([&](HWND window, const SeenBox& box) {
    wchar_t name[32] = L"";
    GetClassNameW(window, name, 32);
    if (lstrcmpW(name, L"KorvoModal") != 0) {
      if (boxes) boxes->push_back(box);
    } else if (box.title == kGameSettingsTitle) {
      opened = true;
      script(window);
    }
    return false;
  });
  bool accepted = EditGameSettings(nullptr, entry, dip);
  EXPECT_TRUE(opened);
  return accepted;
}

// The rows sit on a page inside the window, so look through all descendants.
HWND Control(HWND dialog, int id) {
  std::pair<int, HWND> search = {id, nullptr};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) {
        auto* s = reinterpret_cast<std::pair<int, HWND>*>(data);
        if (GetDlgCtrlID(child) == s->first) s->second = child;
        return s->second ? FALSE : TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::vector<std::string> Items(HWND dialog, int id) {
  HWND list = Control(dialog, id);
  std::vector<std::string> items;
  for (int i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
    wchar_t text[256] = L"";
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(Utf16ToUtf8(text));
  }
  return items;
}

int Selected(HWND dialog, int id) { return static_cast<int>(SendMessageW(Control(dialog, id), CB_GETCURSEL, 0, 0)); }
void Choose(HWND dialog, int id, int position) { SendMessageW(Control(dialog, id), CB_SETCURSEL, position, 0); }
bool Shown(HWND dialog, int id) { return IsWindowVisible(Control(dialog, id)) != FALSE; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(Control(dialog, id)) != FALSE; }
void Press(HWND dialog, int id) { SendMessageW(Control(dialog, id), BM_CLICK, 0, 0); }

// As a click on the tab does: select it and tell the window.
void ShowTab(HWND dialog, int tab) {
  HWND tabs = Control(dialog, kTabs);
  TabCtrl_SetCurSel(tabs, tab);
  NMHDR header = {tabs, static_cast<UINT_PTR>(kTabs), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(dialog, WM_NOTIFY, kTabs, reinterpret_cast<LPARAM>(&header));
}
}  // namespace

TEST(GameSettingsWin, ShowsTheStoredChoicesAndOkWritesTheChanges) {
  GameSettingsFolder f;
  f.WriteCfg("\r\n[game 1]\r\nvideo=2\r\nsize=1280x720\r\nrotate=3\r\nvolume=-8\r\nbios=e\r\n"
             "extra_arguments=-nothrottle\r\n\r\n[game 37]\r\ncheat=1\r\n");
  const GameEntry& ts2 = f.Game("ts2");
  EXPECT_TRUE(Edit(ts2, [&](HWND d) {
    EXPECT_EQ(ControlText(GetWindow(d, GW_CHILD)), ts2.title + "\n\"Same As Global\" follows the main settings.");
    EXPECT_EQ(Items(d, kVideoMode), (std::vector<std::string>{"Same As Global", "Auto (MAME's Choice)", "BGFX",
                                                               "Direct3D", "OpenGL", "GDI (software)"}));
    EXPECT_EQ(Items(d, kResolution),
              (std::vector<std::string>{"Same As Global", "640 x 480", "1280 x 720", "1920 x 1080"}));
    EXPECT_EQ(Items(d, kBios), (std::vector<std::string>{"Game Default", "j: japan", "e: english (debug)"}));
    EXPECT_EQ(std::vector<int>({Selected(d, kVideoMode), Selected(d, kWindow), Selected(d, kResolution),
                                Selected(d, kRotation), Selected(d, kVolume), Selected(d, kBios)}),
              std::vector<int>({3, 0, 2, 4, 3, 2}));
    EXPECT_TRUE(Enabled(d, kBios));
    EXPECT_FALSE(Enabled(d, kDip));  // no DIP window to open
    EXPECT_EQ(ControlText(Control(d, kExtra)), "-nothrottle");

    // Each tab shows its own rows; the Other tab's field and button only there.
    EXPECT_TRUE(Shown(d, kVideoMode));
    EXPECT_FALSE(Shown(d, kSound) || Shown(d, kExtra) || Shown(d, kDip));
    ShowTab(d, 3);
    EXPECT_FALSE(Shown(d, kVideoMode));
    EXPECT_TRUE(Shown(d, kBios) && Shown(d, kExtra) && Shown(d, kDip));

    Choose(d, kWindow, 2);    // Fullscreen
    Choose(d, kRotation, 0);  // Same As Global
    Choose(d, kSound, 2);     // Off
    Choose(d, kBios, 1);
    SetControlText(Control(d, kExtra), "  -speed 2 ");
    Press(d, IDOK);
  }));
  EXPECT_EQ(f.ReadCfg(), std::string(kHeader) +
                             "\r\n[game 1]\r\nvideo=2\r\nfullscreen=1\r\nsize=1280x720\r\nsound=0\r\nvolume=-8\r\n"
                             "bios=j\r\nextra_arguments=-speed 2\r\n\r\n[game 37]\r\ncheat=1\r\n");
  ASSERT_NE(FindGameSettings(App().game_settings, 1), nullptr);
  EXPECT_EQ(FindGameSettings(App().game_settings, 1)->fullscreen, 1);
}

TEST(GameSettingsWin, CancelWritesNothingResetRemovesTheSection) {
  GameSettingsFolder f;
  // A rewrite would drop the comment, so the bytes tell whether it was written.
  f.WriteCfg("# kept as written\r\n[game 1]\r\nvideo=2\r\n\r\n[game 23]\r\ncheat=1\r\n");
  std::string before = f.ReadCfg();
  EXPECT_FALSE(Edit(f.Game("ts2"), [](HWND d) {
    Choose(d, kVideoMode, 5);
    Press(d, IDCANCEL);
  }));
  EXPECT_EQ(f.ReadCfg(), before);
  EXPECT_EQ(FindGameSettings(App().game_settings, 1)->video, 2);

  EXPECT_TRUE(Edit(f.Game("ts2"), [](HWND d) { Press(d, kReset); }));
  EXPECT_EQ(f.ReadCfg(), std::string(kHeader) + "\r\n[game 23]\r\ncheat=1\r\n");
  EXPECT_EQ(FindGameSettings(App().game_settings, 1), nullptr);

  // Setting the last game's choices back to Same As Global deletes the file.
  EXPECT_TRUE(Edit(f.Game("sfex2"), [](HWND d) {
    Choose(d, kCheats, 0);
    Press(d, IDOK);
  }));
  EXPECT_EQ(GetFileAttributesW(Utf8ToUtf16(f.CfgPath()).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(App().game_settings.empty());
}

TEST(GameSettingsWin, AFailedSaveIsReportedAndTheChoiceStaysForTheRun) {
  GameSettingsFolder f;
  CreateDirectoryW(Utf8ToUtf16(f.CfgPath()).c_str(), nullptr);  // nothing can be written there
  std::vector<SeenBox> boxes;
  auto cheats_on = [](HWND d) {
    Choose(d, kCheats, 1);
    Press(d, IDOK);
  };
  EXPECT_TRUE(Edit(f.Game("ts2"), cheats_on, {}, &boxes));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("could not be written"), std::string::npos) << boxes[0].text;
  EXPECT_EQ(FindGameSettings(App().game_settings, 1)->cheat, 1);
}

TEST(GameSettingsWin, WithoutBiosSetsTheListOffersOnlyGameDefault) {
  GameSettingsFolder f;
  // MAME lists sfex2 without BIOS sets; an OK for another field keeps the stored name.
  f.WriteCfg("\r\n[game 23]\r\nbios=asia\r\n");
  auto only_default = [](HWND d) {
    EXPECT_EQ(Items(d, kBios), std::vector<std::string>{"Game Default"});
    EXPECT_FALSE(Enabled(d, kBios));
    Choose(d, kAutoSave, 1);
    Press(d, IDOK);
  };
  EXPECT_TRUE(Edit(f.Game("sfex2"), only_default));
  EXPECT_EQ(f.ReadCfg(), std::string(kHeader) + "\r\n[game 23]\r\nautosave=1\r\nbios=asia\r\n");
  // No MAME to ask at all.
  DeleteFileW(Utf8ToUtf16(f.dir.File("mame.exe")).c_str());
  EXPECT_TRUE(Edit(f.Game("sfex2u"), only_default));
}

TEST(GameSettingsWin, DipSwitchesButtonOpensOverTheWindow) {
  GameSettingsFolder f;
  HWND owner_seen = nullptr, dialog_seen = nullptr;
  int32_t game_seen = 0;
  auto dip = [&](HWND owner, const GameEntry& entry) {
    owner_seen = owner;
    game_seen = entry.number;
  };
  auto click = [&](HWND d) {
    dialog_seen = d;
    ShowTab(d, 3);
    Press(d, kDip);
  };
  EXPECT_FALSE(Edit(f.Game("ts2"), click, dip));
  EXPECT_TRUE(owner_seen && owner_seen == dialog_seen);
  EXPECT_EQ(game_seen, 1);
}

namespace {
// What a person sees of a tab's page: outside its visible controls only the
// face of the look, nothing of the tab shown before.
void ExpectOnlyTheFaceAroundTheControls(HWND dialog, const std::string& where) {
  HWND page = FindWindowExW(dialog, nullptr, L"KorvoGameSettingsPage", nullptr);
  ASSERT_NE(page, nullptr);
  std::vector<RECT> controls;
  for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    if (IsWindowVisible(c)) controls.push_back(r);
  }
  WindowPixels shot(dialog);
  RECT client, frame;
  GetClientRect(page, &client);
  GetWindowRect(dialog, &frame);
  const uint32_t face = RgbOf(IsDarkTheme() ? FaceColour() : GetSysColor(COLOR_BTNFACE));
  int stray = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) {
      POINT p = {x, y};
      bool covered = false;
      for (const RECT& r : controls) covered |= PtInRect(&r, p) != FALSE;
      ClientToScreen(page, &p);
      stray += !covered && shot.At({p.x - frame.left, p.y - frame.top}) != face;
    }
  EXPECT_EQ(stray, 0) << where;
}
}  // namespace

// The whole run repeats this test with the screen at 144 and 192 DPI.
TEST(GameSettingsWin, TabsShowTheirControlsOnTheFaceAndScreenshotsAtScreenDpi) {
  GameSettingsFolder f;
  InitUiMetrics(GetModuleHandleW(nullptr));  // the screen's DPI and font
  f.WriteCfg("\r\n[game 269]\r\nvideo=1\r\nsize=1920x1080\r\nvolume=-12\r\nbios=dsem2\r\n"
             "extra_arguments=-nvram_directory nvram2\r\n");
  static const char* const kTabNames[] = {"general", "video", "audio", "other"};
  const std::string dpi = Ui().dpi == 96 ? "" : "_" + std::to_string(Ui().dpi) + "dpi";
  for (bool dark : {false, true}) {
    ApplyTheme(dark);
    auto shoot = [dark, &dpi](HWND d) {
      for (int tab : {3, 0, 1, 2, 3}) {
        ShowTab(d, tab);
        PumpMessagesFor(100);
        ExpectOnlyTheFaceAroundTheControls(d, std::string(kTabNames[tab]) + (dark ? " dark" : " light"));
        SaveWindowScreenshot(d, std::string("game_settings_") + kTabNames[tab] + (dark ? "_dark" : "_light") + dpi);
      }
    };
    Edit(f.Game("strgchmp"), shoot, [](HWND, const GameEntry&) {});
  }
  ApplyTheme(false);
  // The longest title wraps onto a second line above the note.
  Edit(f.Game("ddr2mc2"), [&dpi](HWND d) { SaveWindowScreenshot(d, "game_settings_long_title_light" + dpi); });
}
