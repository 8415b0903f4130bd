// The filter window's pixel shaders computed on the processor with the same
// formulas, so their behaviour can be checked on small pictures without a
// graphics card, and a picture read back from the screen can be compared.
#pragma once
#include <vector>

#include "filterwin/filter_params.h"

struct Rgb {
  float r = 0, g = 0, b = 0;
};

struct RgbImage {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // rows top to bottom
  RgbImage() = default;
  RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
  Rgb& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Rgb& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// One output pixel at texture position (u, v) in 0..1, as each pixel shader computes it.
Rgb ReferencePlain(const RgbImage& src, const DispConstants& k, float u, float v);
Rgb ReferenceXbrz(const RgbImage& src, const DispConstants& k, float u, float v);
Rgb ReferenceFxaa(const RgbImage& src, const DispConstants& k, float u, float v);

enum class ReferenceShader { kPlain, kXbrz, kFxaa };
// A whole pass into a target_w x target_h picture: the shader inside the
// constants' rect, opaque black elsewhere.
RgbImage RenderReferencePass(const RgbImage& src, const DispConstants& k, ReferenceShader shader, int target_w,
                             int target_h);
// What an 8-bit-per-channel render target keeps of a picture.
void QuantizeToUnorm8(RgbImage& image);
