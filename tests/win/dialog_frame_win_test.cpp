// The dialog frame under Wine: About, Keyboard Shortcuts and the text prompt in both looks.

#include <gtest/gtest.h>

#include "app/about_ui_win.h"
#include "app/keyboard_shortcuts.h"
#include "dialog_script_win.h"
#include "scratch_launcher_win.h"
#include "ui/text_prompt_ui_win.h"

namespace {
// The version Windows shows in korvo.exe's properties: its numbers, and its text where that says otherwise.
std::string ExeVersion() {
  const std::wstring exe = Utf8ToUtf16(TestBuildFolder() + "\\korvo.exe");
  std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
  VS_FIXEDFILEINFO* fixed = nullptr;
  wchar_t* text = nullptr;
  UINT n = 0;
  if (info.empty() || !GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) ||
      !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &n) ||
      !VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion", reinterpret_cast<void**>(&text), &n))
    return "<none>";
  const std::string numbers = std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwProductVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwProductVersionLS));
  return numbers == Utf16ToUtf8(text) ? numbers : numbers + " / " + Utf16ToUtf8(text);
}
}  // namespace

TEST(DialogFrame, AboutShortcutsAndTheTextPromptInBothLooks) {
  InitWindowsForTests();
  // korvo.exe's icon as the launcher loads it, for its windows and the task switcher: its own, in colour.
  const UiMetrics ui = Ui();
  Ui().icon_large = nullptr;
  HMODULE exe = LoadLibraryExW(Utf8ToUtf16(TestBuildFolder() + "\\korvo.exe").c_str(), nullptr,
                               DONT_RESOLVE_DLL_REFERENCES);
  InitUiMetrics(exe);
  ICONINFO icon = {};
  EXPECT_TRUE(GetIconInfo(Ui().icon_large, &icon) && icon.hbmColor && Ui().icon_large != LoadIconW(nullptr, IDI_APPLICATION));
  DeleteObject(icon.hbmColor), DeleteObject(icon.hbmMask);
  if (Ui().icon_large != LoadIconW(nullptr, IDI_APPLICATION)) DestroyIcon(Ui().icon_large), DestroyIcon(Ui().icon_small);
  if (Ui().font != ui.font) DeleteObject(Ui().font);
  if (exe) FreeLibrary(exe);
  Ui() = ui;
  for (bool dark : {false, true}) {
    const Look look(dark);
    int tabs = 0;  // Tab shows where the focus is
    EXPECT_TRUE(WhenShown("About", [&](HWND dialog) {
      HWND ok = GetDlgItem(dialog, IDOK);
      if (dark && tabs < 4 && (tabs == 0 || GetFocus() != ok)) return PressKeys({VK_TAB}), ++tabs, false;
      SaveWindowScreenshot(dialog, "about-" + look.name);  // with the focus cue on OK (every picture's check)
      const std::string title = "Korvo v" + ExeVersion() + " (64-bit)";
      EXPECT_TRUE(FindWindowExW(dialog, nullptr, nullptr, Utf8ToUtf16(title).c_str())) << title;
      HWND link = FindWindowExW(dialog, nullptr, nullptr, L"Korvo");  // a link reads as one
      const uint32_t link_ink = RgbOf(LinkColour());
      EXPECT_GT(WindowPixels(link).Count(link, ClientRectOf(link), [&](uint32_t c) { return c == link_ink; }), 5);
      return Press(dialog, IDOK), true;
    }, [] { ShowAboutWindow(nullptr); }));
    EXPECT_TRUE(WhenShown("Keyboard Shortcuts", [&](HWND dialog) {
      HWND list = ListIn(dialog);
      const auto rows = KeyboardShortcutRows();
      EXPECT_EQ(ListView_GetItemCount(list), static_cast<int>(rows.size()));
      EXPECT_EQ(ListRow(list, static_cast<int>(rows.size()) - 1), (std::vector<std::string>{rows.back().first, rows.back().second}));
      SaveWindowScreenshot(dialog, "keyboard-shortcuts-" + look.name);
      return Press(dialog, IDOK), true;
    }, [] { ShowKeyboardShortcuts(nullptr); }));
    // The prompt shows the old text, refuses an empty answer and trims the one it takes.
    DialogDriver type([&](HWND dialog, const SeenBox& box) {
      EXPECT_EQ(box.title + "|" + ItemText(dialog, 1001), "Save Profile As|My Profile");
      SaveWindowScreenshot(dialog, "text-prompt-" + look.name);
      SetDlgItemTextW(dialog, 1001, L"   ");
      SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      EXPECT_TRUE(IsWindow(dialog));
      SetDlgItemTextW(dialog, 1001, L"  New Name  ");
      SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      return true;
    });
    std::string text = "My Profile";
    EXPECT_TRUE(TextPrompt(nullptr, "Save Profile As", "Name of the new profile:", text, 64) && text == "New Name") << text;
  }
  DialogDriver cancel;
  std::string kept = "Kept";
  EXPECT_TRUE(!TextPrompt(nullptr, "Rename Profile", "New name:", kept, 64) && kept == "Kept") << kept;
}
