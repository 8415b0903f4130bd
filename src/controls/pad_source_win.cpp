#include "controls/pad_source_win.h"

#include <windows.h>
#include <mmsystem.h>
#include <xinput.h>

#include <utility>

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

  void Open() {
    const wchar_t* name = L"xinput1_4.dll";
    module = LoadLibraryW(name);
    if (!module) module = LoadLibraryW(name = L"xinput1_3.dll");
    // XInput may keep a thread of its own; once loaded it stays for the life
    // of the process, so a release never unmaps code that thread still runs.
    HMODULE pinned = nullptr;
    if (module) GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, name, &pinned);
    if (module) get_state = reinterpret_cast<XInputGetStateFn>(reinterpret_cast<void*>(GetProcAddress(module, "XInputGetState")));
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

// The system's pads are read on a thread of their own. Under Wine, and on
// Windows for a joystick that is not plugged in, one reading can take several
// frames, and a device driver that stops answering must not take the window
// with it: the windows only ever copy the latest readings.
struct PadReader {
  CRITICAL_SECTION lock;
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);  // set once the libraries are loaded
  HANDLE wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  PadReadings latest;
  unsigned long taken = 0;  // readings taken so far
  bool loaded = false;
  DWORD wanted_at = 0;  // when a window last took the readings
  bool idle = false;    // the thread waits for `wake`
};

// Readings are taken as often as the quickest window asks for them (the pad
// timer and the capture dialogs, about one a frame), and not at all once none
// has for a while. While no device answers, a reading is taken only when a
// window asks: without a pad, the launcher looks for one a few times a second,
// and this thread must not wake every frame for it.
constexpr DWORD kReadEveryMs = 15;
constexpr DWORD kWantedForMs = 500;

bool AnyDeviceAnswered(const PadReadings& r) {
  for (const XInputReading& pad : r.pads)
    if (pad.ok) return true;
  for (const JoystickReading& stick : r.joysticks)
    if (stick.ok) return true;
  return false;
}

DWORD WINAPI ReadPads(void* parameter) {
  PadReader& reader = *static_cast<PadReader*>(parameter);
  PadDevices devices;
  devices.Open();
  for (;;) {
    PadReadings readings;
    ReadXInput(devices, readings);
    ReadJoysticks(devices, readings);
    EnterCriticalSection(&reader.lock);
    reader.latest = readings;
    ++reader.taken;
    const bool first = !std::exchange(reader.loaded, true);
    const bool wanted = GetTickCount() - reader.wanted_at < kWantedForMs;
    reader.idle = !wanted || !AnyDeviceAnswered(readings);
    const bool idle = reader.idle;
    LeaveCriticalSection(&reader.lock);
    if (first) SetEvent(reader.ready);
    if (idle)
      WaitForSingleObject(reader.wake, INFINITE);
    else
      Sleep(kReadEveryMs);
  }
}

// Started on first use and never freed: the thread may still be reading (or
// stuck in a driver) while the process ends and its statics go.
PadReader& Reader() {
  static PadReader* reader = [] {
    auto* r = new PadReader;
    InitializeCriticalSection(&r->lock);
    r->wanted_at = GetTickCount();
    HANDLE thread = CreateThread(nullptr, 0, ReadPads, r, 0, nullptr);
    if (thread) {
      CloseHandle(thread);
    } else {  // no thread, no pads: the windows go on without them
      r->loaded = true;
      SetEvent(r->ready);
    }
    return r;
  }();
  return *reader;
}

// The latest readings and how many had been taken by then.
unsigned long TakeReadings(PadReadings& out) {
  PadReader& reader = Reader();
  EnterCriticalSection(&reader.lock);
  out = reader.latest;
  const unsigned long taken = reader.taken;
  reader.wanted_at = GetTickCount();
  const bool wake = std::exchange(reader.idle, false);
  LeaveCriticalSection(&reader.lock);
  if (wake) SetEvent(reader.wake);
  return taken;
}

PadSource installed;
}  // namespace

PadSource SystemPadSource() {
  PadSource s;
  // A dialog that asks for a pad waits a moment for the libraries (the first
  // time) and for a reading taken after it opened: what is held now is its
  // baseline, not what was held when the thread last read.
  s.open = [] {
    PadReader& reader = Reader();
    WaitForSingleObject(reader.ready, 1000);
    PadReadings readings;
    const unsigned long before = TakeReadings(readings);
    for (int waited = 0; waited < 200 && TakeReadings(readings) == before; ++waited) Sleep(1);
    return readings.xinput;
  };
  s.read = [](PadReadings& r) { TakeReadings(r); };
  s.close = [] {};
  return s;
}

void SetPadSource(PadSource source) { installed = std::move(source); }

PadSource CurrentPadSource() { return installed.read ? installed : SystemPadSource(); }

unsigned long SystemPadReadingsTaken() {
  PadReader& reader = Reader();
  EnterCriticalSection(&reader.lock);
  const unsigned long taken = reader.taken;
  LeaveCriticalSection(&reader.lock);
  return taken;
}

bool PadDevicesReady() {
  if (installed.read) return true;  // a test's readings need no loading
  PadReader& reader = Reader();
  return WaitForSingleObject(reader.ready, 0) == WAIT_OBJECT_0;
}
