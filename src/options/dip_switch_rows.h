// The DIP Switches window's rows without the window: how many switches fit,
// what each drop-down list offers and selects, and the choices OK writes.
#pragma once
#include <string>
#include <vector>

#include "options/dip_cfg.h"
#include "options/machine_info.h"

inline constexpr const char* kNoDipSwitchesMessage = "This game has no DIP switches, or MAME did not list them.";
inline constexpr const char* kDipHeaderFormat =
    "%s\nThe DIP switches of the game as MAME keeps them (the game's own cfg file). The game must not be running.";

// The text at the top of the window: the game's title, then the line above.
std::string DipHeaderText(const std::string& title);

// Window height in 96-dpi units: 30 per switch plus 114, at most the work
// area's height less 90.
int DipWindowHeight(size_t switch_count, int work_area_height);
// Switches that get a row: those whose row (30 × i + 114) stays within the height.
size_t DipRowsThatFit(size_t switch_count, int window_height);

// The value names in order, " (default)" after the default one.
std::vector<std::string> DipListEntries(const DipSwitch& sw);
// The entry of the current value, or the first when none has it.
size_t DipSelectedEntry(const DipSwitch& sw, uint32_t current);

// OK: the selected entry of each shown switch (-1: no selection, left out).
std::vector<DipChoice> DipChoicesFromRows(const std::vector<DipSwitch>& switches, const std::vector<int>& selected);

// The choices OK writes. When the cfg file changed on disk while the window
// was open (MAME saved it meanwhile), only the switches the user changed are
// written: the others would put back what the window read, undoing MAME's.
std::vector<DipChoice> DipChoicesToSave(const std::vector<DipSwitch>& switches, const std::vector<int>& opened,
                                        const std::vector<int>& selected, bool file_changed);
