// The real main window in a scratch launcher folder: the fake MAME beside it,
// a ROMs folder of made-up zips, the settings of the folder loaded.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_window_proc_ui_win.h"
#include "app/main_window_ui_win.h"
#include "scratch_launcher_win.h"

// A file among the recordings of MAME 0.251 (tests/fixtures/mame0251).
std::string FixturePath(const std::string& relative);

struct MainWindowFixture : ScratchLauncher {
  explicit MainWindowFixture(const std::string& settings_text = "", bool with_mame = true);
  ~MainWindowFixture();

  // Creates the window and waits until the game list has arrived; a `dpi` of
  // 0 takes the screen's, as the launcher does.
  bool Open(int dpi = 96);
  void Close();  // WM_CLOSE, as the user closes it
  void Command(int id, int code = 0);
  int Rows() const;
  std::string CellText(int row, int column) const;
  std::string StatusText() const;
  void SelectRow(int row);
  int RowOfGame(const std::string& set) const;
  // A snapshot recorded from MAME (tests/fixtures/mame0251/<fixture>) put into
  // MAME's snap folder as <relative>, written `minutes_ago`.
  void AddSnapshot(const std::string& fixture, const std::string& relative, int minutes_ago) const;
  // Waits (pumping messages) until `done` holds or the time is up.
  bool WaitFor(const std::function<bool()>& done, DWORD ms = 15000);
};
