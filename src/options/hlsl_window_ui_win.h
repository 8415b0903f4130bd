// The HLSL Settings window: MAME's HLSL parameters as a list of values with
// presets; OK stores the values that differ from MAME's defaults in
// App().settings.hlsl_options.
#pragma once
#include <windows.h>

void OpenHlslSettings(HWND owner);
