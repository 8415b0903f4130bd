// The Game Settings window: the lists, what OK, Reset and Cancel leave in korvo-games.cfg, BIOS sets, the tabs.

#include <gtest/gtest.h>

#include "app/game_settings_ui_win.h"
#include "scratch_launcher_win.h"

namespace {
// The window's control ids (rows count up from 1001 in their order).
constexpr int kVideoMode = 1001, kWindow = 1002, kResolution = 1003, kRotation = 1004, kSound = 1009,
              kVolume = 1010, kCheats = 1011, kAutoSave = 1013, kBios = 1030, kExtra = 1031, kDip = 1032,
              kReset = 1033, kTabs = 1034;
using Texts = std::vector<std::string>;

const std::string kHeader =
    "; Korvo per-game settings (written by korvo; a missing line means: same as the main settings)\r\n";

struct GameSettingsFolder : ScratchLauncher {
  GameList games = BuildGameList();
  GameSettingsFolder() {
    InitUiMetrics(GetModuleHandleW(nullptr));  // the screen's DPI and font
    App().display_modes = {{640, 480}, {1280, 720}, {1920, 1080}};
  }
  std::string CfgPath() const { return dir.File("korvo-games.cfg"); }
  void WriteCfg(const std::string& body) {
    WriteFileAtomic(CfgPath(), kHeader + body);
    LoadGameSettings(App().game_settings, CfgPath());
  }
  std::string ReadCfg() const { return Read("korvo-games.cfg"); }
  const GameEntry& Game(const char* set) const { return *FindGameBySet(games, set); }
};

// `script` runs in the window's loop, then Cancel closes it; boxes get OK, kept in `boxes` (none may show without).
bool Edit(const GameEntry& entry, const std::function<void(HWND)>& script,
          const std::function<void(HWND, const GameEntry&)>& dip = {}, std::vector<SeenBox>* boxes = nullptr) {
  bool opened = false;
  std::vector<SeenBox> unexpected;
  DialogDriver driver([&](HWND window, const SeenBox& box) {
    if (box.box) (boxes ? boxes : &unexpected)->push_back(box);
    if (!box.box && box.title == kGameSettingsTitle) opened = true, script(window);
    return false;
  });
  bool accepted = EditGameSettings(nullptr, entry, dip);
  EXPECT_TRUE(opened && unexpected.empty()) << (unexpected.empty() ? "" : unexpected[0].text);
  return accepted;
}

// The rows sit on a page inside the window.
HWND Control(HWND dialog, int id) {
  HWND on_page = GetDlgItem(FindWindowExW(dialog, nullptr, L"KorvoGameSettingsPage", nullptr), id);
  return on_page ? on_page : GetDlgItem(dialog, id);
}

int Selected(HWND dialog, int id) { return static_cast<int>(SendMessageW(Control(dialog, id), CB_GETCURSEL, 0, 0)); }
void Choose(HWND dialog, int id, int position) { SendMessageW(Control(dialog, id), CB_SETCURSEL, position, 0); }
void Click(HWND dialog, int id) {  // a button that is missing, hidden or greyed cannot be clicked
  EXPECT_TRUE(IsWindowVisible(Control(dialog, id)) && IsWindowEnabled(Control(dialog, id))) << id;
  SendMessageW(Control(dialog, id), BM_CLICK, 0, 0);
}

// As a click on the tab does: select it and tell the window.
void ShowTab(HWND dialog, int tab) {
  HWND tabs = Control(dialog, kTabs);
  TabCtrl_SetCurSel(tabs, tab);
  NMHDR header = {tabs, static_cast<UINT_PTR>(kTabs), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(dialog, WM_NOTIFY, kTabs, reinterpret_cast<LPARAM>(&header));
}
}  // namespace

TEST(GameSettingsWin, ListsOkCancelResetBiosAndAFailedSave) {
  GameSettingsFolder f;
  f.WriteCfg("\r\n[game 1]\r\nvideo=2\r\nsize=1280x720\r\nrotate=3\r\nvolume=-8\r\nbios=e\r\n"
             "extra_arguments=-nothrottle\r\n\r\n[game 37]\r\ncheat=1\r\n");
  const GameEntry& ts2 = f.Game("ts2");
  EXPECT_TRUE(Edit(ts2, [&](HWND d) {
    EXPECT_EQ(ControlText(GetWindow(d, GW_CHILD)), ts2.title + "\n\"Same As Global\" follows the main settings.");
    EXPECT_EQ(ComboEntries(Control(d, kResolution)), (Texts{"Same As Global", "640 x 480", "1280 x 720", "1920 x 1080"}));
    EXPECT_EQ(ComboEntries(Control(d, kBios)), (Texts{"Game Default", "j: japan", "e: english (debug)"}));
    EXPECT_EQ(std::vector<int>({Selected(d, kVideoMode), Selected(d, kWindow), Selected(d, kResolution),
                                Selected(d, kRotation), Selected(d, kVolume), Selected(d, kBios)}),
              std::vector<int>({3, 0, 2, 4, 3, 2}));
    EXPECT_TRUE(IsWindowEnabled(Control(d, kBios)) && !IsWindowEnabled(Control(d, kDip))) << "no DIP window to open";
    EXPECT_EQ(ControlText(Control(d, kExtra)), "-nothrottle");
    Choose(d, kWindow, 2);    // Fullscreen
    Choose(d, kRotation, 0);  // Same As Global
    Choose(d, kSound, 2);     // Off
    Choose(d, kBios, 1);
    SetControlText(Control(d, kExtra), "  -speed 2 ");
    Click(d, IDOK);
  }));
  EXPECT_EQ(f.ReadCfg(), kHeader + "\r\n[game 1]\r\nvideo=2\r\nfullscreen=1\r\nsize=1280x720\r\nsound=0\r\n"
                                   "volume=-8\r\nbios=j\r\nextra_arguments=-speed 2\r\n\r\n[game 37]\r\ncheat=1\r\n");

  // Cancel writes nothing (a rewrite would drop the comment); Reset removes the game's section.
  f.WriteCfg("# kept as written\r\n[game 1]\r\nvideo=2\r\n\r\n[game 23]\r\ncheat=1\r\n");
  const std::string before = f.ReadCfg();
  EXPECT_FALSE(Edit(ts2, [](HWND d) { Choose(d, kVideoMode, 5), Click(d, IDCANCEL); }));
  EXPECT_EQ(f.ReadCfg() + std::to_string(FindGameSettings(App().game_settings, 1)->video), before + "2");
  EXPECT_TRUE(Edit(ts2, [](HWND d) { Click(d, kReset); }));
  EXPECT_TRUE(f.ReadCfg() == kHeader + "\r\n[game 23]\r\ncheat=1\r\n" && !FindGameSettings(App().game_settings, 1));

  // MAME lists no BIOS sets for sfex2: only Game Default. The last game back to Same As Global deletes the file.
  EXPECT_TRUE(Edit(f.Game("sfex2"), [](HWND d) {
    EXPECT_TRUE(ComboEntries(Control(d, kBios)) == Texts{"Game Default"} && !IsWindowEnabled(Control(d, kBios)));
    Choose(d, kCheats, 0), Click(d, IDOK);
  }));
  EXPECT_TRUE(!FileExists(f.CfgPath()) && App().game_settings.empty());

  // Nothing can be written: said once, and the choice stays for the run.
  DeleteFileW(Utf8ToUtf16(f.CfgPath()).c_str());
  CreateDirectoryW(Utf8ToUtf16(f.CfgPath()).c_str(), nullptr);
  std::vector<SeenBox> boxes;
  EXPECT_TRUE(Edit(ts2, [](HWND d) { Choose(d, kCheats, 1), Click(d, IDOK); }, {}, &boxes));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("could not be written"), std::string::npos) << boxes[0].text;
  EXPECT_EQ(FindGameSettings(App().game_settings, 1)->cheat, 1);
}

