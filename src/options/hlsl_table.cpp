#include "options/hlsl_table.h"

#include <iterator>

namespace {
// Row order is the order of the window and of the stored text.
constexpr HlslOption kHlslOptions[] = {
    {"Scanlines", "Alpha (0 = off)", "scanline_alpha", "0.0", HlslKind::Number, 0, 4},
    {"Scanlines", "Height Scale", "scanline_size", "1.0", HlslKind::Number, 0, 4},
    {"Scanlines", "Line Height", "scanline_height", "1.0", HlslKind::Number, 0, 4},
    {"Scanlines", "Variation", "scanline_variation", "1.0", HlslKind::Number, 0, 4},
    {"Scanlines", "Brightness Scale", "scanline_bright_scale", "1.0", HlslKind::Number, 0, 2},
    {"Scanlines", "Brightness Offset", "scanline_bright_offset", "0.0", HlslKind::Number, 0, 1},
    {"Scanlines", "Jitter", "scanline_jitter", "0.0", HlslKind::Number, 0, 4},
    {"Scanlines", "Hum Bar Alpha", "hum_bar_alpha", "0.0", HlslKind::Number, 0, 1},
    {"Shadow Mask", "Alpha (0 = off)", "shadow_mask_alpha", "0.0", HlslKind::Number, 0, 1},
    {"Shadow Mask", "Tile Mode (0 screen, 1 source)", "shadow_mask_tile_mode", "0", HlslKind::WholeNumber, 0, 1},
    {"Shadow Mask", "Tile Width", "shadow_mask_x_count", "6", HlslKind::WholeNumber, 1, 4096},
    {"Shadow Mask", "Tile Height", "shadow_mask_y_count", "4", HlslKind::WholeNumber, 1, 4096},
    {"Shadow Mask", "Texture Width (U)", "shadow_mask_usize", "0.1875", HlslKind::Number, 0, 1},
    {"Shadow Mask", "Texture Height (V)", "shadow_mask_vsize", "0.25", HlslKind::Number, 0, 1},
    {"Shadow Mask", "Offset U", "shadow_mask_uoffset", "0.0", HlslKind::Number, -1, 1},
    {"Shadow Mask", "Offset V", "shadow_mask_voffset", "0.0", HlslKind::Number, -1, 1},
    {"Screen Shape", "Distortion", "distortion", "0.0", HlslKind::Number, -1, 1},
    {"Screen Shape", "Cubic Distortion", "cubic_distortion", "0.0", HlslKind::Number, -1, 1},
    {"Screen Shape", "Distort Corner", "distort_corner", "0.0", HlslKind::Number, 0, 1},
    {"Screen Shape", "Round Corner", "round_corner", "0.0", HlslKind::Number, 0, 1},
    {"Screen Shape", "Smooth Border", "smooth_border", "0.0", HlslKind::Number, 0, 1},
    {"Screen Shape", "Reflection", "reflection", "0.0", HlslKind::Number, 0, 1},
    {"Screen Shape", "Vignetting", "vignetting", "0.0", HlslKind::Number, 0, 1},
    {"Bloom", "Scale (0 = off)", "bloom_scale", "0.0", HlslKind::Number, 0, 10},
    {"Bloom", "Blend Mode (0 brighten, 1 darken)", "bloom_blend_mode", "0", HlslKind::WholeNumber, 0, 1},
    {"Bloom", "Overdrive (R,G,B)", "bloom_overdrive", "1.0,1.0,1.0", HlslKind::List, 0, 0},
    {"Bloom", "Level 0 Weight", "bloom_lvl0_weight", "1.0", HlslKind::Number, 0, 4},
    {"Bloom", "Level 1 Weight", "bloom_lvl1_weight", "0.64", HlslKind::Number, 0, 4},
    {"Bloom", "Level 2 Weight", "bloom_lvl2_weight", "0.32", HlslKind::Number, 0, 4},
    {"Bloom", "Level 3 Weight", "bloom_lvl3_weight", "0.16", HlslKind::Number, 0, 4},
    {"Bloom", "Level 4 Weight", "bloom_lvl4_weight", "0.08", HlslKind::Number, 0, 4},
    {"Bloom", "Level 5 Weight", "bloom_lvl5_weight", "0.06", HlslKind::Number, 0, 4},
    {"Bloom", "Level 6 Weight", "bloom_lvl6_weight", "0.04", HlslKind::Number, 0, 4},
    {"Bloom", "Level 7 Weight", "bloom_lvl7_weight", "0.02", HlslKind::Number, 0, 4},
    {"Bloom", "Level 8 Weight", "bloom_lvl8_weight", "0.01", HlslKind::Number, 0, 4},
    {"Colour", "Saturation", "saturation", "1.0", HlslKind::Number, 0, 4},
    {"Colour", "Offset (R,G,B)", "offset", "0.0,0.0,0.0", HlslKind::List, 0, 0},
    {"Colour", "Scale (R,G,B)", "scale", "1.0,1.0,1.0", HlslKind::List, 0, 0},
    {"Colour", "Power (R,G,B)", "power", "1.0,1.0,1.0", HlslKind::List, 0, 0},
    {"Colour", "Floor (R,G,B)", "floor", "0.0,0.0,0.0", HlslKind::List, 0, 0},
    {"Colour", "Red Output (from R,G,B)", "red_ratio", "1.0,0.0,0.0", HlslKind::List, 0, 0},
    {"Colour", "Green Output (from R,G,B)", "grn_ratio", "0.0,1.0,0.0", HlslKind::List, 0, 0},
    {"Colour", "Blue Output (from R,G,B)", "blu_ratio", "0.0,0.0,1.0", HlslKind::List, 0, 0},
    {"Phosphor And Focus", "Phosphor Decay (R,G,B)", "phosphor_life", "0.0,0.0,0.0", HlslKind::List, 0, 0},
    {"Phosphor And Focus", "Defocus (X,Y)", "defocus", "0.0,0.0", HlslKind::List, 0, 0},
    {"Phosphor And Focus", "Convergence X (R,G,B)", "converge_x", "0.0,0.0,0.0", HlslKind::List, 0, 0},
    {"Phosphor And Focus", "Convergence Y (R,G,B)", "converge_y", "0.0,0.0,0.0", HlslKind::List, 0, 0},
    {"Phosphor And Focus", "Radial Convergence X (R,G,B)", "radial_converge_x", "0.0,0.0,0.0", HlslKind::List, 0, 0},
    {"Phosphor And Focus", "Radial Convergence Y (R,G,B)", "radial_converge_y", "0.0,0.0,0.0", HlslKind::List, 0, 0},
    {"NTSC (YIQ)", "Enable", "yiq_enable", "0", HlslKind::OnOff, 0, 1},
    {"NTSC (YIQ)", "Jitter", "yiq_jitter", "0.0", HlslKind::Number, -100, 100},
    {"NTSC (YIQ)", "Colour Carrier", "yiq_cc", "3.57954545", HlslKind::Number, 0, 100},
    {"NTSC (YIQ)", "A", "yiq_a", "0.5", HlslKind::Number, -100, 100},
    {"NTSC (YIQ)", "B", "yiq_b", "0.5", HlslKind::Number, -100, 100},
    {"NTSC (YIQ)", "O", "yiq_o", "0.0", HlslKind::Number, -100, 100},
    {"NTSC (YIQ)", "P", "yiq_p", "1.0", HlslKind::Number, -100, 100},
    {"NTSC (YIQ)", "N", "yiq_n", "1.0", HlslKind::Number, -100, 100},
    {"NTSC (YIQ)", "Y", "yiq_y", "6.0", HlslKind::Number, -100, 100},
    {"NTSC (YIQ)", "I", "yiq_i", "1.2", HlslKind::Number, -100, 100},
    {"NTSC (YIQ)", "Q", "yiq_q", "0.6", HlslKind::Number, -100, 100},
    {"NTSC (YIQ)", "Scan Time (us)", "yiq_scan_time", "52.6", HlslKind::Number, 0, 1000},
    {"NTSC (YIQ)", "Phase Count", "yiq_phase_count", "2", HlslKind::WholeNumber, 1, 16},
    {"Chroma", "Phosphors (1 mono, 2 dichrome, 3 colour)", "chroma_mode", "3", HlslKind::WholeNumber, 1, 3},
    {"Chroma", "Conversion Gain (R,G,B)", "chroma_conversion_gain", "0.299,0.587,0.114", HlslKind::List, 0, 0},
    {"Chroma", "First Phosphor (x,y)", "chroma_a", "0.64,0.33", HlslKind::List, 0, 0},
    {"Chroma", "Second Phosphor (x,y)", "chroma_b", "0.30,0.60", HlslKind::List, 0, 0},
    {"Chroma", "Third Phosphor (x,y)", "chroma_c", "0.15,0.06", HlslKind::List, 0, 0},
    {"Chroma", "Phosphor Gain (R,G,B)", "chroma_y_gain", "0.2126,0.7152,0.0722", HlslKind::List, 0, 0},
    {"Shadow Mask", "Texture File", "shadow_mask_texture", "shadow-mask.png", HlslKind::FileName, 0, 0},
    {"LUT", "Enable 3D LUT", "lut_enable", "0", HlslKind::OnOff, 0, 1},
    {"LUT", "LUT Texture File", "lut_texture", "lut-default.png", HlslKind::FileName, 0, 0},
    {"Other", "Oversampling", "hlsl_oversampling", "0", HlslKind::OnOff, 0, 1},
};

constexpr HlslPreset kHlslPresets[] = {
    {"None (MAME's Defaults)", ""},
    {"Light Scanlines", "-scanline_alpha 0.4"},
    {"Scanlines + Soft Glow", "-scanline_alpha 0.5 -bloom_scale 0.25"},
    {"CRT (Shadow Mask And Curve)",
     "-scanline_alpha 0.6 -shadow_mask_alpha 0.35 -distortion 0.05 -round_corner 0.03 -vignetting 0.2"},
    {"Arcade Monitor",
     "-scanline_alpha 0.55 -shadow_mask_alpha 0.3 -bloom_scale 0.3 -defocus 0.4,0.4 -vignetting 0.2 "
     "-saturation 1.15"},
};
}  // namespace

std::span<const HlslOption> HlslOptionTable() { return kHlslOptions; }
std::span<const HlslPreset> HlslPresets() { return kHlslPresets; }

int FindHlslOption(std::string_view name) {
  for (size_t i = 0; i < std::size(kHlslOptions); ++i)
    if (name == kHlslOptions[i].name) return static_cast<int>(i);
  return -1;
}
