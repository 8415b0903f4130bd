#include "combos/pad_pictures.h"

#include <cmath>
#include <numbers>

#include "ui/vector_raster.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kPen = 2.2;

struct Direction {
  const char* token;
  double dx, dy;  // on screen, y downwards
};
constexpr double kDiagonal = 0.70710678;
constexpr Direction kDirections[] = {
    {"U", 0, -1},           {"D", 0, 1},           {"L", -1, 0},          {"R", 1, 0},
    {"UL", -kDiagonal, -kDiagonal}, {"UR", kDiagonal, -kDiagonal}, {"DL", -kDiagonal, kDiagonal},
    {"DR", kDiagonal, kDiagonal},
};

// A motion as the stick travels on screen: the circle it runs on, where it
// starts (degrees clockwise from the right, as y grows downwards) and how far
// it turns (negative: counter-clockwise).
struct Motion {
  const char* token;
  VecPoint centre;
  double radius, start, sweep;
};
constexpr Motion kMotions[] = {
    {"QCF", {8, 8}, 10, 90, -90},    // down, down-right, right
    {"QCB", {16, 8}, 10, 90, 90},    // down, down-left, left
    {"HCF", {12, 8}, 8, 180, -180},  // left, down, right
    {"HCB", {12, 8}, 8, 0, 180},     // right, down, left
    {"FCF", {12, 12}, 8, 0, 300},    // right, down, left, up
    {"FCB", {12, 12}, 8, 180, -300}, // left, down, right, up
};

VecPoint Along(VecPoint from, VecPoint direction, double distance) {
  return {from.x + direction.x * distance, from.y + direction.y * distance};
}

// A filled head whose tip points along `direction`, its base `back` behind the tip.
void ArrowHead(VectorRaster& r, VecPoint tip, VecPoint direction, double back, double half_width) {
  VecPoint base = Along(tip, direction, -back), across{-direction.y, direction.x};
  r.Polygon({tip, Along(base, across, half_width), Along(base, across, -half_width)}, 0.8, true);
}

void DrawArrow(VectorRaster& r, const Direction& d) {
  VecPoint centre{12, 12}, direction{d.dx, d.dy};
  r.Line(Along(centre, direction, -8), Along(centre, direction, 2), kPen + 0.2);
  ArrowHead(r, Along(centre, direction, 9), direction, 7, 5);
}

void DrawMotion(VectorRaster& r, const Motion& m) {
  double from = m.sweep < 0 ? m.start + m.sweep : m.start;
  r.ArcBetweenAngles(m.centre, m.radius, from, from + std::fabs(m.sweep), kPen);
  auto at = [&](double degrees) {
    return VecPoint{m.centre.x + m.radius * std::cos(degrees * kDegree),
                    m.centre.y + m.radius * std::sin(degrees * kDegree)};
  };
  // The stick starts at the dot and leaves along the arrow.
  r.Disc(at(m.start), 2.1);
  double end = m.start + m.sweep, turn = m.sweep < 0 ? -1 : 1;
  VecPoint heading{-std::sin(end * kDegree) * turn, std::cos(end * kDegree) * turn};
  ArrowHead(r, Along(at(end), heading, 3.4), heading, 6, 4);
}

}  // namespace

std::vector<uint8_t> PadPictureMask(std::string_view token, int size) {
  if (size < 1) return {};
  for (const Direction& d : kDirections) {
    if (token == d.token) {
      VectorRaster r(size);
      DrawArrow(r, d);
      return r.Reduce();
    }
  }
  for (const Motion& m : kMotions) {
    if (token == m.token) {
      VectorRaster r(size);
      DrawMotion(r, m);
      return r.Reduce();
    }
  }
  return {};
}
