// The DIP Switches window on sfex2's recorded -listxml: the lists, what OK writes into cfg\sfex2.cfg, Cancel.

#include <gtest/gtest.h>

#include "options/dip_window_ui_win.h"
#include "scratch_launcher_win.h"

namespace {
using Texts = std::vector<std::string>;

std::string Cfg(const std::string& ports) {
  return "<?xml version=\"1.0\"?>\n<mameconfig version=\"10\">\n    <system name=\"sfex2\">\n        <input>\n" +
         ports + "        </input>\n    </system>\n</mameconfig>\n";
}
std::string Dip(int mask) {
  const std::string m = std::to_string(mask);
  return "            <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"" + m + "\" defvalue=\"" + m + "\" value=\"0\" />\n";
}

std::vector<HWND> Children(HWND parent, const wchar_t* window_class) {
  std::vector<HWND> found;
  for (HWND c = FindWindowExW(parent, nullptr, window_class, nullptr); c; c = FindWindowExW(parent, c, window_class, nullptr))
    found.push_back(c);
  return found;
}

bool WithDipWindow(HWND owner, const GameEntry& game, const std::function<void(HWND)>& act) {
  return WhenShown("DIP Switches", [&](HWND win) { return act(win), true; }, [&] { OpenDipSwitches(owner, game); });
}
}  // namespace

TEST(DipWindow, ShowsTheSwitchesOkWritesTheGameCfgCancelNothing) {
  ScratchLauncher f;
  GameList games = BuildGameList();
  const GameEntry& sfex2 = *FindGameBySet(games, "sfex2");
  const std::string button =
      "            <port tag=\":IN0\" type=\"P1_BUTTON1\" mask=\"16\" defvalue=\"0\">\n"
      "                <newseq type=\"standard\">\n                    KEYCODE_Q\n                </newseq>\n"
      "            </port>\n";
  f.Write("cfg\\sfex2.cfg", Cfg(Dip(2) + button));
  HWND owner = CreateWindowExW(0, L"STATIC", L"Game Settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  std::vector<HWND> lists;
  Texts labels;
  bool owner_enabled = true;
  ASSERT_TRUE(WithDipWindow(owner, sfex2, [&](HWND win) {
    owner_enabled = IsWindowEnabled(owner);
    lists = Children(win, L"COMBOBOX");
    for (HWND label : Children(win, L"STATIC")) labels.push_back(ControlText(label));
    SaveWindowScreenshot(win, "dip-switches-light");
    if (lists.size() == 4) ChooseComboEntry(lists[1], 0), ChooseComboEntry(lists[2], 1);
    Press(win, IDOK);
  }));
  EXPECT_FALSE(owner_enabled) << "modal over the Game Settings window";
  ASSERT_TRUE(lists.size() == 4 && labels.size() == 5);
  EXPECT_EQ(labels[0].rfind(sfex2.title + "\n", 0), 0u) << labels[0];  // then the note: DipHeaderText, natively
  EXPECT_EQ((Texts{labels[1], labels[2]}), (Texts{"Unknown", "Service Mode"}));
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), Cfg(button + Dip(4)));
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg.korvo-backup"), Cfg(Dip(2) + button));

  // Opened again (MAME is not asked twice): the lists show the file; Cancel writes nothing.
  const size_t asked = f.CallsWith("-listxml");
  ApplyTheme(true);
  Texts first_list;
  std::vector<int> shown;
  EXPECT_TRUE(WithDipWindow(owner, sfex2, [&](HWND win) {
    lists = Children(win, L"COMBOBOX");
    first_list = ComboEntries(lists[0]);
    for (HWND list : lists) shown.push_back(static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)));
    SaveWindowScreenshot(win, "dip-switches-dark");
    ChooseComboEntry(lists[3], 1);
    Press(win, IDCANCEL);
  }));
  ApplyTheme(false);
  DestroyWindow(owner);
  EXPECT_EQ(first_list, (Texts{"Off (default)", "On"}));  // a value listed twice is offered once
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 0}));
  EXPECT_TRUE(f.Read("cfg\\sfex2.cfg") == Cfg(button + Dip(4)) && f.CallsWith("-listxml") == asked);

  // MAME saved its file while the window was open: only the switch the user changed is written into it.
  EXPECT_TRUE(WithDipWindow(nullptr, sfex2, [&](HWND win) {
    f.Write("cfg\\sfex2.cfg", Cfg(Dip(1)));
    ChooseComboEntry(Children(win, L"COMBOBOX")[3], 1);
    Press(win, IDOK);
  }));
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), Cfg(Dip(1) + Dip(8)));

  // A game MAME does not list: a box instead of an empty window, and no cfg.
  GameEntry unknown;
  unknown.set = "nosuchset";
  std::string box;
  DialogScript s;
  s.Then([&] { return AnswerBox("DIP Switches", IDOK, &box) || (FindModal("DIP Switches") && (Press(FindModal("DIP Switches"), IDCANCEL), true)); });
  OpenDipSwitches(nullptr, unknown);
  EXPECT_TRUE(box == "This game has no DIP switches, or MAME did not list them." && !f.Exists("cfg\\nosuchset.cfg")) << box;
}
