#include "controls/capture_ui_win.h"

#include <commctrl.h>

#include "controls/capture.h"
#include "controls/key_names.h"
#include "controls/pad_probe.h"
#include "controls/pad_source_win.h"
#include "controls/probe_run.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/subclass_win.h"

namespace {
constexpr UINT_PTR kPollTimer = 1;
constexpr int kNoPadButtonId = 1001;
constexpr int kPadNumberId = 1002;

KeyStates ReadKeyStates() {
  KeyStates s{};
  for (int vk = 8; vk <= 254; ++vk) s[static_cast<size_t>(vk)] = (GetAsyncKeyState(vk) & 0x8000) != 0;
  return s;
}

// The keys pressed for a capture must not reach the dialog's buttons (Enter
// or Space would press Cancel) nor start menu mode (Alt, F10): a focus
// holder without size takes every key and drops it.
LRESULT CALLBACK SwallowKeys(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
      return 0;
  }
  return CallNextSubclass(window, message, wparam, lparam);
}

void AddFocusHolder(ModalDialog& d) {
  HWND holder = AddDialogControl(d, L"STATIC", "", WS_TABSTOP, 0, 0, 0, 0, 1099);
  if (holder) AddSubclass(holder, SwallowKeys, 1, 0);
}

int open_captures = 0;

// Counts a capture as open from its first reading to its end.
struct OpenCapture {
  OpenCapture() { ++open_captures; }
  ~OpenCapture() { --open_captures; }
  OpenCapture(const OpenCapture&) = delete;
  OpenCapture& operator=(const OpenCapture&) = delete;
};

// The dialogs have no OK button: Enter reaching the frame as "OK" is ignored.
bool IgnoreOk(ModalDialog&, UINT message, WPARAM wparam, LPARAM, LRESULT* result) {
  if (message != WM_COMMAND || LOWORD(wparam) != IDOK) return false;
  *result = 0;
  return true;
}
}  // namespace

bool CaptureDialogOpen() { return open_captures > 0; }

bool CaptureKey(HWND owner, const std::string& label, std::string& name) {
  OpenCapture open;
  ModalDialog d;
  KeyStates before = ReadKeyStates();
  std::string chosen;
  d.on_message = IgnoreOk;
  d.on_timer = [&](ModalDialog& dialog, UINT_PTR) {
    KeyStates now = ReadKeyStates();
    KeyCapture c = DecideKeyCapture(before, now);
    before = now;
    if (c.status == CaptureStatus::Waiting) return;
    KillTimer(dialog.window, kPollTimer);
    chosen = c.name;
    EndModalDialog(dialog, c.status == CaptureStatus::Chosen ? 1 : 0);
  };
  KeyNameTable();  // built before the first tick
  if (!CreateModalDialog(d, owner, "Set Keyboard Key", 330, 150)) return false;
  AddFocusHolder(d);
  AddDialogControl(d, L"STATIC", label + "\n\nPress the key you want to use\u2026\n(Esc = cancel, Delete = no key)",
                   SS_LEFT | SS_NOPREFIX, 10, 10, 310, 85, -1);
  AddDialogControl(d, L"BUTTON", "Cancel", BS_PUSHBUTTON, 115, 110, 100, 26, IDCANCEL);
  SetTimer(d.window, kPollTimer, 8, nullptr);
  if (RunModalDialog(d) != 1) return false;
  name = chosen;
  return true;
}

bool CapturePadCode(HWND owner, const std::string& label, bool directions, std::string& code) {
  OpenCapture open;
  PadSource source = CurrentPadSource();
  PadCaptureSetup setup;
  setup.directions = directions;
  const bool xinput = source.open && source.open();
  if (xinput) {
    RunPadProbe(false);  // MAME's numbering of the XInput pads (runs MAME once per run)
    for (int k = 0; k < kXInputPadCount; ++k) setup.probe_numbers[static_cast<size_t>(k)] = XInputPadNumber(k + 1);
  }
  auto read = [&](PadReadings& r) {
    r = PadReadings{};
    if (source.read) source.read(r);
    r.xinput = xinput;
  };

  ModalDialog d;
  HWND pad_number = nullptr;
  std::string chosen;
  PadReadings readings;
  read(readings);
  PadCaptureMemory memory = PadCaptureBaseline(readings);
  d.on_message = IgnoreOk;
  d.on_command = [&](ModalDialog& dialog, int id, int, HWND) {
    if (id != kNoPadButtonId) return false;
    chosen.clear();
    EndModalDialog(dialog, 1);
    return true;
  };
  d.on_timer = [&](ModalDialog& dialog, UINT_PTR) {
    read(readings);
    LRESULT choice = SendMessageW(pad_number, CB_GETCURSEL, 0, 0);
    setup.forced_pad = choice > 0 ? static_cast<int>(choice) : 0;
    std::optional<std::string> found = DecidePadCapture(memory, readings, setup, CurrentPadProbe());
    if (!found) return;
    KillTimer(dialog.window, kPollTimer);
    chosen = *found;
    EndModalDialog(dialog, 1);
  };
  bool made = CreateModalDialog(d, owner, "Set Pad Button", 360, 190);
  if (made) {
    AddDialogControl(d, L"STATIC",
                     label + (directions ? "\n\nMove the D-pad or the stick of the pad you want to use\u2026"
                                         : "\n\nPress the button you want to use\u2026"),
                     SS_LEFT | SS_NOPREFIX, 10, 10, 340, 60, -1);
    AddDialogControl(d, L"STATIC", "Pad Number:", SS_LEFT, 40, 84, 90, 18, -1);
    pad_number = AddDialogControl(d, WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 135, 80, 185,
                                  200, kPadNumberId);
    SendMessageW(pad_number, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Automatic (The Pad Pressed)"));
    for (int n = 1; n <= 8; ++n)
      SendMessageW(pad_number, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"Pad " + std::to_wstring(n)).c_str()));
    SendMessageW(pad_number, CB_SETCURSEL, 0, 0);
    AddDialogControl(d, L"BUTTON", "No Pad Button", BS_PUSHBUTTON | WS_TABSTOP, 40, 140, 120, 26, kNoPadButtonId);
    AddDialogControl(d, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 220, 140, 100, 26, IDCANCEL);
    SetTimer(d.window, kPollTimer, 15, nullptr);
  }
  bool ok = made && RunModalDialog(d) == 1;
  if (source.close) source.close();
  if (!ok) return false;
  code = chosen;  // DecidePadCapture keeps it within the mapping's 71 bytes
  return true;
}
