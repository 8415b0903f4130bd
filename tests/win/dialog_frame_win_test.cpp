// The dialog frame under Wine: the text prompt, the table window, About and
// Keyboard Shortcuts, and report texts posted by a worker thread.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "app/about_ui_win.h"
#include "base/utf16_win.h"
#include "dialog_driver_win.h"
#include "screenshot_win.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/text_prompt_ui_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
void Prepare() {
  InitUiMetrics(GetModuleHandleW(nullptr));
  RegisterModalDialogClass(GetModuleHandleW(nullptr));
}

void Type(HWND dialog, const wchar_t* text) { SetDlgItemTextW(dialog, 1001, text); }

HWND ChildWithText(HWND dialog, const wchar_t* text) {
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t shown[64] = L"";
    GetWindowTextW(c, shown, 64);
    if (!lstrcmpW(shown, text)) return c;
  }
  return nullptr;
}

// A line of labels reads as one sentence: as painted, no run of blank
// columns between its first and last word is wider than about a space.
void ExpectWordsOneSpaceApart(HWND dialog, const wchar_t* first, const wchar_t* last) {
  HWND from = ChildWithText(dialog, first), to = ChildWithText(dialog, last);
  ASSERT_TRUE(from && to);
  RECT a, b, frame;
  GetWindowRect(from, &a);
  GetWindowRect(to, &b);
  GetWindowRect(dialog, &frame);
  WindowPixels shot(dialog);
  const uint32_t face = RgbOf(IsDarkTheme() ? FaceColour() : GetSysColor(COLOR_BTNFACE));
  int run = 0, widest = 0;
  bool started = false;
  for (int x = a.left; x < b.right; ++x) {
    bool ink = false;
    for (int y = a.top; y < a.bottom; ++y) ink |= shot.At({x - frame.left, y - frame.top}) != face;
    if (ink && started) widest = std::max(widest, run);
    started |= ink;
    run = ink ? 0 : run + 1;
  }
  HDC dc = GetDC(dialog);
  HGDIOBJ old = SelectObject(dc, Ui().font);
  SIZE space = {};
  GetTextExtentPoint32W(dc, L" ", 1, &space);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  EXPECT_LE(widest, 2 * space.cx) << "blank columns between the words";
}

void Press(HWND dialog, int id) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
}  // namespace

TEST(TextPrompt, TrimsTheAnswerAndRefusesAnEmptyOne) {
  Prepare();
  int step = 0;
  DialogDriver driver([&](HWND dialog, const SeenBox& box) {
    EXPECT_EQ(box.title, "Rename Profile");
    wchar_t shown[64] = L"";
    GetDlgItemTextW(dialog, 1001, shown, 64);
    EXPECT_STREQ(shown, L"Old Name");
    Type(dialog, L"   ");
    Press(dialog, IDOK);  // refused: still open
    EXPECT_TRUE(IsWindow(dialog));
    Type(dialog, L"  New Name  ");
    Press(dialog, IDOK);
    ++step;
    return true;
  });
  std::string text = "Old Name";
  EXPECT_TRUE(TextPrompt(nullptr, "Rename Profile", "New name:", text, 64));
  EXPECT_EQ(step, 1);
  EXPECT_EQ(text, "New Name");

  DialogDriver cancel;
  std::string kept = "Kept";
  EXPECT_FALSE(TextPrompt(nullptr, "Rename Profile", "New name:", kept, 64));
  EXPECT_EQ(kept, "Kept");
}

TEST(ModalDialog, AReportTextPostedAfterTheDialogClosedIsFreedNotShown) {
  Prepare();
  ModalDialog d;
  ASSERT_TRUE(CreateModalDialog(d, nullptr, "Report", 300, 200));
  HWND edit = AddDialogControl(d, L"EDIT", "Checking the files\xE2\x80\xA6", ES_MULTILINE | ES_READONLY, 10, 10, 280, 150, 1001);
  HWND window = d.window;
  std::thread([window] { PostReportText(window, 1001, "Report ready"); }).join();
  DialogDriver driver([&](HWND dialog, const SeenBox&) {
    PumpMessagesFor(50);
    wchar_t text[64] = L"";
    GetDlgItemTextW(dialog, 1001, text, 64);
    EXPECT_STREQ(text, L"Report ready");
    // A second text arrives while the dialog closes: nobody shows it.
    PostReportText(dialog, 1001, "late");
    Press(dialog, IDCANCEL);
    return true;
  });
  (void)edit;
  EXPECT_EQ(RunModalDialog(d), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(PostReportText(window, 1001, "after"));  // the window is gone: the sender frees the text
}

TEST(DialogFrame, Screenshots) {
  Prepare();
  for (bool dark : {false, true}) {
    ApplyTheme(dark);
    std::string look = dark ? "dark" : "light";
    {
      DialogDriver shot([&](HWND dialog, const SeenBox&) {
        SaveWindowScreenshot(dialog, "about-" + look);
        ExpectWordsOneSpaceApart(dialog, L"Based on the", L"launcher.");
        return false;
      });
      ShowAboutWindow(nullptr);
    }
    {
      DialogDriver shot([&](HWND dialog, const SeenBox& box) {
        HWND list = FindWindowExW(dialog, nullptr, WC_LISTVIEWW, nullptr);
        EXPECT_EQ(ListView_GetItemCount(list), 47);
        SaveWindowScreenshot(dialog, "keyboard-shortcuts-" + look);
        return false;
      });
      ShowKeyboardShortcuts(nullptr);
    }
    {
      DialogDriver shot([&](HWND dialog, const SeenBox&) {
        SaveWindowScreenshot(dialog, "text-prompt-" + look);
        return false;
      });
      std::string text = "My Profile";
      TextPrompt(nullptr, "Save Profile As", "Name of the new profile:", text, 64);
    }
  }
  ApplyTheme(false);
}
