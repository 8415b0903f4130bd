// The HLSL Settings and All MAME Options windows driven as a user would:
// edits with their refusals, presets, search, and what OK leaves for MAME's
// next command line.

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/game_list_loader.h"
#include "launch/mame_asker.h"
#include "launch/play.h"
#include "options/hlsl_window_ui_win.h"
#include "options/mame_options_window_ui_win.h"
#include "scratch_launcher_win.h"
#include "screenshot_win.h"
#include "ui/theme_win.h"

namespace {
using Row = std::vector<std::string>;
const wchar_t kEdit[] = L"Edit Value\u2026";

// Starts tekken3 with the fake MAME and gives the arguments it received.
ArgList NextCommandLine(const ScratchLauncher& f) {
  GameList games = BuildGameList();
  HANDLE ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  LaunchState state;
  uint32_t error = 0;
  ArgList args;
  if (StartPlay(state, App().settings, App().game_settings, games, *FindGameBySet(games, "tekken3"), nullptr,
                error)) {
    StartWaitThread(state, [ended] { SetEvent(ended); });
    WaitForSingleObject(ended, 10000);
    FinishPlay(state, TickMs());
    auto calls = f.Calls();
    if (!calls.empty()) args = calls.back().args;
  }
  EXPECT_EQ(error, 0u);
  CloseHandle(ended);
  return args;
}

// The arguments from `first` on, at most `count` of them; none without `first`.
ArgList ArgsFrom(const ArgList& args, const std::string& first, size_t count) {
  auto at = std::find(args.begin(), args.end(), first);
  return ArgList(at, at + static_cast<long>(std::min<size_t>(count, static_cast<size_t>(args.end() - at))));
}

HWND ListOf(HWND window) { return FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr); }

// What the launcher does at its start in the background: it lists the games
// and asks the fake MAME for its options, which answers with 0.251's list
// (or another, as fakemame-control.txt says).
void LearnMameOptions() { LoadGameListBlock(false, LocatedMameAsker()); }

// The darkest pixel (the sum of its channels) of a list cell: greyed rows
// have no black in their text.
int DarkestInCell(HWND list, int row, int column) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  WindowPixels shot(list);
  RECT cell = {}, frame;
  ListView_GetSubItemRect(list, row, column, LVIR_LABEL, &cell);
  POINT origin = {0, 0};
  ClientToScreen(list, &origin);
  GetWindowRect(list, &frame);
  int darkest = 3 * 255;
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < cell.right; ++x) {
      uint32_t c = shot.At({x + origin.x - frame.left, y + origin.y - frame.top});
      darkest = std::min<int>(darkest, static_cast<int>((c >> 16) + ((c >> 8) & 0xFF) + (c & 0xFF)));
    }
  return darkest;
}

// The script's first step: the window titled `title` has opened.
DialogScript::Step Opened(const std::string& title, HWND& win, HWND& list) {
  return [&win, &list, title] {
    win = FindModal(title);
    list = win ? ListOf(win) : nullptr;
    return list != nullptr;
  };
}
}  // namespace

