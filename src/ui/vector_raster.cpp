#include "ui/vector_raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

struct EllipseArc {
  double cx, cy, rx, ry;
};

// Points along an ellipse from parameter angle `start` over `sweep` radians
// (negative: counter-clockwise on screen), close enough to look round at any size.
template <typename Point>
std::vector<Point> ArcPoints(const EllipseArc& e, double start, double sweep) {
  double radius = std::max(e.rx, e.ry);
  int steps = std::max(8, static_cast<int>(std::ceil(std::fabs(sweep) * radius / 0.5)));
  std::vector<Point> points;
  points.reserve(steps + 1);
  for (int i = 0; i <= steps; ++i) {
    double t = start + sweep * i / steps;
    points.push_back({e.cx + e.rx * std::cos(t), e.cy + e.ry * std::sin(t)});
  }
  return points;
}

// Sweep in (0, 2π]: a zero sweep means the whole turn.
double PositiveSweep(double sweep) {
  sweep = std::fmod(sweep, 2 * kPi);
  if (sweep <= 1e-12) sweep += 2 * kPi;
  return sweep;
}

double DistanceToSegmentSquared(double px, double py, double ax, double ay, double bx, double by) {
  double dx = bx - ax, dy = by - ay;
  double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0) : 0.0;
  double ex = ax + t * dx - px, ey = ay + t * dy - py;
  return ex * ex + ey * ey;
}
}  // namespace

VectorRaster::VectorRaster(int size, double grid)
    : size_(std::max(size, 0)),
      fine_(4 * size_),
      unit_(grid > 0 ? fine_ / grid : 0),
      pixels_(static_cast<size_t>(fine_) * fine_, 0) {}

int VectorRaster::Fine(double grid_value) const { return static_cast<int>(std::floor(grid_value * unit_ + 0.5)); }

VectorRaster::FinePoint VectorRaster::ToFine(VecPoint p) const {
  return {static_cast<double>(Fine(p.x)), static_cast<double>(Fine(p.y))};
}

int VectorRaster::PenWidth(double pen) const { return pen > 0 ? std::max(1, Fine(pen)) : 0; }

// Even-odd scanline fill sampled at pixel centres, so a box from x0 to x1
// covers the pixels x0 .. x1-1 as the system's fills do.
void VectorRaster::FillPath(const std::vector<FinePoint>& path, Ink ink) {
  if (path.size() < 3) return;
  double top = path[0].y, bottom = path[0].y;
  for (const FinePoint& p : path) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  int row0 = std::max(0, static_cast<int>(std::floor(top)));
  int row1 = std::min(fine_ - 1, static_cast<int>(std::ceil(bottom)));
  std::vector<double> crossings;
  for (int row = row0; row <= row1; ++row) {
    double y = row + 0.5;
    crossings.clear();
    for (size_t i = 0; i < path.size(); ++i) {
      const FinePoint& a = path[i];
      const FinePoint& b = path[(i + 1) % path.size()];
      if ((a.y <= y && y < b.y) || (b.y <= y && y < a.y))
        crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      int from = std::max(0, static_cast<int>(std::ceil(crossings[i] - 0.5)));
      int to = std::min(fine_, static_cast<int>(std::ceil(crossings[i + 1] - 0.5)));
      for (int x = from; x < to; ++x) pixels_[static_cast<size_t>(row) * fine_ + x] = static_cast<uint8_t>(ink);
    }
  }
}

// A round pen along a segment covers every pixel centre within half its width,
// which gives round ends and, segment to segment, round joins.
void VectorRaster::StrokeSegment(FinePoint a, FinePoint b, int width, Ink ink) {
  double half = width / 2.0;
  int x0 = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - half)));
  int x1 = std::min(fine_ - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + half)));
  int y0 = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - half)));
  int y1 = std::min(fine_ - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + half)));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (DistanceToSegmentSquared(x + 0.5, y + 0.5, a.x, a.y, b.x, b.y) <= half * half)
        pixels_[static_cast<size_t>(y) * fine_ + x] = static_cast<uint8_t>(ink);
}

void VectorRaster::StrokePath(const std::vector<FinePoint>& path, bool closed, int width, Ink ink) {
  if (width <= 0 || path.empty()) return;
  if (path.size() == 1) StrokeSegment(path[0], path[0], width, ink);
  for (size_t i = 0; i + 1 < path.size(); ++i) StrokeSegment(path[i], path[i + 1], width, ink);
  if (closed && path.size() > 2) StrokeSegment(path.back(), path.front(), width, ink);
}

