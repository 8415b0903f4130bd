// The filter window's shader texts, compiled at run time. The common text
// (constants, vs_disp, ps_plain) is joined with the xBRZ text for the
// scaling pass and with the FXAA text for the second pass.
#pragma once
#include <string>

extern const char kFilterCommonShader[];
extern const char kFilterXbrzShader[];
extern const char kFilterFxaaShader[];

// The name the compiler reports errors under.
constexpr const char kFilterShaderName[] = "fx.hlsl";

std::string ScalingShaderText();  // vs_disp, ps_plain, ps_xbrz
std::string FxaaShaderText();     // ps_fxaa