// Repeated at 144 and 192 DPI. Each tab's page shows, outside its controls, only the face: nothing of the last tab.
TEST(GameSettingsWin, TabsShowTheirControlsOnTheFaceAndScreenshotsAtScreenDpi) {
  GameSettingsFolder f;
  f.WriteCfg("\r\n[game 269]\r\nvideo=1\r\nsize=1920x1080\r\nvolume=-12\r\nbios=dsem2\r\n"
             "extra_arguments=-nvram_directory nvram2\r\n");
  const char* const names[] = {"general", "video", "audio", "other"};
  const std::string dpi = Ui().dpi == 96 ? "" : "_" + std::to_string(Ui().dpi) + "dpi";
  const std::vector<int> rows[] = {{kVideoMode, kWindow, kResolution, kRotation}, {1005, 1006, 1007, 1008},
                                   {kSound, kVolume}, {kCheats, 1012, kAutoSave, kBios, kExtra, kDip}};
  for (bool dark : {false, true}) {
    const Look look(dark);
    Edit(f.Game("strgchmp"), [&](HWND d) {
      for (int tab : {3, 0, 1, 2, 3}) {
        SCOPED_TRACE(names[tab] + (" " + look.name));
        ShowTab(d, tab);
        PumpMessagesFor(100);
        for (int other = 0; other < 4; ++other)
          for (int id : rows[other]) EXPECT_EQ(IsWindowVisible(Control(d, id)) != FALSE, other == tab) << id;
        HWND page = FindWindowExW(d, nullptr, L"KorvoGameSettingsPage", nullptr);
        std::vector<RECT> controls;
        for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
          if (IsWindowVisible(c)) controls.push_back(RectIn(c, page));
        WindowPixels shot(d);
        const RECT client = ClientRectOf(page);
        const uint32_t face = RgbOf(dark ? FaceColour() : GetSysColor(COLOR_BTNFACE));
        int stray = 0;
        for (int y = 0; y < client.bottom; ++y)
          for (int x = 0; x < client.right; ++x) {
            bool covered = false;
            for (const RECT& r : controls) covered |= PtInRect(&r, {x, y}) != FALSE;
            stray += !covered && shot.In(page, x, y) != face;
          }
        EXPECT_EQ(stray, 0);
        SaveWindowScreenshot(d, std::string("game_settings_") + names[tab] + "_" + look.name + dpi);
      }
    }, [](HWND, const GameEntry&) {});
  }
  // The longest title wraps above the note, whole: the screenshot's layout check fails a label whose text is cut.
  Edit(f.Game("ddr2mc2"), [&](HWND d) { SaveWindowScreenshot(d, "game_settings_long_title_light" + dpi); });
}
