// The preview pane ("KorvoPreview"): a picture of the selected game, of the
// kinds MAME's own menu shows (snapshots, titles, flyers, ...), and the
// game's card beside or under it: its title, board and year, how well MAME
// runs it, what the player did, and the texts of history.xml and the .dat
// files under tabs. With several pictures it shows the next every few
// seconds, and arrows under the picture step through them. Two workers find
// the pictures and read the texts; the pane paints their last answers; the
// window that holds it only places it and tells it when the selection changed.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "preview/game_card.h"
#include "preview/preview_view.h"

// What the pane should show now, as the main window knows it.
struct PreviewSubject {
  bool any = false;  // a game is selected
  std::string set, title, board_line;
  GameCard card;
  std::string mame_exe, more_options;  // where MAME keeps its pictures
  std::string kind;                    // the kind of picture last chosen (an ArtKind id)
  bool keep_aspect = true;             // MAME shows the game at 4:3
  bool logs = false;                   // files that cannot be shown go into the launch log
};
using PreviewSubjectFn = std::function<PreviewSubject()>;
// The user chose another kind of picture (its id), to be remembered.
using PreviewKindFn = std::function<void(const std::string&)>;

HWND CreatePreviewPane(HWND parent, PreviewSubjectFn subject, PreviewKindFn kind_chosen);
// Places and shows the pane, or hides it (a hidden pane asks for nothing).
void PlacePreviewPane(int x, int y, int w, int h, bool shown);
// The selection changed: the pane asks once the burst of changes has passed.
void PreviewSelectionChanged();
// Asks again when anything it depends on changed since it last asked; the
// card's own lines (status, plays) are taken anew in any case.
void RefreshPreview();
// MAME ended: look again, so that a snapshot just taken shows at once.
void PreviewLookAgain();
// The previous (-1) or next (+1) picture, as the arrows under it.
void StepPreview(int delta);

// What the pane shows, as a person would describe it.
struct PreviewShown {
  bool answered = false;  // an answer for the current subject has arrived
  std::string set;        // whose pictures are shown
  int index = -1, count = 0;
  bool placeholder = false;
  PaneRect picture;       // where the picture (or the placeholder) is, in the pane
  std::vector<std::string> kinds;  // the labels of the kind buttons
  std::string kind;                // the label of the kind shown
  std::vector<std::string> tabs;   // the names of the text tabs
  std::string tab, text;           // the chosen tab and its text as shown
  std::string status, played;      // the card's lines
  PreviewLayout layout;
};
PreviewShown PreviewPaneShown();
