#include "filterwin/filter_shaders.h"

// The texts keep to what the smallest run-time compilers (Wine's among them)
// accept: no helper functions, so helpers are macros; no ?:, so choices use
// if or a 0/1 factor; basic intrinsics only (length stands in for sqrt, and
// dot takes two vectors, never a vector and a number); no loops; and
// a macro never passes its own parameters on to another macro, it hands
// values over through fixed local names instead. filter_reference.cpp
// computes the same formulas on the processor: keep the two in step.

const char kFilterCommonShader[] = R"hlsl(
cbuffer Disp : register(b0) {
  float4 params;  // x: scaler, y: dither threshold (0 = off)
  float4 region;  // texels read: x, y, width, height
  float4 xs;      // output pixels per texel
  float4 ss;      // texture size and its reciprocal
  float4 rect;    // the picture in clip space: left, top, right, bottom
};
Texture2D src : register(t1);
SamplerState point_sampler : register(s0);
SamplerState linear_sampler : register(s1);

struct VsOut {
  float4 pos : SV_Position;
  float2 uv : TEXCOORD0;
};

// A quad from the vertex number alone: no vertex buffer.
VsOut vs_disp(uint id : SV_VertexID) {
  VsOut o;
  float2 t = float2(id & 1, id >> 1);
  o.pos = float4(lerp(rect.x, rect.z, t.x), lerp(rect.y, rect.w, t.y), 0, 1);
  o.uv = t;
  return o;
}

// The texel at whole-number position Q, clamped to the region (edges repeat).
#define TEXEL(Q) src.Load(int3(clamp((Q), region.xy, region.xy + region.zw - 1.0), 0)).rgb
// The largest per-channel difference of two colours.
#define CHANNEL_DIFF(A, B) max(max(abs((A).r - (B).r), abs((A).g - (B).g)), abs((A).b - (B).b))

// Sets dither_delta to the dither smoothing correction at texel dither_pos
// (both declared by the caller): a texel whose four neighbours are alike and
// which differs from their average only a little moves halfway towards it,
// so checkerboard dithering flattens.
#define DITHER_DELTA \
  dither_delta = 0; \
  if (params.y > 0) { \
    float3 dc = TEXEL(dither_pos); \
    float3 dn = TEXEL(dither_pos + float2(0, -1)); \
    float3 ds = TEXEL(dither_pos + float2(0, 1)); \
    float3 dw = TEXEL(dither_pos + float2(-1, 0)); \
    float3 de = TEXEL(dither_pos + float2(1, 0)); \
    float3 davg = (dn + ds + dw + de) * 0.25; \
    float dnear = CHANNEL_DIFF(dc, davg); \
    if (CHANNEL_DIFF(dn, ds) < params.y && CHANNEL_DIFF(dw, de) < params.y && CHANNEL_DIFF(dn, dw) < params.y && \
        dnear > 0 && dnear < 2 * params.y) \
      dither_delta = (davg - dc) * 0.5; \
  }

// Mitchell-Netravali weight (B = C = 1/3) for a distance below 1 and for one from 1 to 2.
#define MITCHELL_NEAR(X) ((7.0 * (X) * (X) * (X) - 12.0 * (X) * (X) + 16.0 / 3.0) / 6.0)
#define MITCHELL_FAR(X) ((-7.0 / 3.0 * (X) * (X) * (X) + 12.0 * (X) * (X) - 20.0 * (X) + 32.0 / 3.0) / 6.0)
// One row of the 4 x 4 bicubic taps, DY rows from base, weighted by wx
// (written out rather than looped: loops are where small compilers stumble).
#define CUBIC_ROW(DY) \
  (src.Load(int3(clamp(base + float2(-1, DY), region.xy, region.xy + region.zw - 1.0), 0)).rgb * wx.x + \
   src.Load(int3(clamp(base + float2(0, DY), region.xy, region.xy + region.zw - 1.0), 0)).rgb * wx.y + \
   src.Load(int3(clamp(base + float2(1, DY), region.xy, region.xy + region.zw - 1.0), 0)).rgb * wx.z + \
   src.Load(int3(clamp(base + float2(2, DY), region.xy, region.xy + region.zw - 1.0), 0)).rgb * wx.w)

