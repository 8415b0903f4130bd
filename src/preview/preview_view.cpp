#include "preview/preview_view.h"

#include <algorithm>

#include "ui/scale.h"
#include "ui/vector_raster.h"

namespace {
constexpr int kGap = 6;
constexpr int kStepRow = 24, kStepButton = 30, kCounter = 70;
constexpr int kTexts = 56;  // two lines of title, one of board and year
}  // namespace

PictureSize PreviewPictureBox(int pane_w, int pane_h, int dpi) {
  int rows = ScaleForDpi(kGap + kStepRow + kGap + kTexts, dpi);
  return {std::max(0, pane_w), std::max(0, pane_h - rows)};
}

PreviewLayout LayoutPreview(int pane_w, int pane_h, int dpi, PictureSize picture, bool stepping) {
  auto s = [dpi](int v) { return ScaleForDpi(v, dpi); };
  PreviewLayout out;
  out.picture = {(pane_w - picture.w) / 2, 0, picture.w, picture.h};
  int icon = std::min(s(48), std::min(picture.w, picture.h) / 2);
  out.icon = {out.picture.x + (picture.w - icon) / 2, out.picture.y + picture.h / 2 - icon, icon, icon};
  out.note = {out.picture.x + s(12), out.icon.Bottom() + s(8), std::max(0, picture.w - s(24)),
              std::max(0, out.picture.Bottom() - out.icon.Bottom() - s(16))};
  int y = out.picture.Bottom() + s(kGap);
  if (stepping) {
    int centre = pane_w / 2;
    out.counter = {centre - s(kCounter) / 2, y, s(kCounter), s(kStepRow)};
    out.previous = {out.counter.x - s(kStepButton), y, s(kStepButton), s(kStepRow)};
    out.next = {out.counter.Right(), y, s(kStepButton), s(kStepRow)};
    y = out.counter.Bottom() + s(kGap);
  }
  out.texts = {s(4), y, std::max(0, pane_w - s(8)), std::max(0, std::min(s(kTexts), pane_h - y))};
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
