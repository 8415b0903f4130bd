#include "app/about_ui_win.h"

#include <shellapi.h>

#include "app/keyboard_shortcuts.h"
#include "base/utf16_win.h"
#include "base/version.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/table_window_ui_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr int kEarlierLauncherLink = 1001;
constexpr int kKorvoLink = 1002;

// "Based on the", the earlier launcher's link and "launcher." side by side,
// each as wide as its words in the dialog's font, one space apart.
void AddLinkLine(ModalDialog& d, int x, int y) {
  const struct {
    const char* text;
    int link_id;
  } pieces[] = {{"Based on the", 0}, {"Dravo", kEarlierLauncherLink}, {"launcher.", 0}};
  HDC dc = GetDC(d.window);
  HGDIOBJ old_font = SelectObject(dc, Ui().font ? static_cast<HGDIOBJ>(Ui().font) : GetStockObject(DEFAULT_GUI_FONT));
  auto width = [dc](const std::wstring& text) {
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  int left = S(x);
  for (const auto& piece : pieces) {
    HWND label = piece.link_id ? AddLinkLabel(d, piece.text, x, y, 1, 20, piece.link_id)
                               : AddDialogControl(d, L"STATIC", piece.text, SS_LEFT | SS_NOPREFIX, x, y, 1, 20, -1);
    const int w = width(Utf8ToUtf16(piece.text));
    SetWindowPos(label, nullptr, left, S(y), w, S(20), SWP_NOZORDER | SWP_NOACTIVATE);
    left += w + width(L" ");
  }
  SelectObject(dc, old_font);
  ReleaseDC(d.window, dc);
}
}  // namespace

const char kEarlierLauncherAddress[] = "https://dravo.sourceforge.io/";
const char kKorvoAddress[] = "https://korvo.sourceforge.io/";
const char kMameDocumentationAddress[] = "https://docs.mamedev.org/";
const char kUserGuideAddress[] = "https://sourceforge.net/p/korvo/code/ci/main/tree/docs/user-guide.md";

void OpenWebPage(const char* address) {
  ShellExecuteW(nullptr, L"open", Utf8ToUtf16(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShowAboutWindow(HWND owner) {
  ModalDialog d;
  d.on_command = [](ModalDialog&, int id, int code, HWND) {
    if (code != STN_CLICKED) return false;
    if (id == kEarlierLauncherLink) OpenWebPage(kEarlierLauncherAddress);
    if (id == kKorvoLink) OpenWebPage(kKorvoAddress);
    return id == kEarlierLauncherLink || id == kKorvoLink;
  };
  if (!CreateModalDialog(d, owner, "About", 420, 250)) return;
  HWND icon = AddDialogControl(d, L"STATIC", "", SS_ICON, 16, 16, 32, 32, -1);
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(Ui().icon_large), 0);
  const std::string title = "Korvo v" + std::string(kKorvoVersion) + " (64-bit)";
  AddDialogControl(d, L"STATIC", title.c_str(), SS_LEFT | SS_NOPREFIX, 64, 18, 340, 20, -1);
  AddDialogControl(d, L"STATIC",
                   "An unofficial front-end for MAME, for the arcade boards of the fifth generation:\nSony ZN-1 / ZN-2 "
                   "(with Capcom, Tecmo TPS and Video System games), Namco System 10 / 11 / 12, Konami GV and "
                   "System 573, Taito G-NET and FX-1A / FX-1B, SNK Hyper Neo Geo 64.",
                   SS_LEFT | SS_NOPREFIX, 64, 44, 340, 100, -1);
  AddDialogControl(d, L"STATIC", "It is not part of MAME and is not made by the MAME team.", SS_LEFT | SS_NOPREFIX,
                   64, 148, 340, 20, -1);
  AddLinkLine(d, 64, 174);
  AddLinkLabel(d, "Korvo", 64, 196, 60, 20, kKorvoLink);
  AddDialogControl(d, L"BUTTON", "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 314, 214, 90, 26, IDOK);
  RunModalDialog(d);
}

void ShowKeyboardShortcuts(HWND owner) {
  ShowTableWindow(owner, "Keyboard Shortcuts", {"Key", 230}, {"Action", 520}, KeyboardShortcutRows());
}
