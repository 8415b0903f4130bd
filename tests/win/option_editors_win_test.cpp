// The HLSL Settings and All MAME Options windows: edits, refusals, presets, search, OK, options a MAME lacks.

#include <gtest/gtest.h>

#include "catalogue/game_list_loader.h"
#include "launch/mame_asker.h"
#include "options/hlsl_window_ui_win.h"
#include "options/mame_options_window_ui_win.h"
#include "scratch_launcher_win.h"

namespace {
// The window titled `title` opened in the dark look, a row selected, kept as a screenshot: the selected row is dark
// too, in the colour of a selection in a list without the focus.
void DarkScreenshot(const std::string& title, const std::string& name, bool (*open)(HWND)) {
  const Look dark(true);
  EXPECT_TRUE(WhenShown(title, [&](HWND win) {
    SelectListRow(ListIn(win), 2);
    UpdateWindow(ListIn(win));  // the row repainted now, screenshot (which waits) or not
    SaveWindowScreenshot(win, name + "-dark");
    const RECT row = RowRect(ListIn(win), 2, LVIR_BOUNDS);
    EXPECT_EQ(WindowPixels(win).In(ListIn(win), row.right - 2, MiddleOf(row).y), 0x464646u) << name;
    return Press(win, IDCANCEL), true;
  }, [&] { open(nullptr); }));
}

using Row = std::vector<std::string>;
const wchar_t kEdit[] = L"Edit Value\u2026";

// As at the launcher's start: the games listed and the fake MAME's options learnt (0.251's, or as it is told).
void LearnMameOptions() { LoadGameListBlock(false, LocatedMameAsker()); }

// Pixels of a list cell no lighter than mid-grey (sum of channels): greyed rows have none in their text.
int DarkInCell(HWND list, int row, int column) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const RECT cell = CellRect(list, row, column, LVIR_LABEL);
  auto dark = [](uint32_t c) { return (c >> 16) + (c >> 8 & 0xFF) + (c & 0xFF) <= 250; };
  return WindowPixels(list).Count(list, cell, dark);
}

// The script's first step: the window titled `title` has opened.
DialogScript::Step Opened(const std::string& title, HWND& win, HWND& list) {
  return [&win, &list, title] { return (list = (win = FindModal(title)) ? ListIn(win) : nullptr) != nullptr; };
}
}  // namespace

TEST(HlslWindow, EditsPresetsRefusalsAndAMameWithoutHlsl) {
  ScratchLauncher f;
  App().settings.hlsl_options = "-scanline_alpha 0.4 -bogus 3";
  HWND win = nullptr, list = nullptr;
  std::string prompt, initial, box;
  DialogScript s;
  s.Then(Opened("HLSL Settings", win, list))
      .Then([&] {
        EXPECT_EQ(ListView_GetItemCount(list), 72);
        EXPECT_EQ(ListRow(list, 0), (Row{"Scanlines", "Alpha (0 = off)", "0.4", "0.0"}));
        SaveWindowScreenshot(win, "hlsl-settings-light");
        return SelectListRow(list, 6), PressButton(win, kEdit), true;
      })
      .Then([&] { return AnswerPrompt("HLSL Option", "  0.5\t", &prompt, &initial); })
      .Then([&] {
        EXPECT_EQ(prompt + " " + initial + " " + ListRow(list, 6)[2], "Jitter (0 to 4): 0.0 0.5");
        SelectListRow(list, 0);
        return PressButton(win, L"Reset Value"), true;
      })
      .Then([&] {
        EXPECT_EQ(ListRow(list, 0)[2], "0.0");  // the alpha's default again
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
        EXPECT_EQ(prompt + " " + box + " " + ListRow(list, 10)[2],
                  "Tile Width (1 to 4096): This value is not valid for the option. 6");
        return DoubleClickListRow(list, 49), true;  // on/off rows switch at once
      })
      .Then([&] { return ListRow(list, 49)[2] == "On" && (Press(win, IDOK), true); })
      // Reset All shows every default; Cancel keeps the text OK left.
      .Then([&] { return (win = FindModal("HLSL Settings")) && (list = ListIn(win), PressButton(win, L"Reset All"), true); })
      .Then([&] { return ListRow(list, 49)[2] + ListRow(list, 0)[2] == "Off0.0" && (Press(win, IDCANCEL), true); });
  OpenHlslSettings(nullptr);
  OpenHlslSettings(nullptr);
  EXPECT_TRUE(s.Finished());
  const std::string stored = "-scanline_alpha 0.55 -shadow_mask_alpha 0.3 -vignetting 0.2 -bloom_scale 0.3 "
                             "-saturation 1.15 -defocus 0.4,0.4 -yiq_enable 1";
  EXPECT_EQ(App().settings.hlsl_options, stored);

  // A MAME without HLSL (the SDL build's list): every row greyed with the reason, the values kept.
  f.Write("fakemame-control.txt", "showusage-osd=sdl\n");
  LearnMameOptions();
  EXPECT_TRUE(WhenShown("HLSL Settings", [&](HWND greyed) {
    EXPECT_EQ(DarkInCell(ListIn(greyed), 0, 1), 0);
    SelectListRow(ListIn(greyed), 0);
    box = ItemText(greyed, 1007);
    SaveWindowScreenshot(greyed, "hlsl-settings-not-in-this-mame");
    return Press(greyed, IDOK), true;
  }, [] { OpenHlslSettings(nullptr); }));
  EXPECT_EQ(box, "-scanline_alpha:  Not available in this MAME, so it is not passed (the value is kept).");
  EXPECT_EQ(App().settings.hlsl_options, stored);
  DarkScreenshot("HLSL Settings", "hlsl-settings", [](HWND owner) { return OpenHlslSettings(owner), true; });
}

