#include "filterwin/filter_reference.h"

#include <algorithm>
#include <cmath>

namespace {
struct Vec2 {
  float x = 0, y = 0;
};

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
Rgb operator*(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
Rgb Lerp(Rgb a, Rgb b, float t) { return a + (b - a) * t; }
float Saturate(float v) { return std::min(std::max(v, 0.0f), 1.0f); }
float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

// A texel at a whole-number position, clamped to the region (the whole picture).
Rgb Texel(const RgbImage& src, float x, float y) {
  int ix = static_cast<int>(std::min(std::max(x, 0.0f), static_cast<float>(src.width - 1)));
  int iy = static_cast<int>(std::min(std::max(y, 0.0f), static_cast<float>(src.height - 1)));
  return src.At(ix, iy);
}

Rgb SamplePoint(const RgbImage& src, float s, float t) {
  return Texel(src, std::floor(s * src.width), std::floor(t * src.height));
}

Rgb SampleLinear(const RgbImage& src, float s, float t) {
  float x = s * src.width - 0.5f, y = t * src.height - 0.5f;
  float x0 = std::floor(x), y0 = std::floor(y);
  float fx = x - x0, fy = y - y0;
  return Lerp(Lerp(Texel(src, x0, y0), Texel(src, x0 + 1, y0), fx),
              Lerp(Texel(src, x0, y0 + 1), Texel(src, x0 + 1, y0 + 1), fx), fy);
}

float ChannelDiff(Rgb a, Rgb b) {
  return std::max(std::max(std::fabs(a.r - b.r), std::fabs(a.g - b.g)), std::fabs(a.b - b.b));
}

Rgb DitherDelta(const RgbImage& src, float threshold, float x, float y) {
  if (threshold <= 0) return {};
  Rgb c = Texel(src, x, y), n = Texel(src, x, y - 1), s = Texel(src, x, y + 1), w = Texel(src, x - 1, y),
      e = Texel(src, x + 1, y);
  Rgb avg = (n + s + w + e) * 0.25f;
  float near = ChannelDiff(c, avg);
  bool alike = ChannelDiff(n, s) < threshold && ChannelDiff(w, e) < threshold && ChannelDiff(n, w) < threshold;
  if (alike && near > 0 && near < 2 * threshold) return (avg - c) * 0.5f;
  return {};
}

float MitchellNear(float x) { return (7.0f * x * x * x - 12.0f * x * x + 16.0f / 3.0f) / 6.0f; }
float MitchellFar(float x) { return (-7.0f / 3.0f * x * x * x + 12.0f * x * x - 20.0f * x + 32.0f / 3.0f) / 6.0f; }
float Mitchell(float distance) { return distance < 1.0f ? MitchellNear(distance) : MitchellFar(distance); }

Rgb Bicubic(const RgbImage& src, float tx, float ty) {
  float px = tx - 0.5f, py = ty - 0.5f;
  float bx = std::floor(px), by = std::floor(py);
  Rgb sum;
  float weight_sum = 0;
  for (int j = -1; j <= 2; ++j) {
    float wy = Mitchell(std::fabs(py - by - j));
    for (int i = -1; i <= 2; ++i) {
      float w = wy * Mitchell(std::fabs(px - bx - i));
      sum = sum + Texel(src, bx + i, by + j) * w;
      weight_sum += w;
    }
  }
  return sum * (1.0f / weight_sum);
}

Rgb SharpBilinear(const RgbImage& src, const DispConstants& k, float tx, float ty) {
  float px = tx - 0.5f, py = ty - 0.5f;
  float bx = std::floor(px), by = std::floor(py);
  float fx = Saturate((px - bx - 0.5f) * k.xs.x + 0.5f), fy = Saturate((py - by - 0.5f) * k.xs.y + 0.5f);
  return Lerp(Lerp(Texel(src, bx, by), Texel(src, bx + 1, by), fx),
              Lerp(Texel(src, bx, by + 1), Texel(src, bx + 1, by + 1), fx), fy);
}

// xBRZ's colour distance: YCbCr with BT.2020 weights, luminance weight 1.
float Distance(Rgb a, Rgb b) {
  Rgb d = a - b;
  const float cb = 0.5f / (1.0f - 0.0593f), cr = 0.5f / (1.0f - 0.2627f);
  float y = 0.2627f * d.r + 0.6780f * d.g + 0.0593f * d.b;
  float u = -0.2627f * cb * d.r - 0.6780f * cb * d.g + 0.5f * d.b;
  float v = 0.5f * d.r - 0.6780f * cr * d.g - 0.0593f * cr * d.b;
  return std::sqrt(y * y + u * u + v * v);
}
bool Similar(Rgb a, Rgb b) { return Distance(a, b) < 30.0f / 255.0f; }
bool Same(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

constexpr float kSteepDirection = 2.2f, kDominantDirection = 3.6f;
constexpr float kBlendNone = 0, kBlendNormal = 1;

struct BlockTypes {
  float f = kBlendNone, g = kBlendNone, j = kBlendNone, k = kBlendNone;
};

// Corner analysis of the block F G / J K; `t` holds the 5 x 5 taps as t[y][x]
// and (x, y) is the block's top-left texel F.
BlockTypes AnalyseBlock(const Rgb t[5][5], int x, int y) {
  auto at = [&](int dx, int dy) { return t[y + dy][x + dx]; };
  Rgb b = at(0, -1), c = at(1, -1), e = at(-1, 0), f = at(0, 0), g = at(1, 0), h = at(2, 0), i = at(-1, 1),
      j = at(0, 1), k = at(1, 1), l = at(2, 1), n = at(0, 2), o = at(1, 2);
  BlockTypes types;
  if ((Same(f, g) && Same(j, k)) || (Same(f, j) && Same(g, k))) return types;
  float jg = Distance(i, f) + Distance(f, c) + Distance(n, k) + Distance(k, h) + 4.0f * Distance(j, g);
  float fk = Distance(e, j) + Distance(j, o) + Distance(b, g) + Distance(g, l) + 4.0f * Distance(f, k);
  if (jg < fk) {
    float type = kBlendNormal + (kDominantDirection * jg < fk ? 1.0f : 0.0f);
    if (!Same(f, g) && !Same(f, j)) types.f = type;
    if (!Same(k, j) && !Same(k, g)) types.k = type;
  } else if (fk < jg) {
    float type = kBlendNormal + (kDominantDirection * fk < jg ? 1.0f : 0.0f);
    if (!Same(j, f) && !Same(j, k)) types.j = type;
    if (!Same(g, f) && !Same(g, k)) types.g = type;
  }
  return types;
}

// The 3 x 3 texels around E in a frame where the corner being blended is the
// bottom-right one.
struct Around {
  Rgb b, c, d, e, f, g, h, i;
};

void BlendCorner(Rgb& res, Vec2 pos, Vec2 scale, float blend, float next_f, float next_h, const Around& p) {
  if (blend <= kBlendNone) return;
  bool along_line = blend > kBlendNormal;
  if (!along_line)
    along_line = !((next_f > kBlendNone && !Similar(p.e, p.g)) || (next_h > kBlendNone && !Similar(p.e, p.c)) ||
                   (!Similar(p.e, p.i) && Similar(p.g, p.h) && Similar(p.h, p.i) && Similar(p.i, p.f) &&
                    Similar(p.f, p.c)));
  Vec2 origin{0.0f, 0.70710678f}, dir{1.0f, -1.0f};
  if (along_line) {
    float fg = Distance(p.f, p.g), hc = Distance(p.h, p.c);
    origin = {0.0f, 0.5f};
    if (kSteepDirection * fg <= hc && !Same(p.e, p.g) && !Same(p.d, p.g)) {
      origin = {0.0f, 0.25f};
      dir.x = 2.0f;
    }
    if (kSteepDirection * hc <= fg && !Same(p.e, p.c) && !Same(p.b, p.c)) dir.y = -2.0f;
  }
  Vec2 rel{pos.x - origin.x, pos.y - origin.y};
  float along = Dot(rel, dir) / Dot(dir, dir);
  Vec2 off{(rel.x - dir.x * along) * scale.x, (rel.y - dir.y * along) * scale.y};
  float side = std::sqrt(Dot(off, off));
  if (Dot(rel, {-dir.y, dir.x}) < 0) side = -side;
  float t = Saturate((side + 0.70710678f) / 1.41421356f);
  Rgb toward = Distance(p.e, p.f) <= Distance(p.e, p.h) ? p.f : p.h;
  res = Lerp(res, toward, t * t * (3.0f - 2.0f * t));
}
}  // namespace

Rgb ReferencePlain(const RgbImage& src, const DispConstants& k, float u, float v) {
  float tx = k.region.x + u * k.region.z, ty = k.region.y + v * k.region.w;
  Rgb c;
  if (k.params.x > 3.5f) c = Bicubic(src, tx, ty);
  else if (k.params.x > 2.5f) c = SharpBilinear(src, k, tx, ty);
  else if (k.params.x > 0.5f) c = SampleLinear(src, tx * k.ss.z, ty * k.ss.w);
  else c = SamplePoint(src, tx * k.ss.z, ty * k.ss.w);
  return c + DitherDelta(src, k.params.y, std::floor(tx), std::floor(ty));
}

Rgb ReferenceXbrz(const RgbImage& src, const DispConstants& k, float u, float v) {
  float tx = k.region.x + u * k.region.z, ty = k.region.y + v * k.region.w;
  float ex = std::floor(tx), ey = std::floor(ty);
  Vec2 pos{tx - ex - 0.5f, ty - ey - 0.5f};
  Rgb t[5][5];
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      t[y][x] = Texel(src, ex + x - 2, ey + y - 2) + DitherDelta(src, k.params.y, ex + x - 2, ey + y - 2);
  float tl = AnalyseBlock(t, 1, 1).k, tr = AnalyseBlock(t, 2, 1).j, bl = AnalyseBlock(t, 1, 2).g,
        br = AnalyseBlock(t, 2, 2).f;
  // t[2][2] is E; A..I of the unturned frame are t[1][1]..t[3][3].
  Rgb a = t[1][1], b = t[1][2], c = t[1][3], d = t[2][1], e = t[2][2], f = t[2][3], g = t[3][1], h = t[3][2],
      i = t[3][3];
  Vec2 sx{k.xs.x, k.xs.y}, sy{k.xs.y, k.xs.x};
  Rgb res = e;
  BlendCorner(res, pos, sx, br, tr, bl, {b, c, d, e, f, g, h, i});
  BlendCorner(res, {pos.y, -pos.x}, sy, bl, br, tl, {f, i, b, e, h, a, d, g});
  BlendCorner(res, {-pos.x, -pos.y}, sx, tl, bl, tr, {h, g, f, e, d, c, b, a});
  BlendCorner(res, {-pos.y, pos.x}, sy, tr, tl, br, {d, a, h, e, b, i, f, c});
  return res;
}

Rgb ReferenceFxaa(const RgbImage& src, const DispConstants& k, float u, float v) {
  auto tap = [&](float du, float dv) { return SampleLinear(src, u + du, v + dv); };
  auto luma = [](Rgb c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; };
  float px = k.ss.z, py = k.ss.w;
  float nw = luma(tap(-px, -py)), ne = luma(tap(px, -py)), sw = luma(tap(-px, py)), se = luma(tap(px, py)),
        m = luma(tap(0, 0));
  float lo = std::min(m, std::min(std::min(nw, ne), std::min(sw, se)));
  float hi = std::max(m, std::max(std::max(nw, ne), std::max(sw, se)));
  float dx = (sw + se) - (nw + ne), dy = (nw + sw) - (ne + se);
  float reduce = std::max((nw + ne + sw + se) * (0.25f * (1.0f / 8.0f)), 1.0f / 128.0f);
  float scale = 1.0f / (std::min(std::fabs(dx), std::fabs(dy)) + reduce);
  dx = std::min(std::max(dx * scale, -8.0f), 8.0f) * px;
  dy = std::min(std::max(dy * scale, -8.0f), 8.0f) * py;
  Rgb a = (tap(-dx / 6.0f, -dy / 6.0f) + tap(dx / 6.0f, dy / 6.0f)) * 0.5f;
  Rgb b = a * 0.5f + (tap(-dx * 0.5f, -dy * 0.5f) + tap(dx * 0.5f, dy * 0.5f)) * 0.25f;
  float lb = luma(b);
  return lb < lo || lb > hi ? a : b;
}

RgbImage RenderReferencePass(const RgbImage& src, const DispConstants& k, ReferenceShader shader, int target_w,
                             int target_h) {
  RgbImage out(target_w, target_h);
  float left = (k.rect.x + 1.0f) * 0.5f * target_w, right = (k.rect.z + 1.0f) * 0.5f * target_w;
  float top = (1.0f - k.rect.y) * 0.5f * target_h, bottom = (1.0f - k.rect.w) * 0.5f * target_h;
  for (int y = 0; y < target_h; ++y) {
    float cy = y + 0.5f;
    if (cy < top || cy >= bottom) continue;
    for (int x = 0; x < target_w; ++x) {
      float cx = x + 0.5f;
      if (cx < left || cx >= right) continue;
      float u = (cx - left) / (right - left), v = (cy - top) / (bottom - top);
      out.At(x, y) = shader == ReferenceShader::kXbrz   ? ReferenceXbrz(src, k, u, v)
                     : shader == ReferenceShader::kFxaa ? ReferenceFxaa(src, k, u, v)
                                                        : ReferencePlain(src, k, u, v);
    }
  }
  return out;
}

void QuantizeToUnorm8(RgbImage& image) {
  auto q = [](float v) { return std::floor(Saturate(v) * 255.0f + 0.5f) / 255.0f; };
  for (Rgb& p : image.pixels) p = {q(p.r), q(p.g), q(p.b)};
}
