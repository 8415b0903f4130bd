#include "ui/glyph_button_win.h"

#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr wchar_t kGlyph[] = L"glyph";
}  // namespace

ButtonBody DrawButtonBody(const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  const bool pushed = item->itemState & ODS_SELECTED, disabled = item->itemState & ODS_DISABLED;
  ButtonBody body;
  if (IsDarkTheme()) {
    // As the dark push buttons: a rounded body with a thin edge.
    body.face = ThemeColour(pushed ? ColourRole::ToolPushed : ColourRole::DialogField);
    body.ink = disabled ? DimTextColour() : TextColour();
    FillRect(dc, &r, FaceBrush());
    HPEN pen = CreatePen(PS_SOLID, 1, ThemeColour(ColourRole::Separator));
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, KeptBrush(body.face));
    RoundRect(dc, r.left, r.top, r.right, r.bottom, S(4), S(4));
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
  } else {
    body.face = GetSysColor(COLOR_BTNFACE);
    body.ink = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  }
  body.inside = r;
  if (pushed) OffsetRect(&body.inside, 1, 1);
  return body;
}

void DrawButtonFocus(const DRAWITEMSTRUCT* item, COLORREF ink) {
  if (!(item->itemState & ODS_FOCUS) || (item->itemState & ODS_NOFOCUSRECT)) return;
  RECT focus = item->rcItem;
  InflateRect(&focus, -S(3), -S(3));
  SetTextColor(item->hDC, ink);
  DrawFocusRect(item->hDC, &focus);
}

void DrawButtonText(const DRAWITEMSTRUCT* item, const ButtonBody& body, const wchar_t* text) {
  HDC dc = item->hDC;
  HGDIOBJ old_font = SelectObject(dc, Ui().font ? Ui().font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, body.ink);
  RECT inside = body.inside;
  DrawTextW(dc, text, -1, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
}

void ShowGlyph(HWND button, const wchar_t* glyph) {
  SetPropW(button, kGlyph, const_cast<wchar_t*>(glyph));
}

bool DrawGlyphButton(const DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_BUTTON) return false;
  auto glyph = static_cast<const wchar_t*>(GetPropW(item->hwndItem, kGlyph));
  if (!glyph) return false;
  ButtonBody body = DrawButtonBody(item);
  DrawButtonText(item, body, glyph);
  DrawButtonFocus(item, body.ink);
  return true;
}
