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
#include "ui/modal_dialog_ui_win.h"
#include "synthetic_key_win.h"
#include "ui/ui_metrics_win.h"

namespace {
// Steps run one per 50 ms tick while a dialog titled `title` is open.
struct Script {
  const wchar_t* title;
  std::vector<std::function<void()>> steps;
  size_t next = 0;
  bool open_before_last = false;  // the dialog was still waiting when the last step ran
};
Script* running = nullptr;

void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) {
  if (!running || running->next >= running->steps.size()) return;
  HWND dialog = FindWindowW(L"KorvoModal", running->title);
  if (!dialog) return;
  if (running->next + 1 == running->steps.size()) running->open_before_last = true;
  running->steps[running->next++]();
}

bool RunKeyCapture(Script& script, std::string& name) {
  running = &script;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, Step);
  bool ok = CaptureKey(nullptr, "Player 1 Up", name);
  KillTimer(nullptr, timer);
  running = nullptr;
  return ok;
}

class CaptureDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUiMetrics(GetModuleHandleW(nullptr));
    RegisterModalDialogClass(GetModuleHandleW(nullptr));
  }
};
}  // namespace

TEST_F(CaptureDialogs, AKeyHeldAtTheStartCountsOnlyWhenPressedAgain) {
  PressKey('A', true);  // held before the dialog opens
  Script script{L"Set Keyboard Key", {[] {}, [] { PressKey('A', false); }, [] { PressKey('A', true); }}};
  std::string name = "unchanged";
  EXPECT_TRUE(RunKeyCapture(script, name));
  PressKey('A', false);
  EXPECT_TRUE(script.open_before_last) << "the held key was taken";
  EXPECT_EQ(name, "A");
}

TEST_F(CaptureDialogs, EscCancelsDeleteMeansNoKeyAndEnterIsAKey) {
  Script esc{L"Set Keyboard Key", {[] { PressKey(VK_ESCAPE, true); }}};
  std::string name = "unchanged";
  EXPECT_FALSE(RunKeyCapture(esc, name));
  PressKey(VK_ESCAPE, false);
  EXPECT_EQ(name, "unchanged");

  Script del{L"Set Keyboard Key", {[] { PressKey(VK_DELETE, true); }}};
  EXPECT_TRUE(RunKeyCapture(del, name));
  PressKey(VK_DELETE, false);
  EXPECT_EQ(name, "");

  // Enter and Space would press a focused button of a plain dialog.
  for (WORD key : {WORD(VK_RETURN), WORD(VK_SPACE)}) {
    Script press{L"Set Keyboard Key", {[key] { PressKey(key, true); }}};
    EXPECT_TRUE(RunKeyCapture(press, name));
    PressKey(key, false);
    EXPECT_EQ(name, key == VK_RETURN ? "ENTER" : "SPACE");
  }
}

TEST_F(CaptureDialogs, PadDialogWithoutXInputPollsOnlyLegacyJoysticks) {
  static PadReadings pads;
  pads = PadReadings{};
  pads.pads[0].ok = true;
  pads.joysticks[2].ok = true;
  int opened = 0;
  SetPadSource({[&] { ++opened; return false; }, [](PadReadings& r) { r = pads; }, [] {}});
  ResetPadProbeAttempt();
  int probes = 0;
  SetPadProbeRunner([&](const std::string&, uint32_t) { return ++probes, false; });
  Script script{L"Set Pad Button",
                {[] { pads.pads[0].buttons = 0x1000; },  // an XInput button without XInput: nothing
                 [] { pads.joysticks[2].buttons = 1u << 4; }}};
  running = &script;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, Step);
  std::string code;
  EXPECT_TRUE(CapturePadCode(nullptr, "Player 1 Button 1", false, code));
  KillTimer(nullptr, timer);
  running = nullptr;
  SetPadSource({});
  SetPadProbeRunner(nullptr);
  EXPECT_EQ(code, "3_BUTTON5");
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(probes, 0) << "no XInput, no probe";
}
