// The filter window for real: an overlay over the monitor showing a known
// picture, read back from the screen and compared with the processor's
// reference of the same shaders; and its life around MAME's window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

#include "../../tools/fakemame/fakemame_picture_win.h"

#include "filterwin/filter_reference.h"
#include "filterwin/filter_window.h"
#include "settings/app_state.h"
#include "win_test_support.h"

namespace {
constexpr int kPictureW = 160, kPictureH = 120;

HWND Overlay() { return FindWindowW(L"KorvoFilter", nullptr); }

// Polls `done` for up to `ms`.
template <typename Done>
bool WaitUntil(Done done, DWORD ms) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    Sleep(20);
  }
  return true;
}

// MAME's part played inside this process, so a window print reaches it
// (Wine prints only windows of the calling process).
class PictureThread {
 public:
  PictureThread() {
    thread_ = std::thread([this] {
      window_ = fakemame::CreatePictureWindow(kPictureW, kPictureH);
      ready_ = true;
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    });
    WaitUntil([this] { return ready_.load(); }, 5000);
  }
  ~PictureThread() {
    if (IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND window() const { return window_; }

 private:
  std::thread thread_;
  std::atomic<bool> ready_{false};
  HWND window_ = nullptr;
};

struct Screen {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top-down
};

Screen ReadScreen() {
  Screen s;
  s.width = GetSystemMetrics(SM_CXSCREEN);
  s.height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = s.width;
  info.bmiHeader.biHeight = -s.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, s.width, s.height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  s.pixels.assign(p, p + static_cast<size_t>(s.width) * s.height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return s;
}

// build/screenshots/<name>.bmp beside the test build; `make test` turns it into a PNG.
void SaveScreenshot(const Screen& s, const char* name) {
  std::string folder = TestBuildFolder() + "\\..\\screenshots";
  CreateDirectoryW(Utf8ToUtf16(folder).c_str(), nullptr);
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = s.width;
  info.biHeight = -s.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  uint32_t bytes = static_cast<uint32_t>(s.pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  std::ofstream out(Utf8ToUtf16(folder + "\\" + name + ".bmp").c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(s.pixels.data()), bytes);
}

// What the overlay should show for the picture window with these settings.
RgbImage Expected(const FilterChoice& choice, int monitor_w, int monitor_h) {
  RgbImage src(kPictureW, kPictureH);
  for (int y = 0; y < kPictureH; ++y)
    for (int x = 0; x < kPictureW; ++x) {
      uint32_t p = fakemame::PicturePixel(x, y, kPictureW, kPictureH);
      src.At(x, y) = {(p >> 16 & 255) / 255.0f, (p >> 8 & 255) / 255.0f, (p & 255) / 255.0f};
    }
  DispConstants k = ScalingPassConstants(choice, kPictureW, kPictureH, monitor_w, monitor_h);
  RgbImage out = RenderReferencePass(src, k, choice.scaler == kScalerXbrz ? ReferenceShader::kXbrz
                                                                           : ReferenceShader::kPlain,
                                     monitor_w, monitor_h);
  QuantizeToUnorm8(out);
  if (choice.fxaa) {
    out = RenderReferencePass(out, FxaaPassConstants(monitor_w, monitor_h), ReferenceShader::kFxaa, monitor_w,
                              monitor_h);
    QuantizeToUnorm8(out);
  }
  return out;
}

// How many pixels differ from the reference by more than `tolerance` levels in a channel.
int CountMismatches(const Screen& s, const RgbImage& expected, int tolerance, int& largest) {
  int mismatches = 0;
  largest = 0;
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) {
      uint32_t p = s.pixels[static_cast<size_t>(y) * s.width + x];
      const Rgb& e = expected.At(x, y);
      int d = std::max({std::abs(static_cast<int>(p >> 16 & 255) - static_cast<int>(e.r * 255 + 0.5f)),
                        std::abs(static_cast<int>(p >> 8 & 255) - static_cast<int>(e.g * 255 + 0.5f)),
                        std::abs(static_cast<int>(p & 255) - static_cast<int>(e.b * 255 + 0.5f))});
      largest = std::max(largest, d);
      mismatches += d > tolerance;
    }
  return mismatches;
}

void UseFilterSettings(int scaler, int dither, bool fxaa) {
  Settings& s = App().settings;
  ResetSettings(s);
  s.filter_window = 1;
  s.filter_scaler = scaler;
  s.filter_dither = dither;
  s.filter_fxaa = fxaa;
  s.keep_aspect = 1;
}

// Starts the overlay on the picture window and checks the screen against the reference.
void ExpectScreenMatches(int scaler, int dither, bool fxaa, const char* screenshot) {
  UseFilterSettings(scaler, dither, fxaa);
  PictureThread picture;
  ASSERT_TRUE(picture.window());
  StartFilterWindow(GetCurrentProcessId());
  ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(Overlay()); }, 20000)) << "the overlay did not show";
  Screen screen = ReadScreen();
  FilterChoice choice = ReadFilterChoice(App().settings);
  RgbImage expected = Expected(choice, screen.width, screen.height);
  // Wait for a frame of the picture (shader compilation and the first frames take a moment).
  int largest = 0;
  WaitUntil([&] {
    screen = ReadScreen();
    return CountMismatches(screen, expected, 6, largest) < screen.width * screen.height / 200;
  }, 20000);
  if (screenshot) SaveScreenshot(screen, screenshot);
  int mismatches = CountMismatches(screen, expected, 6, largest);
  EXPECT_LT(mismatches, screen.width * screen.height / 200) << "largest difference " << largest;

