// The mapping list's cells: which clicks change what, and the right-click menu.
#include "controls/controls_tab.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(ControlsTabCells, ClicksMenuAndAutofireCellFollowTheColumnAndTheKind) {
  constexpr int kP1Up = 0, kP1Button1 = 4, kP2Button6 = 19, kP1Start = 20;
  // Clicks change only the autofire cell of a button; double clicks on the key and pad cells set them.
  for (auto [action, column, twice, command] : std::initializer_list<std::tuple<int, int, bool, RowCommand>>{
           {kP1Up, kAutofireColumn, false, RowCommand::None}, {kP1Start, kAutofireColumn, true, RowCommand::None},
           {kP1Button1, kAutofireColumn, false, RowCommand::ToggleAutofire},
           {kP2Button6, kAutofireColumn, true, RowCommand::ToggleAutofire}, {kP1Button1, kActionColumn, false, RowCommand::None},
           {kP1Button1, kKeyboardColumn, false, RowCommand::None}, {kP1Button1, kPadColumn, false, RowCommand::None},
           {kP1Up, kKeyboardColumn, true, RowCommand::SetKey}, {kP1Up, kPadColumn, true, RowCommand::SetPad},
           {kP1Button1, kActionColumn, true, RowCommand::None}})
    EXPECT_EQ(CellClickCommand(action, column, twice), command) << action << " " << column << " " << twice;

  InputMapping m;
  auto labels = [&](int action, int column) {
    std::string out;
    for (const RowMenuEntry& e : RowMenuEntries(m, action, column))
      out += (e.command == RowCommand::None ? "-" : e.label) + (e.checked ? "*|" : "|");
    return out;
  };
  EXPECT_EQ(labels(kP1Up, kKeyboardColumn), "Set Key\u2026|-|Clear Key|");
  EXPECT_EQ(labels(kP1Up, kPadColumn), "Set Pad\u2026|-|Clear Pad|");
  EXPECT_EQ(labels(kP1Start, kActionColumn), "Set Key\u2026|Set Pad\u2026|-|Clear Key|Clear Pad|");
  EXPECT_EQ(labels(kP1Button1, kAutofireColumn), "Autofire|-|Set Key\u2026|Set Pad\u2026|-|Clear Key|Clear Pad|");
  EXPECT_EQ(AutofireCellText(m, kP1Up) + AutofireCellText(m, kP1Start) + AutofireCellText(m, kP1Button1), "[ ]");
  SetAutofire(m, kP1Button1, true);
  EXPECT_EQ(labels(kP1Button1, kKeyboardColumn), "Autofire*|-|Set Key\u2026|-|Clear Key|");
  EXPECT_EQ(AutofireCellText(m, kP1Button1), "[x]");
}