float4 ps_plain(VsOut v) : SV_Target {
  float2 tc = region.xy + v.uv * region.zw;
  float3 c;
  if (params.x > 3.5) {  // bicubic over 4 x 4 texels
    float2 p = tc - 0.5;
    float2 base = floor(p);
    float2 f = p - base;
    float4 wx = float4(MITCHELL_FAR(1.0 + f.x), MITCHELL_NEAR(f.x), MITCHELL_NEAR(1.0 - f.x), MITCHELL_FAR(2.0 - f.x));
    float4 wy = float4(MITCHELL_FAR(1.0 + f.y), MITCHELL_NEAR(f.y), MITCHELL_NEAR(1.0 - f.y), MITCHELL_FAR(2.0 - f.y));
    c = (CUBIC_ROW(-1) * wy.x + CUBIC_ROW(0) * wy.y + CUBIC_ROW(1) * wy.z + CUBIC_ROW(2) * wy.w) /
        ((wx.x + wx.y + wx.z + wx.w) * (wy.x + wy.y + wy.z + wy.w));
  } else if (params.x > 2.5) {  // sharp bilinear: blends only a band along the texel edges
    float2 p = tc - 0.5;
    float2 base = floor(p);
    float2 f = saturate((p - base - 0.5) * xs.xy + 0.5);
    c = lerp(lerp(TEXEL(base), TEXEL(base + float2(1, 0)), f.x),
             lerp(TEXEL(base + float2(0, 1)), TEXEL(base + float2(1, 1)), f.x), f.y);
  } else if (params.x > 0.5) {
    c = src.Sample(linear_sampler, tc * ss.zw).rgb;
  } else {
    c = src.Sample(point_sampler, tc * ss.zw).rgb;
  }
  float2 dither_pos = floor(tc);
  float3 dither_delta;
  DITHER_DELTA
  return float4(c + dither_delta, 1);
}
)hlsl";

const char kFilterXbrzShader[] = R"hlsl(
// xBRZ at any output size. Each output pixel looks at its texel E and the
// 5 x 5 texels around it; the corner analysis of the four 2 x 2 blocks that
// hold E tells which of E's corners lie on an edge, and each such corner is
// blended towards a neighbour up to a line whose slope follows the edge.
#define XBRZ_EQUAL_TOLERANCE (30.0 / 255.0)
#define XBRZ_STEEP_DIRECTION 2.2
#define XBRZ_DOMINANT_DIRECTION 3.6
#define BLEND_NONE 0.0
#define BLEND_NORMAL 1.0

// Colour distance in YCbCr (BT.2020 weights, luminance weight 1); ycbcr is
// the caller's conversion matrix.
#define DIST(A, B) length(mul(ycbcr, (A) - (B)))
#define SIMILAR(A, B) (length(mul(ycbcr, (A) - (B))) < XBRZ_EQUAL_TOLERANCE)
#define SAME(A, B) ((A).r == (B).r && (A).g == (B).g && (A).b == (B).b)

// Declares float3 NAME, the texel at (DX, DY) from E with its dither correction.
#define XBRZ_TAP(NAME, DX, DY) \
  float3 NAME; \
  dither_pos = e_pos + float2(DX, DY); \
  NAME = TEXEL(dither_pos); \
  DITHER_DELTA \
  NAME += dither_delta;

// Corner analysis of the block F G / J K in the 4 x 4 kernel
//   A B C D
//   E F G H
//   I J K L
//   M N O P
// Declares NAME_f, NAME_g, NAME_j, NAME_k: the blend type (0 none, 1 normal,
// 2 dominant) of the block's centre corner as seen from each of the four.
#define XBRZ_CORNERS(NAME, A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P) \
  float NAME##_f = BLEND_NONE; \
  float NAME##_g = BLEND_NONE; \
  float NAME##_j = BLEND_NONE; \
  float NAME##_k = BLEND_NONE; \
  { \
    float3 kb = B; \
    float3 kc = C; \
    float3 ke = E; \
    float3 kf = F; \
    float3 kg = G; \
    float3 kh = H; \
    float3 ki = I; \
    float3 kj = J; \
    float3 kk = K; \
    float3 kl = L; \
    float3 kn = N; \
    float3 ko = O; \
    if (!((SAME(kf, kg) && SAME(kj, kk)) || (SAME(kf, kj) && SAME(kg, kk)))) { \
      float jg = DIST(ki, kf) + DIST(kf, kc) + DIST(kn, kk) + DIST(kk, kh) + 4.0 * DIST(kj, kg); \
      float fk = DIST(ke, kj) + DIST(kj, ko) + DIST(kb, kg) + DIST(kg, kl) + 4.0 * DIST(kf, kk); \
      if (jg < fk) { \
        float along_jg = BLEND_NORMAL + (float)(XBRZ_DOMINANT_DIRECTION * jg < fk); \
        if (!SAME(kf, kg) && !SAME(kf, kj)) NAME##_f = along_jg; \
        if (!SAME(kk, kj) && !SAME(kk, kg)) NAME##_k = along_jg; \
      } else if (fk < jg) { \
        float along_fk = BLEND_NORMAL + (float)(XBRZ_DOMINANT_DIRECTION * fk < jg); \
        if (!SAME(kj, kf) && !SAME(kj, kk)) NAME##_j = along_fk; \
        if (!SAME(kg, kf) && !SAME(kg, kk)) NAME##_g = along_fk; \
      } \
    } \
  }

