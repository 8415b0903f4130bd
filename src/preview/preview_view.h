// What the preview pane shows and where: its rectangles as pure functions of
// the pane's size, the DPI (designed in 96-DPI units) and what the window
// measured of its texts; its texts and its drawn shapes. The game's card goes
// under the picture in a pane taller than wide, beside it in a wide one.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "preview/picture_scale.h"

inline constexpr const char* kNoPictureText = "No picture yet: press F12 while the game runs to take one";
inline constexpr const char* kNoGameText =
    "Choose a game in the list: its pictures and what MAME knows of it show here";
// With several pictures, the next one shows after this long.
constexpr unsigned kPreviewCycleMs = 4000;

struct PaneRect {
  int x = 0, y = 0, w = 0, h = 0;
  int Right() const { return x + w; }
  int Bottom() const { return y + h; }
  bool Contains(int px, int py) const { return px >= x && px < Right() && py >= y && py < Bottom(); }
  bool operator==(const PaneRect&) const = default;
};

// Whether the card goes beside the picture rather than under it.
bool CardBeside(int pane_w, int pane_h, int dpi);
// The box a picture is fitted into: the pane less the card and the row of
// stepping arrows.
PictureSize PreviewPictureBox(int pane_w, int pane_h, int dpi);

struct PreviewInput {
  int pane_w = 0, pane_h = 0, dpi = 96;
  PictureSize picture;       // the size it is shown at (the placeholder: 4:3 in the box)
  bool stepping = false;     // several pictures: the arrows and the counter show
  bool card = false;         // a game is selected: its texts show
  int line_h = 16;           // a line of the pane's font, in pixels
  std::vector<int> kinds;    // the label width of each kind button, in pixels
  std::vector<int> tabs;     // the name width of each tab
  int title_lines = 2, status_lines = 2, played_lines = 1;  // what they take at the card's width (0 to 2)
};

struct PreviewLayout {
  bool beside = false;
  PaneRect picture;                  // at the top, centred across its column
  PaneRect icon, note;               // the placeholder's board picture and text, inside `picture`
  PaneRect previous, counter, next;  // under the picture when there are several (else empty)
  std::vector<PaneRect> kinds;       // a button per kind of picture, row after row
  PaneRect title, board, status, played;
  std::vector<PaneRect> tabs;        // a button per text
  PaneRect text;                     // the chosen tab's text; empty when there is no room
};
PreviewLayout LayoutPreview(const PreviewInput& in);

// "2 / 5" for the second of five pictures.
std::string PreviewCounterText(int index, int count);
// "Sony ZN-2 System, 1999"; the board alone when the year is unknown.
std::string PreviewBoardLine(std::string_view board, int year);
// Stepping through `count` pictures, round and round.
int StepPicture(int index, int delta, int count);

// The placeholder's board and the stepping arrows, size × size coverage masks.
std::vector<uint8_t> BoardIconMask(int size);
std::vector<uint8_t> ArrowMask(bool next, int size);

enum class PictureFailure { None, Unreadable, NotPicture, Damaged, TooLarge };
// The launch log's line about a snapshot that cannot be shown.
std::string PreviewFailureLine(const std::string& path, PictureFailure failure, PictureSize size);