TEST(MameOptionsWindow, SearchEditsRefusalsAndOptionsThisMameLacks) {
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
        SaveWindowScreenshot(win, "all-mame-options-light");
        search("lightgun");
        EXPECT_EQ(names(), (Row{"paddle_device", "pedal_device", "lightgun_device", "lightgunprovider", "dual_lightgun"}));
        SelectListRow(list, 2);
        EXPECT_EQ(ItemText(win, 1004),
                  "-lightgun_device:  enable (none|keyboard|mouse|lightgun|joystick) if a lightgun control is present");
        search("");
        return ListView_GetItemCount(list) == 48 && (DoubleClickListRow(list, 11), true);  // rewind
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
      .Then([&] { return edit_row(27); })
      .Then([&] { return AnswerPrompt("MAME Option", "scan.png"); })
      .Then([&] { return ListRow(list, 27)[2] == "scan.png" && (PressButton(win, L"Reset Value"), true); })
      .Then([&] { return ListRow(list, 27)[2] == "none" && (DoubleClickListRow(list, 35), true); })
      .Then([&] { return ListRow(list, 35)[2] == "Off" && (Press(win, IDOK), true); });
  EXPECT_TRUE(OpenAllMameOptions(nullptr) && s.Finished());
  EXPECT_EQ(App().settings.more_options, "-rewind -rewind_capacity 256 -nonvram_save");

  // Reset All (Yes) drops the values above; MAME 0.251 lacks the newer joystick_threshold: greyed, its value kept.
  LearnMameOptions();
  int dark_known = 0, dark_greyed = 0;
  DialogScript greyed;
  greyed.Then(Opened("All MAME Options", win, list))
      .Then([&] { return PressButton(win, L"Reset All"), true; })
      .Then([&] { return AnswerBox("MAME Options", IDYES); })
      .Then([&] {
        dark_known = DarkInCell(list, 29, 1);
        dark_greyed = DarkInCell(list, 30, 1);
        return edit_row(30);
      })
      .Then([&] { return AnswerPrompt("MAME Option", "0.5"); })
      .Then([&] {
        hint = ItemText(win, 1004);
        SaveWindowScreenshot(win, "all-mame-options-not-in-this-mame");
        return Press(win, IDOK), true;
      });
  EXPECT_TRUE(OpenAllMameOptions(nullptr) && greyed.Finished());
  EXPECT_TRUE(dark_known > 0 && dark_greyed == 0) << dark_known << " " << dark_greyed;
  EXPECT_EQ(hint, "-joystick_threshold:  Not available in this MAME, so it is not passed (the value is kept). "
                  "threshold for joystick to be considered active as a switch (0.0 center, 1.0 end)");
  EXPECT_EQ(App().settings.more_options, "-joystick_threshold 0.5");
  DarkScreenshot("All MAME Options", "all-mame-options", [](HWND owner) { return OpenAllMameOptions(owner); });
}
