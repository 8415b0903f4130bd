#include "dialog_driver_win.h"

#include <algorithm>

#include "base/utf16_win.h"

namespace {
DialogDriver* active = nullptr;

std::string WindowText(HWND w) {
  wchar_t text[4096] = L"";
  GetWindowTextW(w, text, 4096);
  return Utf16ToUtf8(text);
}

bool IsBoxOrDialog(HWND w) {
  wchar_t name[32] = L"";
  GetClassNameW(w, name, 32);
  return IsWindowVisible(w) && (!lstrcmpW(name, L"#32770") || !lstrcmpW(name, L"KorvoModal"));
}

BOOL CALLBACK Collect(HWND w, LPARAM list) {
  if (IsBoxOrDialog(w)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}
}  // namespace

DialogDriver::DialogDriver(Answer answer) : answer_(std::move(answer)) {
  active = this;
  timer_ = SetTimer(nullptr, 0, 60, Tick);
}

DialogDriver::~DialogDriver() {
  KillTimer(nullptr, timer_);
  if (active == this) active = nullptr;
}

bool DialogDriver::SawTitle(const std::string& title) const {
  return std::any_of(seen_.begin(), seen_.end(), [&](const SeenBox& b) { return b.title == title; });
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (active) active->Check();
}

void DialogDriver::Check() {
  handled_.erase(std::remove_if(handled_.begin(), handled_.end(), [](HWND w) { return !IsWindow(w); }),
                 handled_.end());
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&windows));
  for (HWND w : windows) {
    if (std::find(handled_.begin(), handled_.end(), w) != handled_.end()) continue;
    handled_.push_back(w);
    SeenBox box{WindowText(w), WindowText(GetDlgItem(w, 0xFFFF))};
    seen_.push_back(box);
    if (answer_ && answer_(w, box)) continue;
    wchar_t name[32] = L"";
    GetClassNameW(w, name, 32);
    int button = IDCANCEL;
    if (!lstrcmpW(name, L"#32770")) button = GetDlgItem(w, IDOK) ? IDOK : (GetDlgItem(w, IDNO) ? IDNO : IDCANCEL);
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }
}
