// Pad code texts ("<joystick number>_<item>", without "JOYCODE_"): the codes
// the launcher proposes and the words shown for them.
#pragma once
#include <string>

enum class TriggerSide { Left, Right };

// The code of a pad's trigger: the probe's own token when it knows one, else
// the slider (XInput) or Z axis form.
std::string TriggerCode(int pad, TriggerSide side);

// "Pad 1 X", "Pad 2 Stick Up", ...; "-" for no code, the code itself when it
// has no joystick number.
std::string PadCodeText(const std::string& code);

// Leading joystick number of a code, 0 when there is none.
int PadNumberOf(const std::string& code);
