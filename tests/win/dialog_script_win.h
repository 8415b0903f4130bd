// Modal windows' loops run on the test thread, so a thread timer plays the user: a DialogScript retries each step
// until it is done, a DialogDriver answers every box or dialog once.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "base/utf16_win.h"
#include "options/option_list_ui_win.h"  // SelectedListRow
#include "screenshot_win.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/ui_metrics_win.h"

// What every journey is checked for, installed by the tests (the benchmarks drive the windows without it).
inline void (*g_journey_check)(bool ok, const std::string& what) = nullptr;

// A message box (#32770) or one of the launcher's own dialogs, shown.
inline bool IsBoxOrDialog(HWND w, bool* box = nullptr) {
  wchar_t name[32] = L"";
  GetClassNameW(w, name, 32);
  if (box) *box = !lstrcmpW(name, L"#32770");
  return IsWindowVisible(w) && (!lstrcmpW(name, L"#32770") || !lstrcmpW(name, L"KorvoModal"));
}

// A message box's text (its static control 0xFFFF).
inline std::string BoxText(HWND box) { return ControlText(GetDlgItem(box, 0xFFFF)); }

struct SeenBox {
  std::string title, text;
  bool box = false;  // a message box or common dialog, not one of the launcher's own
};

class DialogDriver {
 public:
  // `answer` acts on each box or dialog once; where it returns false: OK, else No for a box, Cancel for a dialog.
  using Answer = std::function<bool(HWND window, const SeenBox& box)>;
  explicit DialogDriver(Answer answer = nullptr) : answer_(std::move(answer)) { active_ = this; }
  ~DialogDriver() { KillTimer(nullptr, timer_), active_ = active_ == this ? nullptr : active_; }
  const std::vector<SeenBox>& Seen() const { return seen_; }
  std::string Titles() const {
    std::string all;
    for (const SeenBox& b : seen_) all += "\"" + b.title + "\" ";
    return all;
  }
  bool SawTitle(const std::string& title) const {
    return std::any_of(seen_.begin(), seen_.end(), [&](const SeenBox& b) { return b.title == title; });
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { if (active_) active_->Check(); }
  void Check() {
    std::vector<HWND> windows;
    auto collect = [](HWND w, LPARAM list) { return reinterpret_cast<std::vector<HWND>*>(list)->push_back(w), TRUE; };
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&windows));
    for (HWND w : windows) {
      bool box = false;
      // Marked on the window itself: the next box may get the handle of the one just closed.
      if (GetPropW(w, L"KorvoTestAnswered") || !IsBoxOrDialog(w, &box)) continue;
      SetPropW(w, L"KorvoTestAnswered", reinterpret_cast<HANDLE>(1));
      const SeenBox seen{ControlText(w), BoxText(w), box};
      seen_.push_back(seen);
      if (answer_ && answer_(w, seen)) continue;
      const int id = box ? (GetDlgItem(w, IDOK) ? IDOK : IDNO) : (GetDlgItem(w, IDCANCEL) ? IDCANCEL : IDOK);
      // Pressed as a user presses it: a dialog that lost its button cannot be left this way.
      const HWND button = GetDlgItem(w, id);
      const bool leavable = button && IsWindowVisible(button) && IsWindowEnabled(button);
      if (g_journey_check) g_journey_check(leavable, "\"" + seen.title + "\" has no button to leave by");
      PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
  }
  static inline DialogDriver* active_ = nullptr;
  Answer answer_;
  std::vector<SeenBox> seen_;
  UINT_PTR timer_ = SetTimer(nullptr, 0, 60, Tick);
};

class DialogScript {
 public:
  using Step = std::function<bool()>;
  DialogScript() { current_ = this; }
  ~DialogScript() { KillTimer(nullptr, timer_), current_ = nullptr; }
  DialogScript& Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
  }
  bool Finished() const { return steps_.empty(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* s = current_;
    if (!s || s->busy_ || s->steps_.empty()) return;
    s->busy_ = true;
    Step step = s->steps_.front();
    if (step()) s->steps_.pop_front();
    s->busy_ = false;
  }
  static inline DialogScript* current_ = nullptr;
  std::deque<Step> steps_;
  UINT_PTR timer_ = SetTimer(nullptr, 0, 40, Tick);
  bool busy_ = false;
};

// One-time set-up of what start-up does for the windows.
inline void InitWindowsForTests() {
  static bool done = false;
  if (done) return;
  done = true;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  InitUiMetrics(GetModuleHandleW(nullptr));
  RegisterModalDialogClass(GetModuleHandleW(nullptr));
}

