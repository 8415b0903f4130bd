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

const char kSfex2Cfg[] =
    "<?xml version=\"1.0\"?>\n"
    "<mameconfig version=\"10\">\n"
    "    <system name=\"sfex2\">\n"
    "        <input>\n"
    "            <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"2\" defvalue=\"2\" value=\"0\" />\n"
    "            <port tag=\":IN0\" type=\"P1_BUTTON1\" mask=\"16\" defvalue=\"0\">\n"
    "                <newseq type=\"standard\">\n"
    "                    KEYCODE_Q\n"
    "                </newseq>\n"
    "            </port>\n"
    "        </input>\n"
    "    </system>\n"
    "</mameconfig>\n";

std::vector<HWND> Children(HWND parent, const wchar_t* window_class) {
  std::vector<HWND> found;
  for (HWND c = FindWindowExW(parent, nullptr, window_class, nullptr); c;
       c = FindWindowExW(parent, c, window_class, nullptr))
    found.push_back(c);
  return found;
}

int Selection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

size_t ListxmlCalls(const ScratchLauncher& f) {
  size_t n = 0;
  for (const auto& call : f.Calls()) n += !call.args.empty() && call.args[0] == "-listxml";
  return n;
}

// A plain window standing in for the Game Settings window.
struct OwnerWindow {
  HWND window = CreateWindowExW(0, L"STATIC", L"Game Settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
  ~OwnerWindow() { DestroyWindow(window); }
};

const GameEntry& Sfex2() {
  static GameList games = BuildGameList();
  return *FindGameBySet(games, "sfex2");
}
}  // namespace

TEST(DipWindow, ShowsTheSwitchesAndOkWritesThemIntoTheGameCfg) {
  ScratchLauncher f;
  f.Write("cfg\\sfex2.cfg", kSfex2Cfg);
  OwnerWindow owner;
  HWND win = nullptr;
  std::vector<HWND> lists;
  Texts labels;
  bool owner_enabled = true;
  DialogScript s;
  s.Then([&] {
     win = FindModal("DIP Switches");
     if (!win) return false;
     owner_enabled = IsWindowEnabled(owner.window);
     lists = Children(win, L"COMBOBOX");
     for (HWND label : Children(win, L"STATIC")) labels.push_back(TextOf(label));
     SaveWindowScreenshot(win, "dip-switches-light");
     if (lists.size() == 4) {
       ChooseComboEntry(lists[1], 0);
       ChooseComboEntry(lists[2], 1);
     }
     Press(win, IDOK);
     return true;
   });
  OpenDipSwitches(owner.window, Sfex2());
  ASSERT_TRUE(s.Finished());
  EXPECT_FALSE(owner_enabled);  // modal over the Game Settings window
  ASSERT_EQ(lists.size(), 4u);
  ASSERT_EQ(labels.size(), 5u);
  EXPECT_EQ(labels[0], Sfex2().title +
                           "\nThe DIP switches of the game as MAME keeps them (the game's own cfg file). The game must "
                           "not be running.");
  EXPECT_EQ((Texts{labels[1], labels[2]}), (Texts{"Unknown", "Service Mode"}));

  std::string expected = kSfex2Cfg;
  const std::string old_port =
      "            <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"2\" defvalue=\"2\" value=\"0\" />\n";
  expected.erase(expected.find(old_port), old_port.size());
  expected.insert(expected.find("        </input>"),
                  "            <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"4\" defvalue=\"4\" value=\"0\" />\n");
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), expected);
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg.korvo-backup"), kSfex2Cfg);

  // Opened again (MAME is not asked twice): the lists show the file; Cancel writes nothing.
  const size_t asked = ListxmlCalls(f);
  ApplyTheme(true);
  Texts first_list;
  std::vector<int> shown;
  DialogScript again;
  again.Then([&] {
    win = FindModal("DIP Switches");
    if (!win) return false;
    lists = Children(win, L"COMBOBOX");
    first_list = ComboEntries(lists[0]);
    for (HWND list : lists) shown.push_back(Selection(list));
    SaveWindowScreenshot(win, "dip-switches-dark");
    ChooseComboEntry(lists[3], 1);
    Press(win, IDCANCEL);
    return true;
  });
  OpenDipSwitches(owner.window, Sfex2());
  ApplyTheme(false);
  EXPECT_TRUE(again.Finished());
  EXPECT_EQ(first_list, (Texts{"Off (default)", "On"}));  // a value listed twice is offered once
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 0}));
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), expected);
  EXPECT_EQ(ListxmlCalls(f), asked);
}

TEST(DipWindow, ACfgSavedWhileTheWindowWasOpenKeepsWhatTheUserLeftAlone) {
  ScratchLauncher f;
  const std::string saved_by_mame =
      "<?xml version=\"1.0\"?>\n<mameconfig version=\"10\">\n    <system name=\"sfex2\">\n        <input>\n"
      "            <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"1\" defvalue=\"1\" value=\"0\" />\n"
      "        </input>\n    </system>\n</mameconfig>\n";
  DialogScript s;
  s.Then([&] {
    HWND win = FindModal("DIP Switches");
    if (!win) return false;
    f.Write("cfg\\sfex2.cfg", saved_by_mame);  // MAME wrote its file meanwhile
    ChooseComboEntry(Children(win, L"COMBOBOX")[3], 1);
    Press(win, IDOK);
    return true;
  });
  OpenDipSwitches(nullptr, Sfex2());
  EXPECT_TRUE(s.Finished());
  std::string expected = saved_by_mame;
  expected.insert(expected.find("        </input>"),
                  "            <port tag=\":DSW\" type=\"DIPSWITCH\" mask=\"8\" defvalue=\"8\" value=\"0\" />\n");
  EXPECT_EQ(f.Read("cfg\\sfex2.cfg"), expected);

  // A cfg folder that cannot be made: said so, and the window stays for Cancel.
  ScratchLauncher blocked;
  blocked.Write("cfg", "not a folder");
  std::string box;
  DialogScript refused;
  HWND win = nullptr;
  refused
      .Then([&] {
        win = FindModal("DIP Switches");
        if (!win) return false;
        ChooseComboEntry(Children(win, L"COMBOBOX")[0], 1);
        Press(win, IDOK);
        return true;
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

TEST(DipWindow, AGameMameDoesNotListOrNoMameSaySoInsteadOfAnEmptyWindow) {
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
      if (HWND win = FindModal("DIP Switches")) {
        window_shown = true;
        Press(win, IDCANCEL);
        return true;
      }
      return AnswerBox("DIP Switches", IDOK, &box);
    });
    OpenDipSwitches(nullptr, entry);
    EXPECT_TRUE(s.Finished());
    EXPECT_FALSE(window_shown);
    EXPECT_EQ(box, "This game has no DIP switches, or MAME did not list them.");
    EXPECT_FALSE(f.Exists("cfg"));
  }
}