// Blends into RES the corner of E that lies between F and H (I beyond it),
// in a frame turned so that F is to the right and H below:
//   A B C
//   D E F
//   G H I
// POS is the output position in that frame (E spans -0.5..0.5), SCALE the
// output pixels per texel along its axes, BLEND the corner's type and
// NEXT_F / NEXT_H the types of E's corners beside it on F's and H's side.
#define XBRZ_BLEND_CORNER(RES, POS, SCALE, BLEND, NEXT_F, NEXT_H, B, C, D, E, F, G, H, I) \
  if ((BLEND) > BLEND_NONE) { \
    float3 cb = B; \
    float3 cc = C; \
    float3 cd = D; \
    float3 ce = E; \
    float3 cf = F; \
    float3 cg = G; \
    float3 ch = H; \
    float3 ci = I; \
    bool along_line = (BLEND) > BLEND_NORMAL; \
    if (!along_line) \
      along_line = !(((NEXT_F) > BLEND_NONE && !SIMILAR(ce, cg)) || ((NEXT_H) > BLEND_NONE && !SIMILAR(ce, cc)) || \
                     (!SIMILAR(ce, ci) && SIMILAR(cg, ch) && SIMILAR(ch, ci) && SIMILAR(ci, cf) && SIMILAR(cf, cc))); \
    float2 origin = float2(0.0, 0.70710678); \
    float2 dir = float2(1.0, -1.0); \
    if (along_line) { \
      float fg = DIST(cf, cg); \
      float hc = DIST(ch, cc); \
      origin = float2(0.0, 0.5); \
      if (XBRZ_STEEP_DIRECTION * fg <= hc && !SAME(ce, cg) && !SAME(cd, cg)) { \
        origin = float2(0.0, 0.25); \
        dir.x = 2.0; \
      } \
      if (XBRZ_STEEP_DIRECTION * hc <= fg && !SAME(ce, cc) && !SAME(cb, cc)) dir.y = -2.0; \
    } \
    float2 rel = (POS) - origin; \
    float2 off = rel - dir * (dot(rel, dir) / dot(dir, dir)); \
    float side = length(off * (SCALE)); \
    if (dot(rel, float2(-dir.y, dir.x)) < 0) side = -side; \
    float t = saturate((side + 0.70710678) / 1.41421356); \
    float3 toward = ch; \
    if (DIST(ce, cf) <= DIST(ce, ch)) toward = cf; \
    RES = lerp(RES, toward, t * t * (3.0 - 2.0 * t)); \
  }