// The launcher's own dialogs; message boxes and common dialogs.
inline HWND FindShown(const wchar_t* window_class, const std::string& title) {
  HWND w = FindWindowW(window_class, Utf8ToUtf16(title).c_str());
  return w && IsWindowVisible(w) ? w : nullptr;
}
inline HWND FindModal(const std::string& title) { return FindShown(L"KorvoModal", title); }
inline HWND FindBox(const std::string& title) { return FindShown(L"#32770", title); }

// Runs `open` (a modal loop) while `act` gets the dialog titled `title` on each tick until it returns true.
inline bool WhenShown(const std::string& title, const std::function<bool(HWND)>& act, const std::function<void()>& open) {
  DialogScript script;
  script.Then([&] {
    HWND window = FindModal(title);
    return window && act(window);
  });
  open();
  return script.Finished();
}

inline std::string ItemText(HWND dialog, int id) { return ControlText(GetDlgItem(dialog, id)); }

// A left click at `at` (client coordinates), through the window's own mouse handling.
inline void ClickAt(HWND window, POINT at) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}
inline POINT MiddleOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
// A drag with the left button from `from` to `to` (client coordinates), through the window's own mouse handling.
inline void Drag(HWND window, POINT from, POINT to) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

// The left button pressed or let go through the system's input queue, wherever the pointer is.
inline void PressMouse(bool down) {
  INPUT input = {INPUT_MOUSE};
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}
// A click through the system's input queue at a point of the screen, as a mouse makes it.
inline void ClickScreen(POINT at) {
  SetCursorPos(at.x, at.y);
  PressMouse(true);
  PressMouse(false);
  PumpMessagesFor(150);
}

// A key down or up through the system's input queue, as a keyboard sends it (the capture dialogs poll keys).
inline void PressKey(WORD virtual_key, bool down) {
  INPUT input = {INPUT_KEYBOARD};
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}
// Keys pressed together in this order, then let go the other way round (one key: a tap).
inline void PressKeys(std::initializer_list<WORD> keys) {
  for (WORD k : keys) PressKey(k, true);
  for (auto k = std::rbegin(keys); k != std::rend(keys); ++k) PressKey(*k, false);
}

// Presses `key` once Set Keyboard Key shows, holds it until the dialog is gone. Under Wine an injected key can go up
// as the new dialog gains the focus, before it saw it: a key found up while the dialog shows is pressed again.
class KeyHeldForDialog {
 public:
  explicit KeyHeldForDialog(WORD key) : key_(key) { active_ = this; }
  ~KeyHeldForDialog() {
    KillTimer(nullptr, timer_);
    active_ = active_ == this ? nullptr : active_;
    if (pressed_) PressKey(key_, false);
  }
  bool Pressed() const { return pressed_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (KeyHeldForDialog* k = active_; k && FindModal("Set Keyboard Key") && !(GetAsyncKeyState(k->key_) & 0x8000))
      PressKey(k->key_, true), k->pressed_ = true;
  }
  static inline KeyHeldForDialog* active_ = nullptr;
  WORD key_;
  bool pressed_ = false;
  UINT_PTR timer_ = SetTimer(nullptr, 0, 60, Tick);
};

// A click on the button, as the pointer makes it: a button that is missing, hidden or greyed does nothing.
inline void Press(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (IsWindowVisible(button) && IsWindowEnabled(button)) PostMessageW(button, BM_CLICK, 0, 0);
}

// The window's list (the first, where it has several).
inline HWND ListIn(HWND window) { return FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr); }
inline std::vector<std::string> ListRow(HWND list, int row) {
  std::vector<std::string> texts;
  for (int c = 0; c < Header_GetItemCount(ListView_GetHeader(list)); ++c) {
    wchar_t buffer[4096] = {};
    ListView_GetItemText(list, row, c, buffer, 4096);
    texts.push_back(Utf16ToUtf8(buffer));
  }
  return texts;
}

// Selects only `row` (-1: none), as a click on it does.
inline void SelectListRow(HWND list, int row) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  if (row >= 0) ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// Rectangles of a header's or tab strip's item, a list's row and a cell (column 0 with LVIR_BOUNDS: the whole row).
inline RECT HeaderItemRect(HWND header, int item) { RECT r = {}; return Header_GetItemRect(header, item, &r), r; }
inline RECT TabItemRect(HWND tabs, int item) { RECT r = {}; return TabCtrl_GetItemRect(tabs, item, &r), r; }
inline RECT RowRect(HWND list, int row, int part) { RECT r = {}; return ListView_GetItemRect(list, row, &r, part), r; }
inline RECT CellRect(HWND list, int row, int column, int part = LVIR_BOUNDS) {
  RECT r = {};
  return ListView_GetSubItemRect(list, row, column, part, &r), r;
}

