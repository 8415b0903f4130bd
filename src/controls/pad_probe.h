// MAME's own view of the pads: which joysticks it found, in which order, and
// the names, tokens and resting values of their items. The launcher needs it
// because MAME numbers pads and names their items itself.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ProbeItem {
  std::string name;   // e.g. "A", "LB", "LSX", "RT", "D-pad Up"
  std::string token;  // item part of a MAME code name, e.g. BUTTON1, SLIDER2, HAT1UP
  int32_t current = 0;
};

struct ProbeDevice {
  int32_t devindex = 0;  // 0-based; its joystick number in code names is devindex + 1
  std::string name;
  std::vector<ProbeItem> items;
};

using PadProbe = std::vector<ProbeDevice>;

// Reads a probe report ("D|..." and "I|..." lines); other lines are ignored.
PadProbe ParsePadProbe(const std::string& text);
// A report is complete only when the plugin got as far as its "END" line.
bool IsCompleteProbeReport(const std::string& text);

// Questions answered from a report. Without data: 0, true, nothing, nothing.
int XInputPadNumber(const PadProbe& probe, int n);
// The pad a player's default codes use: the player's XInput pad, else the
// player's own number, except that player 2 never falls back to player 1's
// pad (with only joystick 2 an XInput pad, player 1 takes it and player 2
// gets joystick 1).
int DefaultPadOfPlayer(const PadProbe& probe, int player);
bool IsXInputPad(const PadProbe& probe, int pad);
std::optional<ProbeItem> ProbeTokenOf(const PadProbe& probe, int pad, const std::string& item_name);
std::optional<std::string> ProbeNameOfToken(const PadProbe& probe, int pad, const std::string& token);

// The process-wide probe: read lazily from korvo-padprobe.txt once per run,
// unless a probe run came first.
void LoadPadProbe();
const PadProbe& CurrentPadProbe();
// Replaces the process-wide probe and marks it loaded (tests, and a probe run).
void SetCurrentPadProbe(PadProbe probe);
// Keeps what the probe holds and stops a later read of the report file.
void MarkPadProbeLoaded();
void ForgetPadProbe();  // back to "nothing read yet"

int XInputPadNumber(int n);
int DefaultPadOfPlayer(int player);
bool IsXInputPad(int pad);
std::optional<ProbeItem> ProbeTokenOf(int pad, const std::string& item_name);
std::optional<std::string> ProbeNameOfToken(int pad, const std::string& token);
