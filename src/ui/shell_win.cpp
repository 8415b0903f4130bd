#include "ui/shell_win.h"

#include "base/utf16_win.h"

namespace {
ShellServices& Services() {
  static ShellServices services;
  return services;
}
int open_modals = 0;
}  // namespace

void SetShellServices(ShellServices services) { Services() = std::move(services); }

void ShowStatus(const std::string& text) {
  if (Services().show_status) Services().show_status(text);
}

HWND DialogOwner() { return Services().dialog_owner ? Services().dialog_owner() : nullptr; }

int ShowMessage(const std::string& text, const std::string& title, UINT flags) {
  return ShowMessageOver(DialogOwner(), text, title, flags);
}

int ShowMessageOver(HWND owner, const std::string& text, const std::string& title, UINT flags) {
  ModalOpened();
  int answer = MessageBoxW(owner, Utf8ToUtf16(text).c_str(), Utf8ToUtf16(title).c_str(), flags);
  ModalClosed();
  return answer;
}

int OpenModalCount() { return open_modals; }

void ModalOpened() { ++open_modals; }

void ModalClosed() {
  if (open_modals > 0 && --open_modals == 0 && Services().modals_closed) Services().modals_closed();
}

bool CopyTextToClipboard(HWND owner, const std::string& utf8_text) {
  std::wstring text = Utf8ToUtf16(utf8_text);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!block) return false;
  void* at = GlobalLock(block);
  if (!at) {
    GlobalFree(block);
    return false;
  }
  memcpy(at, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  bool placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(block);  // the clipboard owns it only once placed
  return placed;
}
