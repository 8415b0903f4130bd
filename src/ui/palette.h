// The colours of the two looks as data. Colours are 0xRRGGBB.
#pragma once
#include <cstdint>

enum class ColourRole {
  Face,               // window and page background
  ControlBackground,  // edit fields, selected tab, list
  Text,
  DimText,            // disabled controls and controls marked "dim"
  Panel,              // list header
  DialogField,        // edit and list-box fields in dialogs
  Separator,          // header separators, status-bar top line
  MenuHot,
  MenuPushed,
  TabAccent,          // bar above the selected tab
  ToolPushed,
  ToolHot,
  ToolChecked,        // checked tool button that is neither hot nor pushed
  StatusAvailable,
  StatusMissing,
  StatusDamaged,
  StatusNotChecked,
  StatusUnknown,
  Link,               // link-style labels in dialogs
  Selection,          // the selected list row while the list has the focus
  SelectionText,
  SelectionUnfocused,  // the selected list row while the focus is elsewhere
};

// Indices of the system colours the light look borrows (GetSysColor numbering).
constexpr int kSystemWindow = 5;
constexpr int kSystemWindowText = 8;
constexpr int kSystemHighlight = 13;
constexpr int kSystemHighlightText = 14;
constexpr int kSystemFace = 15;
constexpr int kSystemGrayText = 17;

struct PaletteEntry {
  uint32_t dark_rgb;
  int light_system_index;  // a system colour to ask for in the light look, or -1
  uint32_t light_rgb;      // the light colour when there is no system colour (else a
                           // typical value of it); roles the light look never paints
                           // carry the dark value
};

PaletteEntry PaletteFor(ColourRole role);

// The colour of a role in one look, with system colours at their typical value;
// the Windows layer asks the system for those instead.
uint32_t PaletteColour(ColourRole role, bool dark);