// A mouse notification of a list at the middle of a cell, as the list sends it to its owner.
inline void NotifyCellMouse(HWND list, UINT code, int row, int column) {
  const POINT at = MiddleOf(CellRect(list, row, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS));
  NMITEMACTIVATE click = {{list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), code}, row, column, 0, 0, 0, at, 0, 0};
  SendMessageW(GetParent(list), WM_NOTIFY, GetDlgCtrlID(list), reinterpret_cast<LPARAM>(&click));
}

// A double-click on a row, through the list's own mouse handling.
inline void DoubleClickListRow(HWND list, int row) {
  ListView_EnsureVisible(list, row, FALSE);
  const RECT r = RowRect(list, row, LVIR_LABEL);
  ClickAt(list, {r.left + 4, MiddleOf(r).y});
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.left + 4, MiddleOf(r).y));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(r.left + 4, MiddleOf(r).y));
}

inline std::vector<std::string> ComboEntries(HWND combo) {
  std::vector<std::string> entries;
  for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    entries.push_back(Utf16ToUtf8(text.c_str()));
  }
  return entries;
}
inline std::string ChosenEntry(HWND combo) {
  const auto at = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  return at < 0 ? "" : ComboEntries(combo).at(static_cast<size_t>(at));
}
// Selects an entry as the user would: the owner hears CBN_SELCHANGE.
inline void ChooseComboEntry(HWND combo, int index) {
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

// What a screen reader hears of `window`'s item `child` (CHILDID_SELF: the window): "name|value|role|state[|keys]", the state
// as far as `states` asks; with `press` the reader then does the item's default action, as its user can ask it to.
inline std::string Accessible(HWND window, long child, long states, bool press = false) {
  IAccessible* object = nullptr;
  if (AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)) != S_OK)
    return "<nothing>";
  VARIANT item = {}, role = {}, state = {};
  item.vt = VT_I4, item.lVal = child;
  BSTR name = nullptr, value = nullptr, keys = nullptr;
  object->get_accName(item, &name), object->get_accValue(item, &value), object->get_accKeyboardShortcut(item, &keys);
  object->get_accRole(item, &role), object->get_accState(item, &state);
  const std::string heard = (name ? Utf16ToUtf8(name) : "-") + "|" + (value ? Utf16ToUtf8(value) : "") + "|" +
                            std::to_string(role.lVal) + "|" + std::to_string(state.lVal & states) +
                            (keys ? "|" + Utf16ToUtf8(keys) : "");
  SysFreeString(name), SysFreeString(value), SysFreeString(keys);
  if (press) object->accDoDefaultAction(item);
  object->Release();
  return heard;
}

// The value prompt: types the text and presses OK.
inline bool AnswerPrompt(const std::string& title, const std::string& text, std::string* prompt_seen = nullptr,
                         std::string* initial_seen = nullptr) {
  HWND prompt = FindModal(title);
  if (!prompt) return false;
  HWND edit = FindWindowExW(prompt, nullptr, L"EDIT", nullptr);
  if (prompt_seen) *prompt_seen = ControlText(FindWindowExW(prompt, nullptr, L"STATIC", nullptr));
  if (initial_seen) *initial_seen = ControlText(edit);
  SetControlText(edit, text);
  Press(prompt, IDOK);
  return true;
}

// Closes the message box titled `title` with `button`, keeping its text.
inline bool AnswerBox(const std::string& title, int button, std::string* text = nullptr) {
  HWND box = FindBox(title);
  if (!box) return false;
  if (text) *text = BoxText(box);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  return true;
}

// The file dialog titled `title`: notes name and filters, types `path` and presses OK ("": Cancel).
inline bool AnswerFileDialog(const std::string& title, const std::string& path, std::string* proposed = nullptr,
                             std::vector<std::string>* filters = nullptr) {
  HWND dialog = FindBox(title);
  HWND name = dialog ? GetDlgItem(dialog, GetDlgItem(dialog, 0x47C) ? 0x47C : 0x480) : nullptr;  // cmb13 or edt1
  if (!name) return false;
  if (proposed) *proposed = ControlText(name);
  if (filters) *filters = ComboEntries(GetDlgItem(dialog, 0x470));
  if (path.empty()) return PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0), true;
  SetControlText(name, path);
  Press(dialog, IDOK);
  return true;
}

inline void PressButton(HWND dialog, const wchar_t* text) {
  HWND button = FindWindowExW(dialog, nullptr, L"BUTTON", text);
  if (button) Press(dialog, GetDlgCtrlID(button));
}
