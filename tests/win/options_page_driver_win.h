// Using the options pages of the real main window as a person would: each
// helper changes a control and sends the command the control itself sends,
// through its page to the main window's dispatch.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/options_area_ui_win.h"
#include "app/options_fields_ui_win.h"
#include "base/utf16_win.h"
#include "ui/modal_dialog_ui_win.h"

// The control with this id on whichever tab holds it: the tabs are opened in
// turn, as a person looks for it (a page gets its controls when first shown).
inline HWND FindPageControl(int id) {
  for (int tab = 0; !PageControl(id) && tab < kOptionsTabCount; ++tab) ShowOptionsTab(tab);
  return PageControl(id);
}

inline void SendPageCommand(HWND control, int code) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

// A button, or a check box flipped.
inline void ClickPage(int id) {
  HWND w = FindPageControl(id);
  if ((GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
    SendMessageW(w, BM_SETCHECK, IsChecked(id) ? BST_UNCHECKED : BST_CHECKED, 0);
  SendPageCommand(w, BN_CLICKED);
}

inline void ChoosePage(int id, int index) {
  HWND w = FindPageControl(id);
  SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendPageCommand(w, CBN_SELCHANGE);
}

inline void TypePage(int id, const std::string& text) {
  HWND w = FindPageControl(id);
  SetControlText(w, text);
  SendPageCommand(w, EN_KILLFOCUS);
}

inline std::string PageText(int id) { return ControlText(FindPageControl(id)); }
inline bool PageEnabled(int id) { return IsWindowEnabled(FindPageControl(id)) != 0; }
// The label made just before its control.
inline bool PageLabelEnabled(int id) { return IsWindowEnabled(GetWindow(FindPageControl(id), GW_HWNDPREV)) != 0; }

inline std::vector<std::string> PageEntries(int id) {
  std::vector<std::string> entries;
  HWND w = FindPageControl(id);
  int count = static_cast<int>(SendMessageW(w, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = L"";
    SendMessageW(w, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    entries.push_back(Utf16ToUtf8(text));
  }
  return entries;
}

inline std::string SelectedEntry(int id) {
  int at = ComboSelection(FindPageControl(id));
  std::vector<std::string> entries = PageEntries(id);
  return at >= 0 && static_cast<size_t>(at) < entries.size() ? entries[static_cast<size_t>(at)] : std::string();
}

// "key=value" is a whole line of a settings text.
inline bool HasLine(const std::string& text, const std::string& line) {
  return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}

inline std::string LineValue(const std::string& text, const std::string& key) {
  std::string from = "\r\n" + text;
  size_t at = from.find("\r\n" + key + "=");
  if (at == std::string::npos) return "<missing>";
  at += key.size() + 3;
  return from.substr(at, from.find("\r\n", at) - at);
}
