// Subclass chains: the order messages take, procedures leaving while they run, a window destroyed inside a message.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "ui/subclass_win.h"

namespace {
std::string heard;  // which procedures saw the latest messages, in order

LRESULT CALLBACK Original(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) heard += "original ";
  if (message == WM_APP + 1) DestroyWindow(window);
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK Named(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data) {
  if (message == WM_APP) {
    heard += std::string(1, static_cast<char>(data)) + " ";
    if (id == 2) RemoveSubclass(window, Named, id);  // leaves in the middle of its own message
  }
  return CallNextSubclass(window, message, wparam, lparam);
}

HWND MakeWindow() {
  WNDCLASSW wc = {0, Original, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr, L"KorvoSubclassTest"};
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}
}  // namespace

TEST(Subclass, TheLatestHearsFirstOneLeavesWhileItRunsAndAWindowDestroyedInsideLeavesNoChainForItsHandle) {
  HWND window = MakeWindow();
  for (auto [id, data] : {std::pair{1, 'a'}, {2, 'b'}, {3, 'c'}, {1, 'A'}})  // id 1 again: new data, same place
    ASSERT_TRUE(AddSubclass(window, Named, id, data)) << data;
  SendMessageW(window, WM_APP, 0, 0);
  EXPECT_EQ(heard, "c b A original ");
  heard.clear();
  SendMessageW(window, WM_APP, 0, 0);
  EXPECT_EQ(heard, "c A original ");
  DWORD_PTR data = 0;
  EXPECT_TRUE(FindSubclass(window, Named, 3, &data) && data == static_cast<DWORD_PTR>('c'));
  EXPECT_FALSE(FindSubclass(window, Named, 2));
  // Another thread cannot put a chain on it: its messages would miss the chain.
  bool added = true;
  std::thread([&] { added = AddSubclass(window, Named, 9, 'x'); }).join();
  EXPECT_FALSE(added);

  SendMessageW(window, WM_APP + 1, 0, 0);  // its own procedure destroys it, inside the chain
  EXPECT_FALSE(IsWindow(window) || FindSubclass(window, Named, 1) || FindSubclass(window, Named, 3));
  // Handles are reused: whatever the new window's handle, its messages go through its own chain only.
  HWND next = MakeWindow();
  ASSERT_TRUE(AddSubclass(next, Named, 5, 'n'));
  heard.clear();
  SendMessageW(next, WM_APP, 0, 0);
  EXPECT_EQ(heard, "n original ");
  DestroyWindow(next);
  EXPECT_FALSE(FindSubclass(next, Named, 5));
}