TEST(HlslWindow, EditsPresetsRefusalsAndAMameWithoutHlslReachTheCommandLine) {
  ScratchLauncher f;
  App().settings.hlsl_options = "-scanline_alpha 0.4 -bogus 3";
  HWND win = nullptr, list = nullptr;
  std::string prompt, initial, box;
  DialogScript s;
  s.Then(Opened("HLSL Settings", win, list))
      .Then([&] {
        EXPECT_EQ(ListView_GetItemCount(list), 72);
        EXPECT_EQ(ListRow(list, 0), (Row{"Scanlines", "Alpha (0 = off)", "0.4", "0.0"}));
        EXPECT_EQ(ListRow(list, 71), (Row{"Other", "Oversampling", "Off", "Off"}));
        EXPECT_EQ(ComboEntries(FindWindowExW(win, nullptr, L"COMBOBOX", nullptr)).front(), "None (MAME's Defaults)");
        SaveWindowScreenshot(win, "hlsl-settings-light");
        return SelectListRow(list, 6), PressButton(win, kEdit), true;
      })
      .Then([&] { return AnswerPrompt("HLSL Option", "  0.5\t", &prompt, &initial); })
      .Then([&] {
        EXPECT_EQ(prompt + " " + initial + " " + ListRow(list, 6)[2], "Jitter (0 to 4): 0.0 0.5");
        // A preset sets what it names and gives everything else its default.
        ChooseComboEntry(FindWindowExW(win, nullptr, L"COMBOBOX", nullptr), 4);
        return PressButton(win, L"Apply Preset"), true;
      })
      .Then([&] {
        EXPECT_EQ(ListRow(list, 6)[2] + " " + ListRow(list, 0)[2], "0.0 0.55");
        return DoubleClickListRow(list, 10), true;
      })
      .Then([&] { return AnswerPrompt("HLSL Option", "4097", &prompt); })
      .Then([&] { return AnswerBox("HLSL Option", IDOK, &box); })
      .Then([&] {
        EXPECT_EQ(prompt + " " + box, "Tile Width (1 to 4096): This value is not valid for the option.");
        EXPECT_EQ(ListRow(list, 10)[2], "6");
        return DoubleClickListRow(list, 49), true;  // on/off rows switch at once
      })
      .Then([&] { return ListRow(list, 49)[2] == "On" && (Press(win, IDOK), true); })
      // Cancel keeps the text OK left.
      .Then([&] { return (win = FindModal("HLSL Settings")) && (PressButton(win, L"Reset All"), Press(win, IDCANCEL), true); });
  OpenHlslSettings(nullptr);
  OpenHlslSettings(nullptr);
  EXPECT_TRUE(s.Finished());
  const std::string stored = "-scanline_alpha 0.55 -shadow_mask_alpha 0.3 -vignetting 0.2 -bloom_scale 0.3 "
                             "-saturation 1.15 -defocus 0.4,0.4 -yiq_enable 1";
  EXPECT_EQ(App().settings.hlsl_options, stored);
  App().settings.video = 2;  // Direct3D
  App().settings.hlsl_enable = 1;
  EXPECT_EQ(ArgsFrom(NextCommandLine(f), "-hlsl_enable", 15),
            (ArgList{"-hlsl_enable", "-scanline_alpha", "0.55", "-shadow_mask_alpha", "0.3", "-vignetting", "0.2",
                     "-bloom_scale", "0.3", "-saturation", "1.15", "-defocus", "0.4,0.4", "-yiq_enable", "1"}));
  App().settings.hlsl_enable = 0;
  ArgList off = NextCommandLine(f);
  EXPECT_EQ(ArgsFrom(off, "-nohlsl_enable", 1).size() + ArgsFrom(off, "-scanline_alpha", 1).size(), 1u);

  // A MAME without HLSL (the SDL build's list): every row greyed with the
  // reason, the values kept, nothing of it on the command line.
  f.Write("fakemame-control.txt", "showusage-osd=sdl\n");
  LearnMameOptions();
  DialogScript greyed;
  greyed.Then(Opened("HLSL Settings", win, list)).Then([&] {
    EXPECT_GT(DarkestInCell(list, 0, 1), 250);
    SelectListRow(list, 0);
    box = ItemText(win, 1007);
    SaveWindowScreenshot(win, "hlsl-settings-not-in-this-mame");
    return Press(win, IDOK), true;
  });
  OpenHlslSettings(nullptr);
  EXPECT_TRUE(greyed.Finished());
  EXPECT_EQ(box, "-scanline_alpha:  Not available in this MAME, so it is not passed (the value is kept).");
  EXPECT_EQ(App().settings.hlsl_options, stored);
  App().settings.hlsl_enable = 1;
  ArgList without = NextCommandLine(f);
  EXPECT_EQ(ArgsFrom(without, "-hlsl_enable", 1).size() + ArgsFrom(without, "-scanline_alpha", 1).size(), 0u);
  EXPECT_EQ(without.front(), "tekken3");

}

