// Which controls of the options pages can be used, given the choices they
// depend on. Re-evaluated whenever one of the inputs changes.
#pragma once
#include <cstdint>

struct PageRuleInputs {
  int32_t video = 0;  // Video Mode: 0 Auto, 1 BGFX, 2 Direct3D, 3 OpenGL, 4 GDI
  bool fullscreen = false;
  bool hlsl = false;
  bool glsl = false;
  bool filter_window = false;
  bool joystick = true;
  int32_t sound = 0;  // 1 = Off
};

struct PageEnables {
  bool maximize = true;          // Maximize Window
  bool hlsl = false;             // HLSL (Direct3D Only)
  bool hlsl_settings = false;    // HLSL Settings…
  bool glsl = false;             // GLSL (OpenGL Only)
  bool glsl_options = false;     // GLSL Filter, GLSL Shader Name
  bool bgfx = true;              // BGFX Screen Effect, BGFX Backend
  bool filter_options = false;   // Filter Scaler, FXAA Filter, Dither Smoothing
  bool joystick_options = true;  // Controller Provider, contradictory directions, dead zone, saturation
  bool audio_options = true;     // Sample Rate, volume, Audio Latency
};

PageEnables EvaluatePageRules(const PageRuleInputs& in);
