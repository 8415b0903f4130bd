#include "preview/preview_view.h"

#include <algorithm>

#include "ui/scale.h"
#include "ui/vector_raster.h"

namespace {
constexpr int kGap = 6;
constexpr int kStepRow = 24, kStepButton = 30, kCounter = 70;
constexpr int kChip = 22, kChipPad = 8, kChipGap = 4;  // kind and tab buttons
constexpr int kCardUnder = 260;   // what the card keeps under the picture
constexpr int kCardBeside = 220;  // ... and beside it
constexpr int kMargin = 4;

// Buttons of the given text widths left to right, wrapping into rows.
// Returns the bottom of the last row (`y` without buttons).
int FlowChips(const std::vector<int>& widths, int x, int y, int w, int dpi, std::vector<PaneRect>& out) {
  auto s = [dpi](int v) { return ScaleForDpi(v, dpi); };
  int at = x, bottom = y;
  for (int text_w : widths) {
    int chip_w = std::min(w, text_w + 2 * s(kChipPad));
    if (at > x && at + chip_w > x + w) {
      at = x;
      y = bottom + s(kChipGap);
    }
    out.push_back({at, y, chip_w, s(kChip)});
    at += chip_w + s(kChipGap);
    bottom = y + s(kChip);
  }
  return bottom;
}
}  // namespace

bool CardBeside(int pane_w, int pane_h, int dpi) {
  return pane_w >= ScaleForDpi(480, dpi) && pane_w * 2 >= pane_h * 3;
}

PictureSize PreviewPictureBox(int pane_w, int pane_h, int dpi) {
  auto s = [dpi](int v) { return ScaleForDpi(v, dpi); };
  const int steps = s(kGap + kStepRow);
  if (CardBeside(pane_w, pane_h, dpi)) {
    int h = std::max(0, pane_h - steps);
    return {std::max(0, std::min(h * 4 / 3, pane_w - s(kCardBeside) - s(2 * kGap))), h};
  }
  // Under the picture the card keeps its room; a short pane still gives the picture two fifths.
  int h = std::max(pane_h - steps - s(kCardUnder), pane_h * 2 / 5);
  return {std::max(0, pane_w), std::max(0, std::min(h, pane_w * 3 / 4))};
}

PreviewLayout LayoutPreview(const PreviewInput& in) {
  auto s = [&in](int v) { return ScaleForDpi(v, in.dpi); };
  PreviewLayout out;
  out.beside = CardBeside(in.pane_w, in.pane_h, in.dpi);
  const PictureSize box = PreviewPictureBox(in.pane_w, in.pane_h, in.dpi);
  const int column = out.beside ? box.w : in.pane_w;  // the picture's column
  const PictureSize picture = in.picture;
  out.picture = {(column - picture.w) / 2, 0, picture.w, picture.h};
  int icon = std::min(s(48), std::min(picture.w, picture.h) / 2);
  out.icon = {out.picture.x + (picture.w - icon) / 2, out.picture.y + picture.h / 2 - icon, icon, icon};
  out.note = {out.picture.x + s(12), out.icon.Bottom() + s(8), std::max(0, picture.w - s(24)),
              std::max(0, out.picture.Bottom() - out.icon.Bottom() - s(16))};
  int y = out.picture.Bottom() + s(kGap);
  if (in.stepping) {
    int centre = column / 2;
    out.counter = {centre - s(kCounter) / 2, y, s(kCounter), s(kStepRow)};
    out.previous = {out.counter.x - s(kStepButton), y, s(kStepButton), s(kStepRow)};
    out.next = {out.counter.Right(), y, s(kStepButton), s(kStepRow)};
    y = out.counter.Bottom() + s(kGap);
  }
  if (!in.card) return out;

  // The card: the kinds of pictures, the game's lines, the tabs and the text.
  const int x = out.beside ? column + s(2 * kGap) : s(kMargin);
  const int w = std::max(0, in.pane_w - x - s(kMargin));
  if (out.beside) y = 0;
  if (!in.kinds.empty()) y = FlowChips(in.kinds, x, y, w, in.dpi, out.kinds) + s(kGap);
  auto line = [&](int lines) {
    PaneRect r{x, y, w, lines * in.line_h};
    y = r.Bottom() + s(2);
    return r;
  };
  out.title = line(std::clamp(in.title_lines, 1, 2));
  out.board = line(1);
  out.status = line(std::clamp(in.status_lines, 0, 2));  // none while MAME has not said
  out.played = line(std::clamp(in.played_lines, 1, 2));
  y += s(kGap);
  if (!in.tabs.empty()) y = FlowChips(in.tabs, x, y, w, in.dpi, out.tabs) + s(2);
  out.text = {x, y, w, std::max(0, in.pane_h - y)};
  if (out.text.h < 2 * in.line_h) out.text = {};
  return out;
}

std::string PreviewCounterText(int index, int count) {
  return std::to_string(index + 1) + " / " + std::to_string(count);
}

std::string PreviewBoardLine(std::string_view board, int year) {
  std::string line(board);
  if (year > 0) line += (line.empty() ? "" : ", ") + std::to_string(year);
  return line;
}

int StepPicture(int index, int delta, int count) {
  if (count <= 0) return 0;
  return ((index + delta) % count + count) % count;
}

std::vector<uint8_t> BoardIconMask(int size) {
  if (size < 1) return {};
  // A chip on its board: the body with a notch, three legs on every side.
  VectorRaster r(size);
  r.RoundRect({6, 6}, {18, 18}, 1.6, 1.8, false);
  r.Disc({9.4, 9.4}, 1.2);
  for (double at : {9.0, 12.0, 15.0}) {
    r.Line({at, 2.5}, {at, 5.2}, 1.5);
    r.Line({at, 18.8}, {at, 21.5}, 1.5);
    r.Line({2.5, at}, {5.2, at}, 1.5);
    r.Line({18.8, at}, {21.5, at}, 1.5);
  }
  return r.Reduce();
}

std::vector<uint8_t> ArrowMask(bool next, int size) {
  if (size < 1) return {};
  VectorRaster r(size);
  if (next)
    r.Polyline({{9.5, 5.5}, {16, 12}, {9.5, 18.5}}, 2.4);
  else
    r.Polyline({{14.5, 5.5}, {8, 12}, {14.5, 18.5}}, 2.4);
  return r.Reduce();
}

std::string PreviewFailureLine(const std::string& path, PictureFailure failure, PictureSize size) {
  switch (failure) {
    case PictureFailure::Unreadable: return "Preview: the file could not be read: " + path;
    case PictureFailure::NotPicture: return "Preview: not a picture: " + path;
    case PictureFailure::Damaged: return "Preview: the picture is damaged or cut short: " + path;
    case PictureFailure::TooLarge:
      return "Preview: the picture is too large to show (" + std::to_string(size.w) + " x " +
             std::to_string(size.h) + " pixels): " + path;
    case PictureFailure::None: break;
  }
  return "";
}