void VectorRaster::Shape(const std::vector<FinePoint>& path, int width, bool filled, Ink ink) {
  if (filled) FillPath(path, ink);
  StrokePath(path, true, width, ink);
}

void VectorRaster::Polygon(const std::vector<VecPoint>& points, double pen, bool filled, Ink ink) {
  std::vector<FinePoint> path;
  for (VecPoint p : points) path.push_back(ToFine(p));
  Shape(path, PenWidth(pen), filled, ink);
}

void VectorRaster::Polyline(const std::vector<VecPoint>& points, double pen, Ink ink) {
  std::vector<FinePoint> path;
  for (VecPoint p : points) path.push_back(ToFine(p));
  StrokePath(path, false, PenWidth(pen), ink);
}

void VectorRaster::Line(VecPoint from, VecPoint to, double pen, Ink ink) { Polyline({from, to}, pen, ink); }

void VectorRaster::Ellipse(VecPoint top_left, VecPoint bottom_right, double pen, bool filled, Ink ink) {
  FinePoint a = ToFine(top_left), b = ToFine(bottom_right);
  EllipseArc e{(a.x + b.x) / 2, (a.y + b.y) / 2, std::fabs(b.x - a.x) / 2, std::fabs(b.y - a.y) / 2};
  Shape(ArcPoints<FinePoint>(e, 0, 2 * kPi), PenWidth(pen), filled, ink);
}

void VectorRaster::Disc(VecPoint centre, double radius, Ink ink) {
  Ellipse({centre.x - radius, centre.y - radius}, {centre.x + radius, centre.y + radius}, 0, true, ink);
}

void VectorRaster::RoundRect(VecPoint top_left, VecPoint bottom_right, double radius, double pen, bool filled,
                             Ink ink) {
  FinePoint a = ToFine(top_left), b = ToFine(bottom_right);
  double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  double top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  double r = std::clamp(static_cast<double>(Fine(radius)), 0.0, std::min(right - left, bottom - top) / 2);
  std::vector<FinePoint> path;
  auto corner = [&](double cx, double cy, double start) {
    auto arc = ArcPoints<FinePoint>({cx, cy, r, r}, start, kPi / 2);
    path.insert(path.end(), arc.begin(), arc.end());
  };
  corner(right - r, bottom - r, 0);       // bottom right, sweeping down to the bottom edge
  corner(left + r, bottom - r, kPi / 2);  // bottom left
  corner(left + r, top + r, kPi);         // top left
  corner(right - r, top + r, 3 * kPi / 2);
  Shape(path, PenWidth(pen), filled, ink);
}

void VectorRaster::ArcBetweenPoints(VecPoint top_left, VecPoint bottom_right, VecPoint start, VecPoint end,
                                    double pen, Ink ink) {
  FinePoint a = ToFine(top_left), b = ToFine(bottom_right);
  FinePoint s = ToFine(start), f = ToFine(end);
  EllipseArc e{(a.x + b.x) / 2, (a.y + b.y) / 2, std::fabs(b.x - a.x) / 2, std::fabs(b.y - a.y) / 2};
  // The parameter angle where the ray through a point meets the ellipse.
  auto parameter = [&](FinePoint p) { return std::atan2(e.rx * (p.y - e.cy), e.ry * (p.x - e.cx)); };
  double from = parameter(s);
  double sweep = PositiveSweep(from - parameter(f));
  StrokePath(ArcPoints<FinePoint>(e, from, -sweep), false, PenWidth(pen), ink);
}

void VectorRaster::ArcBetweenAngles(VecPoint centre, double radius, double from_deg, double to_deg, double pen,
                                    Ink ink) {
  FinePoint c = ToFine(centre);
  double r = Fine(radius);
  double from = from_deg * kPi / 180;
  double sweep = PositiveSweep((to_deg - from_deg) * kPi / 180);
  StrokePath(ArcPoints<FinePoint>({c.x, c.y, r, r}, from, sweep), false, PenWidth(pen), ink);
}

std::vector<uint8_t> VectorRaster::Reduce() const {
  std::vector<uint8_t> mask(static_cast<size_t>(size_) * size_, 0);
  for (int y = 0; y < size_; ++y)
    for (int x = 0; x < size_; ++x) {
      int sum = 0;
      for (int dy = 0; dy < 4; ++dy)
        for (int dx = 0; dx < 4; ++dx) sum += pixels_[static_cast<size_t>(4 * y + dy) * fine_ + 4 * x + dx];
      mask[static_cast<size_t>(y) * size_ + x] = static_cast<uint8_t>(sum / 16);
    }
  return mask;
}
