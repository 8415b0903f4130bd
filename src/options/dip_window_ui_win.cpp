#include "options/dip_window_ui_win.h"

#include <string>
#include <vector>

#include "base/paths.h"
#include "options/dip_switch_rows.h"
#include "options/option_list_ui_win.h"
#include "ui/shell_win.h"

namespace {
constexpr const char* kTitle = "DIP Switches";
constexpr int kWidth = 520;
constexpr int kFirstListId = 1001;

struct DipWindow {
  ModalDialog d;
  std::string set, cfg_folder;
  std::string cfg_at_open;  // the cfg text the lists were filled from
  std::vector<DipSwitch> switches;  // the switches that got a row
  std::vector<int> opened;          // the entry each list showed on opening
  std::vector<HWND> lists;
};

std::string WriteFailedText(const DipWindow& w) {
  return "The DIP switches could not be written to " + JoinPath(w.cfg_folder, w.set + ".cfg") +
         " (in use, or no access?).";
}

bool Save(DipWindow& w) {
  std::vector<int> selected;
  for (HWND list : w.lists) {
    LRESULT at = SendMessageW(list, CB_GETCURSEL, 0, 0);
    selected.push_back(at == CB_ERR ? -1 : static_cast<int>(at));
  }
  // MAME may have saved the file while the window was open: compare, and
  // then write only what the user changed over the file as it is now.
  std::string now;
  bool changed = !ReadGameCfg(w.cfg_folder, w.set, now) || now != w.cfg_at_open;
  if (SaveDipChoices(w.cfg_folder, w.set, DipChoicesToSave(w.switches, w.opened, selected, changed))) return true;
  ShowMessageOver(w.d.window, WriteFailedText(w), kTitle, MB_OK | MB_ICONWARNING);
  return false;
}

void AddSwitchRow(DipWindow& w, size_t i, const DipSwitch& sw) {
  const int y = 30 * static_cast<int>(i);
  AddDialogControl(w.d, L"STATIC", sw.name, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 10, y + 68, 240, 20, -1);
  HWND list = AddDialogControl(w.d, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 260, y + 64, 250,
                               220, kFirstListId + static_cast<int>(i));
  for (const std::string& entry : DipListEntries(sw)) AddComboEntry(list, entry);
  const int at = static_cast<int>(DipSelectedEntry(sw, CurrentDipValue(w.cfg_at_open, sw)));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  w.lists.push_back(list);
  w.opened.push_back(at);
  w.switches.push_back(sw);
}
}  // namespace

void OpenDipSwitches(HWND owner, const GameEntry& entry) {
  // MAME takes seconds to list a set; the thread waits for it.
  HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  const MachineInfo& info = GetMachineInfo(entry.set);
  SetCursor(before);
  if (!info.listed || info.switches.empty()) {
    ShowMessageOver(owner, kNoDipSwitchesMessage, kTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  DipWindow w;
  w.set = entry.set;
  w.cfg_folder = MameCfgFolder();
  // An unreadable file shows the defaults; OK then refuses to write over it.
  ReadGameCfg(w.cfg_folder, w.set, w.cfg_at_open);

  const int height = DipWindowHeight(info.switches.size(), WorkAreaHeightUnits());
  w.d.on_ok = [&w](ModalDialog&) { return Save(w); };
  if (!CreateModalDialog(w.d, owner, kTitle, kWidth, height)) return;
  AddDialogControl(w.d, L"STATIC", DipHeaderText(entry.title), SS_LEFT | SS_NOPREFIX, 10, 8, kWidth - 20, 50, -1);
  const size_t rows = DipRowsThatFit(info.switches.size(), height);
  for (size_t i = 0; i < rows; ++i) AddSwitchRow(w, i, info.switches[i]);
  AddDialogControl(w.d, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth - 190, height - 30, 85, 24, IDOK);
  AddDialogControl(w.d, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, kWidth - 95, height - 30, 85, 24, IDCANCEL);
  RunModalDialog(w.d);
}
