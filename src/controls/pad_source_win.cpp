#include "controls/pad_source_win.h"

#include <windows.h>
#include <mmsystem.h>
#include <xinput.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {
using XInputGetStateFn = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

// Asking for a pad or joystick that is not there costs far more than reading
// one that is; a device that failed is asked again only after a second.
constexpr DWORD kRetryMs = 1000;

struct PadDevices {
  HMODULE module = nullptr;
  XInputGetStateFn get_state = nullptr;
  DWORD retry_at[kXInputPadCount + kLegacyJoystickCount] = {};
  bool failed[kXInputPadCount + kLegacyJoystickCount] = {};

  // Whether device i is worth reading now; `read` tries it and says whether it answered.
  template <typename Read>
  bool Ask(size_t i, Read read) {
    const DWORD now = GetTickCount();
    if (failed[i] && static_cast<LONG>(now - retry_at[i]) < 0) return false;
    failed[i] = !read();
    if (failed[i]) retry_at[i] = now + kRetryMs;
    return !failed[i];
  }

  bool Open() {
    Close();
    const wchar_t* name = L"xinput1_4.dll";
    module = LoadLibraryW(name);
    if (!module) module = LoadLibraryW(name = L"xinput1_3.dll");
    // XInput may keep a thread of its own; once loaded it stays for the life
    // of the process, so a release never unmaps code that thread still runs.
    HMODULE pinned = nullptr;
    if (module) GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, name, &pinned);
    if (module) get_state = reinterpret_cast<XInputGetStateFn>(reinterpret_cast<void*>(GetProcAddress(module, "XInputGetState")));
    if (!get_state) Close();
    return get_state != nullptr;
  }
  void Close() {
    if (module) FreeLibrary(module);
    module = nullptr;
    get_state = nullptr;
  }
};

void ReadXInput(PadDevices& lib, PadReadings& r) {
  r.xinput = lib.get_state != nullptr;
  for (DWORD k = 0; k < kXInputPadCount; ++k) {
    XInputReading& pad = r.pads[k];
    pad = {};
    XINPUT_STATE state = {};
    if (!lib.get_state || !lib.Ask(k, [&] { return lib.get_state(k, &state) == ERROR_SUCCESS; })) continue;
    pad.ok = true;
    pad.buttons = state.Gamepad.wButtons;
    pad.left_trigger = state.Gamepad.bLeftTrigger;
    pad.right_trigger = state.Gamepad.bRightTrigger;
    pad.thumb_lx = state.Gamepad.sThumbLX;
    pad.thumb_ly = state.Gamepad.sThumbLY;
  }
}

void ReadJoysticks(PadDevices& lib, PadReadings& r) {
  for (UINT j = 0; j < kLegacyJoystickCount; ++j) {
    JoystickReading& stick = r.joysticks[j];
    stick = {};
    JOYINFOEX info = {};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNALL;
    if (!lib.Ask(kXInputPadCount + j, [&] { return joyGetPosEx(JOYSTICKID1 + j, &info) == JOYERR_NOERROR; }))
      continue;
    stick.ok = true;
    stick.buttons = info.dwButtons;
    stick.pov = info.dwPOV;
    stick.x = info.dwXpos;
    stick.y = info.dwYpos;
  }
}

PadSource installed;
}  // namespace

PadSource SystemPadSource() {
  auto lib = std::make_shared<PadDevices>();
  PadSource s;
  s.open = [lib] { return lib->Open(); };
  s.read = [lib](PadReadings& r) {
    ReadXInput(*lib, r);
    ReadJoysticks(*lib, r);
  };
  s.close = [lib] { lib->Close(); };
  return s;
}

void SetPadSource(PadSource source) { installed = std::move(source); }

PadSource CurrentPadSource() { return installed.read ? installed : SystemPadSource(); }

bool PadDevicesReady() {
  if (installed.read) return true;  // a test's readings need no loading
  static std::atomic<int> state{0};  // 0 not asked, 1 loading, 2 ready
  int expected = 0;
  if (state.compare_exchange_strong(expected, 1)) {
    try {
      std::thread([] {
        HMODULE xinput = LoadLibraryW(L"xinput1_4.dll");
        if (!xinput) xinput = LoadLibraryW(L"xinput1_3.dll");
        // Kept loaded: the poller loads the same library and pins it.
        auto get_state = xinput ? reinterpret_cast<XInputGetStateFn>(
                                      reinterpret_cast<void*>(GetProcAddress(xinput, "XInputGetState")))
                                : nullptr;
        XINPUT_STATE pad = {};
        for (DWORD k = 0; get_state && k < kXInputPadCount; ++k) get_state(k, &pad);
        JOYINFOEX stick = {};
        stick.dwSize = sizeof stick;
        stick.dwFlags = JOY_RETURNALL;
        for (UINT j = 0; j < kLegacyJoystickCount; ++j) joyGetPosEx(JOYSTICKID1 + j, &stick);
        state = 2;
      }).detach();
    } catch (...) {  // no thread: the first poll loads them itself
      state = 2;
    }
  }
  return state == 2;
}
