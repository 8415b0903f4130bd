// Sizes of windows and controls are designed at 96 DPI and scaled to the screen.
#pragma once

// value × dpi / 96, rounded towards zero as the layouts expect.
constexpr int ScaleForDpi(int value, int dpi) { return value * dpi / 96; }
