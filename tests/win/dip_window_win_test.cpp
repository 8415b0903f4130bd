// The DIP Switches window with the fake MAME's recorded -listxml of sfex2:
// the lists and their current values, what OK writes into cfg\sfex2.cfg,
// Cancel, a cfg MAME saved while the window was open, and the refusals.
#include <windows.h>

#include <gtest/gtest.h>

#include "options/dip_window_ui_win.h"
#include "scratch_launcher_win.h"
#include "screenshot_win.h"
#include "ui/theme_win.h"

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
const std::string kButton =
    "            <port tag=\":IN0\" type=\"P1_BUTTON1\" mask=\"16\" defvalue=\"0\">\n"
    "                <newseq type=\"standard\">\n                    KEYCODE_Q\n                </newseq>\n"
    "            </port>\n";

std::vector<HWND> Children(HWND parent, const wchar_t* window_class) {
  std::vector<HWND> found;
  for (HWND c = FindWindowExW(parent, nullptr, window_class, nullptr); c;
       c = FindWindowExW(parent, c, window_class, nullptr))
    found.push_back(c);
  return found;
}

const GameEntry& Sfex2() {
  static GameList games = BuildGameList();
  return *FindGameBySet(games, "sfex2");
}

// Opens the window over `owner`, runs `act` on it once it shows and gives
// whether the script finished.
bool WithDipWindow(HWND owner, const GameEntry& game, const std::function<void(HWND)>& act) {
  DialogScript s;
  s.Then([&] {
    HWND win = FindModal("DIP Switches");
    if (win) act(win);
    return win != nullptr;
  });
  OpenDipSwitches(owner, game);
  return s.Finished();
}
}  // namespace

TEST(DipWindow, ShowsTheSwitchesOkWritesTheGameCfgAndCancelNothing) {
  ScratchLauncher f;
  const std::string original = Cfg(Dip(2) + kButton);
  f.Write("cfg\\sfex2.cfg", original);
  HWND owner = CreateWindowExW(0, L"STATIC", L"Game Settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  std::vector<HWND> lists;
  Texts labels;
  bool owner_enabled = true;
  ASSERT_TRUE(WithDipWindow(owner, Sfex2(), [&](HWND win) {
    owner_enabled = IsWindowEnabled(owner);
    lists = Children(win, L"COMBOBOX");
    for (HWND label : Children(win, L"STATIC")) labels.push_back(TextOf(label));
    SaveWindowScreenshot(win, "dip-switches-light");
    if (lists.size() == 4) ChooseComboEntry(lists[1], 0), ChooseComboEntry(lists[2], 1);
    Press(win, IDOK);
  }));
  EXPECT_FALSE(owner_enabled) << "modal over the Game Settings window";
  ASSERT_EQ(lists.size(), 4u);
  ASSERT_EQ(labels.size(), 5u);
  EXPECT_EQ(labels[0], Sfex2().title +
                           "\nThe DIP switches of the game as MAME keeps them (the game's own cfg file). The game must "
                           "not be running.");
  EXPECT_EQ((Texts{labels[1], labels[2]}), (Texts{"Unknown", "Service Mode"}));
  const std::string written = Cfg(kButton + Dip(4));
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), written);
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg.korvo-backup"), original);

  // Opened again (MAME is not asked twice): the lists show the file; Cancel writes nothing.
  auto listxml_calls = [&] {
    size_t n = 0;
    for (const auto& call : f.Calls()) n += !call.args.empty() && call.args[0] == "-listxml";
    return n;
  };
  const size_t asked = listxml_calls();
  ApplyTheme(true);
  Texts first_list;
  std::vector<int> shown;
  EXPECT_TRUE(WithDipWindow(owner, Sfex2(), [&](HWND win) {
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
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), written);
  EXPECT_EQ(listxml_calls(), asked);

  // MAME saved its file while the window was open: only the switch the user changed is written into it.
  EXPECT_TRUE(WithDipWindow(nullptr, Sfex2(), [&](HWND win) {
    f.Write("cfg\\sfex2.cfg", Cfg(Dip(1)));
    ChooseComboEntry(Children(win, L"COMBOBOX")[3], 1);
    Press(win, IDOK);
  }));
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), Cfg(Dip(1) + Dip(8)));
}

TEST(DipWindow, RefusalsAreSaidAndWriteNothing) {
  {
    // A cfg folder that cannot be made: said so, and the window stays for Cancel.
    ScratchLauncher blocked;
    blocked.Write("cfg", "not a folder");
    std::string box;
    HWND win = nullptr;
    DialogScript refused;
    refused
        .Then([&] {
          win = FindModal("DIP Switches");
          if (win) ChooseComboEntry(Children(win, L"COMBOBOX")[0], 1), Press(win, IDOK);
          return win != nullptr;
        })
        .Then([&] { return AnswerBox("DIP Switches", IDOK, &box); })
        .Then([&] {
          EXPECT_TRUE(IsWindowVisible(win));
          Press(win, IDCANCEL);
          return true;
        });
    OpenDipSwitches(nullptr, Sfex2());
    EXPECT_TRUE(refused.Finished());
    EXPECT_EQ(box, "The DIP switches could not be written to " + blocked.dir.File("cfg\\sfex2.cfg") +
                       " (in use, or no access?).");
    EXPECT_EQ(blocked.Read("cfg"), "not a folder");
  }
  // A game MAME does not list, or no MAME: a box instead of an empty window.
  // Names no other test asks MAME about: the answers are kept for the whole run.
  for (bool with_mame : {true, false}) {
    ScratchLauncher f(with_mame);
    GameEntry entry;
    entry.title = "Nothing";
    entry.set = with_mame ? "nosuchset" : "nomamehere";
    std::string box;
    bool window_shown = false;
    DialogScript s;
    s.Then([&] {
      if (HWND win = FindModal("DIP Switches")) return window_shown = true, Press(win, IDCANCEL), true;
      return AnswerBox("DIP Switches", IDOK, &box);
    });
    OpenDipSwitches(nullptr, entry);
    EXPECT_TRUE(s.Finished());
    EXPECT_FALSE(window_shown);
    EXPECT_EQ(box, "This game has no DIP switches, or MAME did not list them.");
    EXPECT_FALSE(f.Exists("cfg"));
  }
}
