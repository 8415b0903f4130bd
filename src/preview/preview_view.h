// What the preview pane shows and where: its rectangles as pure functions of
// the pane's size and the DPI (designed in 96-DPI units), its texts and its
// drawn shapes.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "preview/picture_scale.h"

inline constexpr const char* kNoPictureText = "No picture yet: press F12 while the game runs to take one";
// With several pictures, the next one shows after this long.
constexpr unsigned kPreviewCycleMs = 4000;

struct PaneRect {
  int x = 0, y = 0, w = 0, h = 0;
  int Right() const { return x + w; }
  int Bottom() const { return y + h; }
  bool Contains(int px, int py) const { return px >= x && px < Right() && py >= y && py < Bottom(); }
  bool operator==(const PaneRect&) const = default;
};

// The box a picture is fitted into: the pane less the rows under the picture.
PictureSize PreviewPictureBox(int pane_w, int pane_h, int dpi);

struct PreviewLayout {
  PaneRect picture;                  // at the top, centred across
  PaneRect icon, note;               // the placeholder's board picture and text, inside `picture`
  PaneRect previous, counter, next;  // under the picture when there are several (else empty)
  PaneRect texts;                    // the title, then board and year
};
// `picture` is the size the picture is shown at (the placeholder: 4:3 in the box).
PreviewLayout LayoutPreview(int pane_w, int pane_h, int dpi, PictureSize picture, bool stepping);

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
