// Value tests shared by the option editors. MAME reads these options with the
// C library, so only plain decimal texts are taken: no hex, no "inf" or "nan".
#pragma once
#include <string_view>

// The whole text is one decimal number: optional sign, digits with an optional
// point (at least one digit), optional exponent.
bool ReadDecimalNumber(std::string_view text, double& out);

// Optional sign and digits only: the form MAME's whole-number options accept.
bool IsWholeNumberText(std::string_view text);

// Spaces and tabs off both ends (what the value prompts trim).
std::string_view TrimBlanks(std::string_view text);

// A value that would break the one-line settings file or the command line.
bool HasControlCharacter(std::string_view text);