TEST(MameOptionsWindow, SearchEditsRefusalsAndOptionsThisMameLacksReachTheCommandLine) {
  ScratchLauncher f;
  HWND win = nullptr, list = nullptr;
  std::string prompt, initial, box, hint;
  auto names = [&] {
    std::vector<std::string> shown;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) shown.push_back(ListRow(list, i)[1]);
    return shown;
  };
  auto search = [&](const char* text) { SetControlText(FindWindowExW(win, nullptr, L"EDIT", nullptr), text); };
  auto edit_row = [&](int row) { return SelectListRow(list, row), PressButton(win, kEdit), true; };
  DialogScript s;
  s.Then(Opened("All MAME Options", win, list))
      .Then([&] {
        EXPECT_EQ(ListView_GetItemCount(list), 48);
        EXPECT_EQ(ListRow(list, 10), (Row{"Core State/Playback", "state", "(none)", "(none)"}));
        hint = ItemText(win, 1004);
        SaveWindowScreenshot(win, "all-mame-options-light");
        search("lightgun");
        EXPECT_EQ(names(), (Row{"paddle_device", "pedal_device", "lightgun_device", "lightgunprovider", "dual_lightgun"}));
        SelectListRow(list, 2);
        EXPECT_EQ(ItemText(win, 1004),
                  "-lightgun_device:  enable (none|keyboard|mouse|lightgun|joystick) if a lightgun control is present");
        search("Core Screen");
        EXPECT_EQ(names(), (Row{"brightness", "contrast", "gamma", "effect"}));
        search("");
        EXPECT_EQ(ListView_GetItemCount(list), 48);
        return DoubleClickListRow(list, 11), true;  // rewind
      })
      .Then([&] { return ListRow(list, 11)[2] == "On" && edit_row(12); })
      .Then([&] { return AnswerPrompt("MAME Option", "2049", &prompt, &initial); })
      .Then([&] { return AnswerBox("MAME Option", IDOK, &box); })
      .Then([&] {
        EXPECT_EQ(prompt + " " + initial, "-rewind_capacity (1 to 2048; empty = MAME's default): 100");
        EXPECT_EQ(box, "This value is not valid for the option.");
        return edit_row(12);
      })
      .Then([&] { return AnswerPrompt("MAME Option", "256"); })
      .Then([&] { return edit_row(18); })
      .Then([&] { return AnswerPrompt("MAME Option", "%g shot %i"); })
      .Then([&] { return edit_row(27); })
      .Then([&] { return AnswerPrompt("MAME Option", "scan.png"); })
      .Then([&] { return ListRow(list, 27)[2] == "scan.png" && edit_row(27); })
      .Then([&] { return AnswerPrompt("MAME Option", ""); })  // empty: MAME's default again
      .Then([&] { return ListRow(list, 27)[2] == "none" && (DoubleClickListRow(list, 35), true); })
      .Then([&] { return ListRow(list, 35)[2] == "Off" && (Press(win, IDOK), true); });
  EXPECT_TRUE(OpenAllMameOptions(nullptr));
  EXPECT_TRUE(s.Finished());
  EXPECT_EQ(hint, "Double-click an option to change its value. Only values that differ from MAME's defaults are "
                  "passed to MAME.");
  EXPECT_EQ(App().settings.more_options, "-rewind -rewind_capacity 256 -snapname \"%g shot %i\" -nonvram_save");
  EXPECT_EQ(ArgsFrom(NextCommandLine(f), "-rewind", 6),
            (ArgList{"-rewind", "-rewind_capacity", "256", "-snapname", "%g shot %i", "-nonvram_save"}));

  // Once MAME 0.251 has said which options it has, joystick_threshold (a
  // newer option) is greyed with the reason; a value set for it is kept but
  // never passed, so MAME still starts.
  LearnMameOptions();
  int shade_known = 0, shade_greyed = 0;
  DialogScript greyed;
  greyed.Then(Opened("All MAME Options", win, list))
      .Then([&] {
        shade_known = DarkestInCell(list, 29, 1);
        shade_greyed = DarkestInCell(list, 30, 1);
        return edit_row(30);
      })
      .Then([&] { return AnswerPrompt("MAME Option", "0.5"); })
      .Then([&] {
        hint = ItemText(win, 1004);
        SaveWindowScreenshot(win, "all-mame-options-not-in-this-mame");
        return Press(win, IDOK), true;
      });
  EXPECT_TRUE(OpenAllMameOptions(nullptr));
  EXPECT_TRUE(greyed.Finished());
  EXPECT_LT(shade_known, 150);
  EXPECT_GT(shade_greyed, 250);
  EXPECT_EQ(hint, "-joystick_threshold:  Not available in this MAME, so it is not passed (the value is kept). "
                  "threshold for joystick to be considered active as a switch (0.0 center, 1.0 end)");
  EXPECT_NE(App().settings.more_options.find("-joystick_threshold 0.5"), std::string::npos);
  ArgList args = NextCommandLine(f);
  EXPECT_TRUE(ArgsFrom(args, "-joystick_threshold", 1).empty());
  EXPECT_EQ(ArgsFrom(args, "-rewind", 2), (ArgList{"-rewind", "-rewind_capacity"}));

  // Reset All asks first; Cancel keeps the old text.
  std::string question;
  DialogScript reset;
  reset.Then(Opened("All MAME Options", win, list))
      .Then([&] { return PressButton(win, L"Reset All"), true; })
      .Then([&] { return AnswerBox("MAME Options", IDYES, &question); })
      .Then([&] { return ListRow(list, 11)[2] == "Off" && (Press(win, IDCANCEL), true); });
  const std::string before = App().settings.more_options;
  EXPECT_FALSE(OpenAllMameOptions(nullptr));
  EXPECT_TRUE(reset.Finished());
  EXPECT_EQ(question, "Give all the options of this window their MAME defaults?");
  EXPECT_EQ(App().settings.more_options, before);
}

TEST(OptionEditorWindows, DarkLook) {
  ScratchLauncher f;
  f.Write("fakemame-control.txt", "showusage-osd=sdl\n");
  LearnMameOptions();  // a MAME without HLSL: its rows greyed
  ApplyTheme(true);
  DialogScript s;
  for (const char* title : {"HLSL Settings", "All MAME Options"}) {
    s.Then([title] {
      HWND win = FindModal(title);
      if (!win) return false;
      SelectListRow(ListOf(win), 2);
      SaveWindowScreenshot(win, std::string(title[0] == 'H' ? "hlsl-settings" : "all-mame-options") + "-dark");
      return Press(win, IDCANCEL), true;
    });
  }
  OpenHlslSettings(nullptr);
  OpenAllMameOptions(nullptr);
  ApplyTheme(false);
  EXPECT_TRUE(s.Finished());
}
