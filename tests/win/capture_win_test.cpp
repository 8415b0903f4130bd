// The capture dialogs on their own under Wine, driven by synthetic key
// presses through the system's input queue and by pad readings put in
// through the pad source.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "controls/capture_ui_win.h"
#include "controls/pad_probe.h"
#include "controls/pad_source_win.h"
#include "controls/probe_run.h"
#include "synthetic_key_win.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/ui_metrics_win.h"

namespace {
// Steps run one per 50 ms tick while the dialog titled `title` is open.
struct Script {
  const wchar_t* title;
  std::vector<std::function<void()>> steps;
  size_t next = 0;
  bool open_before_last = false;  // the dialog was still waiting when the last step ran
};
Script* running = nullptr;

bool RunScript(Script& script, const std::function<bool()>& capture) {
  running = &script;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    if (!running || running->next >= running->steps.size() || !FindWindowW(L"KorvoModal", running->title)) return;
    running->open_before_last |= running->next + 1 == running->steps.size();
    running->steps[running->next++]();
  });
  bool ok = capture();
  KillTimer(nullptr, timer);
  running = nullptr;
  return ok;
}
}  // namespace

TEST(CaptureDialogs, KeysAndPadButtonsAsTheDialogsTakeThem) {
  InitUiMetrics(GetModuleHandleW(nullptr));
  RegisterModalDialogClass(GetModuleHandleW(nullptr));
  std::string name = "unchanged";
  auto capture_key = [&name](Script& s) { return RunScript(s, [&] { return CaptureKey(nullptr, "Player 1 Up", name); }); };

  // A key held when the dialog opens counts only when pressed again.
  PressKey('A', true);
  Script held{L"Set Keyboard Key", {[] {}, [] { PressKey('A', false); }, [] { PressKey('A', true); }}};
  EXPECT_TRUE(capture_key(held));
  PressKey('A', false);
  EXPECT_TRUE(held.open_before_last) << "the held key was taken";
  EXPECT_EQ(name, "A");

  // Esc cancels and Delete means no key; Enter and Space, which would press a
  // focused button of a plain dialog, are keys.
  struct Row {
    WORD key;
    bool taken;
    const char* name;
  };
  for (Row r : {Row{VK_ESCAPE, false, "A"}, Row{VK_DELETE, true, ""}, Row{VK_RETURN, true, "ENTER"},
                Row{VK_SPACE, true, "SPACE"}}) {
    SCOPED_TRACE(r.key);
    Script press{L"Set Keyboard Key", {[r] { PressKey(r.key, true); }}};
    EXPECT_EQ(capture_key(press), r.taken);
    PressKey(r.key, false);
    EXPECT_EQ(name, r.name);
  }

  // Without XInput only the legacy joysticks are read, and nothing is probed.
  static PadReadings pads;
  pads = PadReadings{};
  pads.pads[0].ok = true;
  pads.joysticks[2].ok = true;
  int opened = 0, probes = 0;
  SetPadSource({[&] { return ++opened, false; }, [](PadReadings& r) { r = pads; }, [] {}});
  ResetPadProbeAttempt();
  SetPadProbeRunner([&](const std::string&, uint32_t) { return ++probes, false; });
  Script pad{L"Set Pad Button",
             {[] { pads.pads[0].buttons = 0x1000; },  // an XInput button without XInput: nothing
              [] { pads.joysticks[2].buttons = 1u << 4; }}};
  std::string code;
  EXPECT_TRUE(RunScript(pad, [&] { return CapturePadCode(nullptr, "Player 1 Button 1", false, code); }));
  SetPadSource({});
  SetPadProbeRunner(nullptr);
  EXPECT_EQ(code, "3_BUTTON5");
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(probes, 0);
}