float4 ps_xbrz(VsOut v) : SV_Target {
  float2 tc = region.xy + v.uv * region.zw;
  float2 e_pos = floor(tc);
  float2 pos = tc - e_pos - 0.5;
  float2 dither_pos;
  float3 dither_delta;
  float cb = 0.5 / (1.0 - 0.0593);
  float cr = 0.5 / (1.0 - 0.2627);
  float3x3 ycbcr = float3x3(0.2627, 0.6780, 0.0593,
                            -0.2627 * cb, -0.6780 * cb, 0.5,
                            0.5, -0.6780 * cr, -0.0593 * cr);
  // kXY: the texel at (X - 2, Y - 2) from E.
  XBRZ_TAP(k00, -2, -2) XBRZ_TAP(k10, -1, -2) XBRZ_TAP(k20, 0, -2) XBRZ_TAP(k30, 1, -2) XBRZ_TAP(k40, 2, -2)
  XBRZ_TAP(k01, -2, -1) XBRZ_TAP(k11, -1, -1) XBRZ_TAP(k21, 0, -1) XBRZ_TAP(k31, 1, -1) XBRZ_TAP(k41, 2, -1)
  XBRZ_TAP(k02, -2, 0) XBRZ_TAP(k12, -1, 0) XBRZ_TAP(k22, 0, 0) XBRZ_TAP(k32, 1, 0) XBRZ_TAP(k42, 2, 0)
  XBRZ_TAP(k03, -2, 1) XBRZ_TAP(k13, -1, 1) XBRZ_TAP(k23, 0, 1) XBRZ_TAP(k33, 1, 1) XBRZ_TAP(k43, 2, 1)
  XBRZ_TAP(k04, -2, 2) XBRZ_TAP(k14, -1, 2) XBRZ_TAP(k24, 0, 2) XBRZ_TAP(k34, 1, 2) XBRZ_TAP(k44, 2, 2)

  // The four blocks holding E; E is K of the top-left one, J of the top-right,
  // G of the bottom-left and F of the bottom-right.
  XBRZ_CORNERS(tl, k00, k10, k20, k30, k01, k11, k21, k31, k02, k12, k22, k32, k03, k13, k23, k33)
  XBRZ_CORNERS(tr, k10, k20, k30, k40, k11, k21, k31, k41, k12, k22, k32, k42, k13, k23, k33, k43)
  XBRZ_CORNERS(bl, k01, k11, k21, k31, k02, k12, k22, k32, k03, k13, k23, k33, k04, k14, k24, k34)
  XBRZ_CORNERS(br, k11, k21, k31, k41, k12, k22, k32, k42, k13, k23, k33, k43, k14, k24, k34, k44)

  // E's corners in turn: bottom-right, bottom-left, top-left, top-right.
  float3 res = k22;
  XBRZ_BLEND_CORNER(res, pos, xs.xy, br_f, tr_j, bl_g, k21, k31, k12, k22, k32, k13, k23, k33)
  XBRZ_BLEND_CORNER(res, float2(pos.y, -pos.x), xs.yx, bl_g, br_f, tl_k, k32, k33, k21, k22, k23, k11, k12, k13)
  XBRZ_BLEND_CORNER(res, -pos, xs.xy, tl_k, bl_g, tr_j, k23, k13, k32, k22, k12, k31, k21, k11)
  XBRZ_BLEND_CORNER(res, float2(-pos.y, pos.x), xs.yx, tr_j, tl_k, br_f, k12, k11, k23, k22, k21, k33, k32, k31)
  return float4(res, 1);
}
)hlsl";

const char kFilterFxaaShader[] = R"hlsl(
// FXAA over the whole picture: find the edge direction from the luma of the
// four diagonal neighbours and blend along it, keeping the wider blend only
// while its luma stays within the neighbourhood's range.
#define FXAA_LUMA(C) dot((C), float3(0.299, 0.587, 0.114))
#define FXAA_TAP(UV) src.Sample(linear_sampler, (UV)).rgb

float4 ps_fxaa(VsOut v) : SV_Target {
  float2 px = ss.zw;
  float3 nw = FXAA_TAP(v.uv + float2(-1, -1) * px);
  float3 ne = FXAA_TAP(v.uv + float2(1, -1) * px);
  float3 sw = FXAA_TAP(v.uv + float2(-1, 1) * px);
  float3 se = FXAA_TAP(v.uv + float2(1, 1) * px);
  float3 m = FXAA_TAP(v.uv);
  float l_nw = FXAA_LUMA(nw);
  float l_ne = FXAA_LUMA(ne);
  float l_sw = FXAA_LUMA(sw);
  float l_se = FXAA_LUMA(se);
  float l_m = FXAA_LUMA(m);
  float l_min = min(l_m, min(min(l_nw, l_ne), min(l_sw, l_se)));
  float l_max = max(l_m, max(max(l_nw, l_ne), max(l_sw, l_se)));
  float2 dir = float2((l_sw + l_se) - (l_nw + l_ne), (l_nw + l_sw) - (l_ne + l_se));
  float reduce = max((l_nw + l_ne + l_sw + l_se) * (0.25 * (1.0 / 8.0)), 1.0 / 128.0);
  float dir_scale = 1.0 / (min(abs(dir.x), abs(dir.y)) + reduce);
  dir = clamp(dir * dir_scale, -8.0, 8.0) * px;
  float3 a = 0.5 * (FXAA_TAP(v.uv - dir / 6.0) + FXAA_TAP(v.uv + dir / 6.0));
  float3 b = a * 0.5 + 0.25 * (FXAA_TAP(v.uv - dir * 0.5) + FXAA_TAP(v.uv + dir * 0.5));
  float l_b = FXAA_LUMA(b);
  float3 c = b;
  if (l_b < l_min || l_b > l_max) c = a;
  return float4(c, 1);
}
)hlsl";

std::string ScalingShaderText() { return std::string(kFilterCommonShader) + kFilterXbrzShader; }
std::string FxaaShaderText() { return std::string(kFilterCommonShader) + kFilterFxaaShader; }
