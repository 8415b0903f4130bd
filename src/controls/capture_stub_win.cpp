// Stand-in until the capture dialogs land: every capture is cancelled.
#include "controls/capture_ui_win.h"

bool CaptureKey(HWND, const std::string&, std::string&) { return false; }
bool CapturePadCode(HWND, const std::string&, bool, std::string&) { return false; }
