// A small vector rasteriser for icons drawn from geometric shapes. Shapes are
// given on a design grid, drawn white (or black, to cut holes) at four times
// the target size with round-capped, round-joined pens, and every 4 × 4 block
// of the large picture becomes one byte of an 8-bit coverage mask.
#pragma once
#include <cstdint>
#include <vector>

struct VecPoint {
  double x, y;
};

enum class Ink : uint8_t { Black = 0, White = 255 };

class VectorRaster {
 public:
  // A size × size mask whose sides span `grid` design units.
  explicit VectorRaster(int size, double grid = 24.0);

  int size() const { return size_; }
  int fine_size() const { return fine_; }
  // A grid value in pixels of the large picture: × unit, +0.5, truncated.
  int Fine(double grid_value) const;

  // A closed shape: filled with the ink when `filled`, outlined with a pen of
  // width `pen` (no outline when pen <= 0). Self-crossing shapes fill alternately.
  void Polygon(const std::vector<VecPoint>& points, double pen, bool filled, Ink ink = Ink::White);
  void Polyline(const std::vector<VecPoint>& points, double pen, Ink ink = Ink::White);
  void Line(VecPoint from, VecPoint to, double pen, Ink ink = Ink::White);
  // The ellipse inscribed in a box.
  void Ellipse(VecPoint top_left, VecPoint bottom_right, double pen, bool filled, Ink ink = Ink::White);
  void Disc(VecPoint centre, double radius, Ink ink = Ink::White);
  void RoundRect(VecPoint top_left, VecPoint bottom_right, double radius, double pen, bool filled,
                 Ink ink = Ink::White);
  // Part of the ellipse in the box, counter-clockwise on screen from where the
  // ray from the centre through `start` meets it to where the ray through `end`
  // does; equal rays give the whole ellipse.
  void ArcBetweenPoints(VecPoint top_left, VecPoint bottom_right, VecPoint start, VecPoint end, double pen,
                        Ink ink = Ink::White);
  // Part of a circle swept from `from_deg` to `to_deg` with growing angle.
  // Angles are clockwise on screen from the positive x axis (y grows downwards),
  // so -45 is up-right and 90 straight down.
  void ArcBetweenAngles(VecPoint centre, double radius, double from_deg, double to_deg, double pen,
                        Ink ink = Ink::White);

  // The size × size coverage mask, row by row: each byte the mean of its 4 × 4 block.
  std::vector<uint8_t> Reduce() const;
  // The large picture, fine_size() × fine_size(), 0 or 255 per pixel.
  const std::vector<uint8_t>& fine() const { return pixels_; }

 private:
  struct FinePoint {
    double x, y;
  };
  FinePoint ToFine(VecPoint p) const;
  int PenWidth(double pen) const;
  void FillPath(const std::vector<FinePoint>& path, Ink ink);
  void StrokePath(const std::vector<FinePoint>& path, bool closed, int width, Ink ink);
  void StrokeSegment(FinePoint a, FinePoint b, int width, Ink ink);
  void Shape(const std::vector<FinePoint>& path, int width, bool filled, Ink ink);

  int size_;
  int fine_;
  double unit_;
  std::vector<uint8_t> pixels_;
};
