// The options pages driven as a person would: a control changed, then the command it sends itself.
#pragma once

#include "app/main_window_proc_ui_win.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_fields_ui_win.h"
#include "scratch_launcher_win.h"
#include "ui/tool_bar_win.h"

// The control on whichever tab holds it: the tabs are opened in turn (a page makes its controls when shown).
inline HWND FindPageControl(int id) {
  for (int tab = 0; !PageControl(id) && tab < kOptionsTabCount; ++tab) ShowOptionsTab(tab);
  return PageControl(id);
}
inline void ActOnPage(int id, int code, const std::function<void(HWND)>& set) {
  HWND w = FindPageControl(id);
  set(w);
  SendMessageW(GetParent(w), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(w));
}
// A button, or a check box flipped.
inline void ClickPage(int id) {
  ActOnPage(id, BN_CLICKED, [id](HWND w) {
    if ((GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) SendMessageW(w, BM_SETCHECK, !IsChecked(id), 0);
  });
}
inline void ChoosePage(int id, int index) {
  ActOnPage(id, CBN_SELCHANGE, [index](HWND w) { SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(index), 0); });
}
inline void TypePage(int id, const std::string& text) {
  ActOnPage(id, EN_KILLFOCUS, [&text](HWND w) { SetControlText(w, text); });
}
inline std::string PageText(int id) { return ControlText(FindPageControl(id)); }
// A toolbar toggle shown pressed.
inline bool ToolChecked(int id) { return IsToolChecked(Main().toolbar, id); }
inline bool PageEnabled(int id) { return IsWindowEnabled(FindPageControl(id)) != 0; }
// The label made just before its control.
inline bool PageLabelEnabled(int id) { return IsWindowEnabled(GetWindow(FindPageControl(id), GW_HWNDPREV)) != 0; }
inline std::string SelectedEntry(int id) { return ChosenEntry(FindPageControl(id)); }

// "key=value" is a whole line of a settings text.
inline bool HasLine(const std::string& text, const std::string& line) {
  return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}
inline std::string LineValue(const std::string& text, const std::string& key) {
  const size_t at = ("\r\n" + text).find("\r\n" + key + "=");
  return at == std::string::npos ? "<missing>" : text.substr(at + key.size() + 1, text.find("\r\n", at) - at - key.size() - 1);
}

// The launcher's own message loop (accelerators, dialog keys) until `done` holds or `ms` have passed.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 15000) {
  for (const DWORD end = GetTickCount() + ms;; Sleep(5)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      if (!PreTranslateMainMessage(msg) && !LauncherDialogMessage(msg)) TranslateMessage(&msg), DispatchMessageW(&msg);
    if (done && done()) return true;
    if (static_cast<LONG>(GetTickCount() - end) >= 0) return false;
  }
}

// Answers the box or dialog titled `title` with `button`.
inline DialogDriver::Answer Say(const std::string& title, int button) {
  return [title, button](HWND w, const SeenBox& box) {
    return box.title == title && PostMessageW(w, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  };
}
// Runs `act` with the box titled `title` answered by `button`; the text it showed ("<none>" when none came).
inline std::string Answered(const std::string& title, int button, const std::function<void()>& act) {
  DialogDriver driver(Say(title, button));
  act();
  return driver.Seen().empty() ? "<none>" : driver.Seen()[0].text;
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

// Debian's MAME on `args`, its home in `folder`; the caller waits for what it writes. False where it cannot run.
inline bool StartRealMame(const std::string& folder, const std::string& args) {
  const std::string home = UnixPath(folder);
  if (home.empty()) return false;
  SetEnvironmentVariableW(L"HOME", Utf8ToUtf16(home).c_str());
  HANDLE mame = StartProgram("Z:\\usr\\games\\mame", args + " -homepath " + home + " -cfg_directory " + home +
                                                         "/cfg -nvram_directory " + home + "/nvram -video none -sound none");
  if (mame) CloseHandle(mame);
  return true;
}
