// Using the options pages of the real main window as a person would: each
// helper changes a control and sends the command the control itself sends,
// through its page to the main window's dispatch. Also what the window tests
// of the options and controls share: answering a box, reaching Debian's MAME.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/options_area_ui_win.h"
#include "app/options_fields_ui_win.h"
#include "base/utf16_win.h"
#include "dialog_driver_win.h"
#include "dialog_script_win.h"
#include "win_test_support.h"

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

inline std::string SelectedEntry(int id) {
  const int at = ComboSelection(FindPageControl(id));
  const std::vector<std::string> entries = ComboEntries(FindPageControl(id));
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

// Answers the box or dialog titled `title` with `button`.
inline DialogDriver::Answer Say(const std::string& title, int button) {
  return [title, button](HWND w, const SeenBox& box) {
    if (box.title != title) return false;
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return true;
  };
}

// Under Wine, Debian's MAME is a program of this system; "" where it is not.
inline std::string UnixPath(const std::string& windows_path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  auto to_unix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  char* path = to_unix ? to_unix(Utf8ToUtf16(windows_path).c_str()) : nullptr;
  std::string out = path ? path : "";
  if (path) HeapFree(GetProcessHeap(), 0, path);
  return GetFileAttributesW(L"Z:\\usr\\games\\mame") == INVALID_FILE_ATTRIBUTES ? "" : out;
}

// Starts Debian's MAME on `args` with its home, cfg and nvram folders in
// `folder`. Wine starts a Unix program without a handle to wait on (nor a
// trustworthy result): the caller waits for what MAME writes. False where
// that MAME cannot run.
inline bool StartRealMame(const std::string& folder, const std::string& args) {
  const std::string home = UnixPath(folder);
  if (home.empty()) return false;
  SetEnvironmentVariableW(L"HOME", Utf8ToUtf16(home).c_str());
  HANDLE mame = StartProgram("Z:\\usr\\games\\mame", args + " -homepath " + home + " -cfg_directory " + home +
                                                          "/cfg -nvram_directory " + home + "/nvram -video none -sound none");
  if (mame) CloseHandle(mame);
  return true;
}