  // Over the whole monitor, without taking the focus.
  HWND overlay = Overlay();
  RECT r;
  GetWindowRect(overlay, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, screen.width);
  EXPECT_EQ(r.bottom, screen.height);
  LONG_PTR ex = GetWindowLongPtrW(overlay, GWL_EXSTYLE);
  for (LONG_PTR flag : std::initializer_list<LONG_PTR>{WS_EX_LAYERED, WS_EX_TOPMOST, WS_EX_TOOLWINDOW,
                                                      WS_EX_TRANSPARENT, WS_EX_NOACTIVATE})
    EXPECT_TRUE(ex & flag) << std::hex << flag;
  EXPECT_EQ(GetForegroundWindow(), picture.window());
  StopFilterWindow();
  EXPECT_FALSE(Overlay());
}
}  // namespace

TEST(FilterWindowWin, HardPixelsWithDitherSmoothingMatchTheReference) {
  ExpectScreenMatches(kScalerPixels, 3, false, nullptr);
}

TEST(FilterWindowWin, BicubicMatchesTheReference) { ExpectScreenMatches(kScalerBicubic, 0, false, nullptr); }

TEST(FilterWindowWin, XbrzWithFxaaMatchesTheReference) {
  ExpectScreenMatches(kScalerXbrz, 0, true, "filter-window");
}

TEST(FilterWindowWin, HidesWhileMinimisedSurvivesATinyWindowAndEndsWithIt) {
  UseFilterSettings(kScalerSharpBilinear, 0, false);
  PictureThread picture;
  HWND mame = picture.window();
  StartFilterWindow(GetCurrentProcessId());
  ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(Overlay()); }, 20000));

  ShowWindow(mame, SW_MINIMIZE);
  EXPECT_TRUE(WaitUntil([] { return !IsWindowVisible(Overlay()); }, 3000)) << "still shown while minimised";
  ShowWindow(mame, SW_RESTORE);
  SetForegroundWindow(mame);
  EXPECT_TRUE(WaitUntil([] { return IsWindowVisible(Overlay()); }, 3000)) << "not back after restoring";

  // A 1 x 1 client area is skipped, not drawn; a normal size draws again.
  SetWindowPos(mame, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
  Sleep(300);
  EXPECT_TRUE(Overlay());
  SetWindowPos(mame, nullptr, 0, 0, 300, 260, SWP_NOMOVE | SWP_NOZORDER);
  Sleep(300);
  EXPECT_TRUE(IsWindowVisible(Overlay()));

  // MAME's window goes: the overlay ends by itself.
  PostMessageW(mame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return Overlay() == nullptr; }, 3000));
  StopFilterWindow();
}

TEST(FilterWindowWin, OverlayOnTheFakeMamesWindowEndsWhenMameDoes) {
  UseFilterSettings(kScalerXbrz, 2, false);
  WinTempDir dir;
  CopyInto(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", dir.File("mame.exe"));
  std::ofstream(Utf8ToUtf16(dir.File("fakemame-control.txt")).c_str(), std::ios::binary) << "picture=200x150\n";
  HANDLE mame = StartProgram(dir.File("mame.exe"), "tekken3");
  ASSERT_TRUE(mame);
  DWORD mame_id = GetProcessId(mame);
  StartFilterWindow(mame_id);
  EXPECT_TRUE(WaitUntil([] { return IsWindowVisible(Overlay()); }, 20000)) << "the overlay did not show";
  HWND foreground = GetForegroundWindow();
  DWORD foreground_id = 0;
  GetWindowThreadProcessId(foreground, &foreground_id);
  EXPECT_EQ(foreground_id, mame_id) << "the focus left MAME";

  HWND mame_window = FindWindowW(L"FakeMamePicture", nullptr);
  ASSERT_TRUE(mame_window);
  PostMessageW(mame_window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitExit(mame, 5000), 0);
  EXPECT_TRUE(WaitUntil([] { return Overlay() == nullptr; }, 10000));  // the overlay looks for its MAME on a timer: slow on a loaded machine
  StopFilterWindow();
  CloseHandle(mame);
}

TEST(FilterWindowWin, StopWhileStillLookingForMameReturnsAtOnce) {
  UseFilterSettings(kScalerXbrz, 0, false);
  HANDLE idle = StartProgram(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", "-listfull nosuchset");
  ASSERT_TRUE(idle);
  DWORD id = GetProcessId(idle);  // a process without any window
  StartFilterWindow(id);
  Sleep(500);
  DWORD start = GetTickCount();
  StopFilterWindow();
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_FALSE(Overlay());
  // A new start after a stop works the same way.
  StartFilterWindow(id);
  StopFilterWindow();
  WaitExit(idle, 5000);
  CloseHandle(idle);
}
