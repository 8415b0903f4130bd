// The preview pane ("KorvoPreview"): a picture of the selected game from
// MAME's snapshots, with its title, board and year under it. With several
// pictures it shows the next every few seconds, and arrows under the picture
// step through them. The pane asks the worker thread for pictures and paints
// the last answer; the window that holds it only places it and tells it when
// the selection changed.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "preview/preview_view.h"

// What the pane should show now, as the main window knows it.
struct PreviewSubject {
  bool any = false;  // a game is selected
  std::string set, title, board_line;
  std::string mame_exe, more_options;  // where MAME keeps its snapshots
  bool keep_aspect = true;             // MAME shows the game at 4:3
  bool logs = false;                   // pictures that cannot be shown go into the launch log
};
using PreviewSubjectFn = std::function<PreviewSubject()>;

HWND CreatePreviewPane(HWND parent, PreviewSubjectFn subject);
// Places and shows the pane, or hides it (a hidden pane asks for nothing).
void PlacePreviewPane(int x, int y, int w, int h, bool shown);
// The selection changed: the pane asks once the burst of changes has passed.
void PreviewSelectionChanged();
// Asks again when anything it depends on changed since it last asked.
void RefreshPreview();
// MAME ended: look again, so that a snapshot just taken shows at once.
void PreviewLookAgain();

// What the pane shows, as a person would describe it.
struct PreviewShown {
  bool answered = false;  // an answer for the current subject has arrived
  std::string set;        // whose pictures are shown
  int index = -1, count = 0;
  bool placeholder = false;
  PaneRect picture;       // where the picture (or the placeholder) is, in the pane
};
PreviewShown PreviewPaneShown();
