#include "ui/palette.h"

PaletteEntry PaletteFor(ColourRole role) {
  switch (role) {
    case ColourRole::Face: return {0x202020, kSystemFace, 0xF0F0F0};
    case ColourRole::ControlBackground: return {0x282828, kSystemWindow, 0xFFFFFF};
    case ColourRole::Text: return {0xE8E8E8, kSystemWindowText, 0x000000};
    case ColourRole::DimText: return {0x8C8C8C, kSystemGrayText, 0x6D6D6D};
    case ColourRole::Panel: return {0x303030, -1, 0xF2F2F2};
    case ColourRole::DialogField: return {0x383838, kSystemWindow, 0xFFFFFF};
    case ColourRole::Separator: return {0x505050, -1, 0xD5D5D5};
    case ColourRole::MenuHot: return {0x3E3E3E, -1, 0x3E3E3E};
    case ColourRole::MenuPushed: return {0x4E4E4E, -1, 0x4E4E4E};
    case ColourRole::TabAccent: return {0x0078D7, -1, 0x0078D7};
    case ColourRole::ToolPushed: return {0x5C5C5C, -1, 0xC4C4C4};
    case ColourRole::ToolHot: return {0x444444, -1, 0xDEDEDE};
    case ColourRole::ToolChecked: return {0x3E3E3E, -1, 0xD6D6D6};
    case ColourRole::StatusAvailable: return {0x2EA043, -1, 0x2EA043};
    case ColourRole::StatusMissing: return {0xD64541, -1, 0xD64541};
    case ColourRole::StatusDamaged: return {0xD29922, -1, 0xD29922};
    case ColourRole::StatusNotChecked: return {0x3D8BD9, -1, 0x3D8BD9};
    case ColourRole::StatusUnknown: return {0x8C8C8C, -1, 0x8C8C8C};
    case ColourRole::Link: return {0x5AAAFF, -1, 0x0066CC};
    case ColourRole::Selection: return {0x0063B1, kSystemHighlight, 0x0078D7};
    case ColourRole::SelectionText: return {0xFFFFFF, kSystemHighlightText, 0xFFFFFF};
    case ColourRole::SelectionUnfocused: return {0x464646, kSystemFace, 0xF0F0F0};
  }
  return {0, -1, 0};
}

uint32_t PaletteColour(ColourRole role, bool dark) {
  PaletteEntry entry = PaletteFor(role);
  return dark ? entry.dark_rgb : entry.light_rgb;
}
