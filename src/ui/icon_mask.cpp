#include "ui/icon_mask.h"

#include <cmath>
#include <numbers>

#include "ui/vector_raster.h"

namespace {
constexpr double kDegree = std::numbers::pi / 180;

VecPoint Polar(VecPoint centre, double radius, double degrees) {
  return {centre.x + radius * std::cos(degrees * kDegree), centre.y + radius * std::sin(degrees * kDegree)};
}

void DrawRefresh(VectorRaster& r) {
  r.ArcBetweenPoints({4.8, 4.8}, {19.2, 19.2}, {17.52, 7.37}, {18.53, 15.04}, 2.2);
  r.Polygon({{19.39, 8.61}, {22.55, 15.73}, {14.50, 12.35}}, 0.6, true);
}

void DrawStar(VectorRaster& r, bool filled) {
  std::vector<VecPoint> points;
  for (int k = 0; k < 10; ++k) points.push_back(Polar({12, 12.9}, k % 2 ? 4.6 : 10.2, -90 + 36 * k));
  r.Polygon(points, filled ? 0.8 : 1.9, filled);
}

void DrawFullscreen(VectorRaster& r) {
  r.Polyline({{4, 9.5}, {4, 4}, {9.5, 4}}, 2.2);
  r.Polyline({{14.5, 4}, {20, 4}, {20, 9.5}}, 2.2);
  r.Polyline({{20, 14.5}, {20, 20}, {14.5, 20}}, 2.2);
  r.Polyline({{9.5, 20}, {4, 20}, {4, 14.5}}, 2.2);
}

void DrawGear(VectorRaster& r) {
  static constexpr double kOffsets[4] = {-17, -10, 10, 17};
  static constexpr double kRadii[4] = {7.6, 10.2, 10.2, 7.6};
  std::vector<VecPoint> points;
  for (int tooth = 0; tooth < 8; ++tooth)
    for (int i = 0; i < 4; ++i) points.push_back(Polar({12, 12}, kRadii[i], 45 * tooth - 90 + kOffsets[i]));
  r.Polygon(points, 0.8, true);
  r.Disc({12, 12}, 3.6, Ink::Black);
}

void DrawVideo(VectorRaster& r) {
  r.RoundRect({3, 4.5}, {21, 16.5}, 1.5, 2, false);
  r.Line({12, 16.5}, {12, 20}, 2);
  r.Line({7.5, 20}, {16.5, 20}, 2);
}

void DrawControls(VectorRaster& r) {
  r.RoundRect({2.5, 6.5}, {21.5, 17.5}, 5.2, 2, false);
  r.Line({5.6, 12}, {10.4, 12}, 1.9);
  r.Line({8, 9.6}, {8, 14.4}, 1.9);
  r.Disc({15.4, 10.6}, 1.3);
  r.Disc({18, 13.4}, 1.3);
}

void DrawStatus(VectorRaster& r, bool available) {
  r.Disc({12, 12}, 10.5);
  if (available) {
    r.Polyline({{7, 12.5}, {10.5, 16}, {17, 8.5}}, 2.6, Ink::Black);
  } else {
    r.Line({8, 8}, {16, 16}, 2.6, Ink::Black);
    r.Line({16, 8}, {8, 16}, 2.6, Ink::Black);
  }
}

// A shield: the set was checked and holds good.
void DrawChecked(VectorRaster& r) {
  r.Polygon({{12, 1.8}, {20.6, 5}, {20.6, 11}, {19.6, 15}, {16.8, 18.6}, {12, 22.2}, {7.2, 18.6}, {4.4, 15}, {3.4, 11},
             {3.4, 5}},
            1.0, true);
  r.Polyline({{7.6, 12.2}, {10.8, 15.4}, {16.6, 8.6}}, 2.6, Ink::Black);
}

// A warning sign: the set is there, but something in it is wrong.
void DrawDamaged(VectorRaster& r) {
  r.Polygon({{12, 2.4}, {22.4, 20.6}, {1.6, 20.6}}, 2.0, true);
  r.Line({12, 8.6}, {12, 13.6}, 2.6, Ink::Black);
  r.Disc({12, 17.2}, 1.5, Ink::Black);
}

// A question mark in a disc: the set is there, but the check could not read it.
void DrawNotChecked(VectorRaster& r) {
  r.Disc({12, 12}, 10.5);
  r.ArcBetweenAngles({12, 9.2}, 3.4, 180, 405, 2.6, Ink::Black);
  r.Line({14.4, 11.6}, {12, 13.6}, 2.6, Ink::Black);
  r.Line({12, 13.6}, {12, 14.4}, 2.6, Ink::Black);
  r.Disc({12, 18}, 1.5, Ink::Black);
}

// A bar across a disc: MAME does not know this set.
void DrawUnknown(VectorRaster& r) {
  r.Disc({12, 12}, 10.5);
  r.Line({6.5, 12}, {17.5, 12}, 3.2, Ink::Black);
}

void DrawAudio(VectorRaster& r) {
  r.Polygon({{3.5, 9.5}, {7.5, 9.5}, {12.5, 5}, {12.5, 19}, {7.5, 14.5}, {3.5, 14.5}}, 1.8, false);
  r.ArcBetweenAngles({12.5, 12}, 4.6, -42, 42, 1.9);
  r.ArcBetweenAngles({12.5, 12}, 8.8, -42, 42, 1.9);
}
}  // namespace

std::vector<uint8_t> IconMask(int icon, bool filled, int size) {
  if (icon < 0 || icon >= kIconCount || size < 1) return {};
  VectorRaster r(size);
  switch (icon) {
    case kIconRefresh: DrawRefresh(r); break;
    case kIconStar: DrawStar(r, filled); break;
    case kIconPlay: r.Polygon({{7.5, 4.5}, {19.5, 12}, {7.5, 19.5}}, 1.4, true); break;
    case kIconStop: r.RoundRect({6, 6}, {18, 18}, 1.2, 1.0, true); break;
    case kIconFullscreen: DrawFullscreen(r); break;
    case kIconSettings: DrawGear(r); break;
    case kIconVideo: DrawVideo(r); break;
    case kIconControls: DrawControls(r); break;
    case kIconCombos:
      r.Polygon({{14.2, 2}, {5, 13.6}, {10.8, 13.6}, {9.4, 22}, {19, 10}, {13.2, 10}}, 1.0, true);
      break;
    case kIconAvailable: DrawStatus(r, true); break;
    case kIconMissing: DrawStatus(r, false); break;
    case kIconAvailableOnly:
      r.RoundRect({3, 3}, {21, 21}, 3.5, 2, false);
      r.Polyline({{7.2, 12.4}, {10.6, 15.8}, {17, 8.6}}, 2.2);
      break;
    case kIconAudio: DrawAudio(r); break;
    case kIconChecked: DrawChecked(r); break;
    case kIconDamaged: DrawDamaged(r); break;
    case kIconNotChecked: DrawNotChecked(r); break;
    case kIconUnknown: DrawUnknown(r); break;
  }
  return r.Reduce();
}

const std::vector<uint8_t>& IconMaskCache::Get(int icon, bool filled, int size) {
  if (icon < 0 || icon >= kIconCount || size < 1) return none_;
  if (size != size_) {
    for (auto& slot : slots_) slot.clear();
    size_ = size;
  }
  std::vector<uint8_t>& slot = slots_[2 * icon + (filled ? 1 : 0)];
  if (slot.empty()) slot = IconMask(icon, filled, size);
  return slot;
}
