// The mapping list's cells: which clicks change what, and the right-click menu.
#include "controls/controls_tab.h"

#include <gtest/gtest.h>

namespace {
constexpr int kP1Up = 0, kP1Button1 = 4, kP2Button6 = 19, kP1Start = 20;

std::string Labels(const std::vector<RowMenuEntry>& entries) {
  std::string out;
  for (const RowMenuEntry& e : entries) out += (e.command == RowCommand::None ? "-" : e.label) + "|";
  return out;
}

TEST(ControlsTabCells, ClicksChangeOnlyTheAutofireCellOfAButton) {
  EXPECT_EQ(CellClickCommand(kP1Up, kAutofireColumn, false), RowCommand::None);
  EXPECT_EQ(CellClickCommand(kP1Start, kAutofireColumn, true), RowCommand::None);
  EXPECT_EQ(CellClickCommand(kP1Button1, kAutofireColumn, false), RowCommand::ToggleAutofire);
  EXPECT_EQ(CellClickCommand(kP2Button6, kAutofireColumn, true), RowCommand::ToggleAutofire);
  for (int column : {kActionColumn, kKeyboardColumn, kPadColumn})
    EXPECT_EQ(CellClickCommand(kP1Button1, column, false), RowCommand::None);
  EXPECT_EQ(CellClickCommand(kP1Up, kKeyboardColumn, true), RowCommand::SetKey);
  EXPECT_EQ(CellClickCommand(kP1Up, kPadColumn, true), RowCommand::SetPad);
  EXPECT_EQ(CellClickCommand(kP1Button1, kActionColumn, true), RowCommand::None);
}

TEST(ControlsTabCells, RightClickMenuFollowsTheColumnAndTheKind) {
  InputMapping m;
  EXPECT_EQ(Labels(RowMenuEntries(m, kP1Up, kKeyboardColumn)), "Set Key\u2026|-|Clear Key|");
  EXPECT_EQ(Labels(RowMenuEntries(m, kP1Up, kPadColumn)), "Set Pad\u2026|-|Clear Pad|");
  EXPECT_EQ(Labels(RowMenuEntries(m, kP1Start, kActionColumn)), "Set Key\u2026|Set Pad\u2026|-|Clear Key|Clear Pad|");
  auto button = RowMenuEntries(m, kP1Button1, kAutofireColumn);
  EXPECT_EQ(Labels(button), "Autofire|-|Set Key\u2026|Set Pad\u2026|-|Clear Key|Clear Pad|");
  EXPECT_FALSE(button[0].checked);
  SetAutofire(m, kP1Button1, true);
  EXPECT_TRUE(RowMenuEntries(m, kP1Button1, kKeyboardColumn)[0].checked);
}

TEST(ControlsTabCells, AutofireCellText) {
  InputMapping m;
  EXPECT_EQ(AutofireCellText(m, kP1Up), "");
  EXPECT_EQ(AutofireCellText(m, kP1Start), "");
  EXPECT_EQ(AutofireCellText(m, kP1Button1), "[ ]");
  SetAutofire(m, kP1Button1, true);
  EXPECT_EQ(AutofireCellText(m, kP1Button1), "[x]");
}
}  // namespace
