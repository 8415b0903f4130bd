// The filter window for real: the overlay on the screen against the shaders' reference; its life around MAME's window.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "../../tools/fakemame/fakemame_picture_win.h"

#include "filterwin/filter_reference.h"
#include "filterwin/filter_window.h"
#include "scratch_launcher_win.h"

namespace {
constexpr int kPictureW = 160, kPictureH = 120;

HWND Overlay() { return FindWindowW(L"KorvoFilter", nullptr); }

// MAME's part played in this process: Wine prints only windows of the calling process.
struct PictureThread {
  std::atomic<HWND> window{nullptr};
  std::thread thread{[this] {
    window = fakemame::CreatePictureWindow(kPictureW, kPictureH);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  }};
  PictureThread() { WaitFor([this] { return window.load() != nullptr; }, 5000); }
  ~PictureThread() {
    if (IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    thread.join();
  }
};

// What the overlay should show for the picture window (its client area `picture_w` x `picture_h`) with these settings.
RgbImage Expected(const FilterChoice& choice, int monitor_w, int monitor_h, int picture_w = kPictureW,
                  int picture_h = kPictureH) {
  RgbImage src(picture_w, picture_h);
  for (int y = 0; y < picture_h; ++y)
    for (int x = 0; x < picture_w; ++x) {
      uint32_t p = fakemame::PicturePixel(x, y, picture_w, picture_h);
      src.At(x, y) = {(p >> 16 & 255) / 255.0f, (p >> 8 & 255) / 255.0f, (p & 255) / 255.0f};
    }
  DispConstants k = ScalingPassConstants(choice, picture_w, picture_h, monitor_w, monitor_h);
  RgbImage out = RenderReferencePass(
      src, k, choice.scaler == kScalerXbrz ? ReferenceShader::kXbrz : ReferenceShader::kPlain, monitor_w, monitor_h);
  QuantizeToUnorm8(out);
  if (choice.fxaa) {
    out = RenderReferencePass(out, FxaaPassConstants(monitor_w, monitor_h), ReferenceShader::kFxaa, monitor_w,
                              monitor_h);
    QuantizeToUnorm8(out);
  }
  return out;
}

// How many screen pixels differ from the reference by more than 6 levels in a channel.
int Mismatches(const WindowPixels& s, const RgbImage& expected) {
  int mismatches = 0;
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) {
      const uint32_t p = s.At({x, y});
      const Rgb& e = expected.At(x, y);
      auto off = [p](int shift, float want) { return std::abs(int(p >> shift & 255) - int(want * 255 + 0.5f)) > 6; };
      mismatches += off(16, e.r) || off(8, e.g) || off(0, e.b);
    }
  return mismatches;
}

void UseFilterSettings(int scaler, int dither, bool fxaa) {
  Settings& s = App().settings;
  ResetSettings(s);
  s.filter_window = s.keep_aspect = 1, s.filter_scaler = scaler, s.filter_dither = dither, s.filter_fxaa = fxaa;
}
}  // namespace

TEST(FilterWindowWin, ScalersMatchTheReferenceTheOverlayFollowsMamesWindowAndStopsWhileStillLooking) {
  for (auto [scaler, dither, fxaa] : {std::tuple{kScalerPixels, 3, false}, {kScalerBicubic, 0, false}, {kScalerXbrz, 0, true}}) {
    SCOPED_TRACE(scaler);
    UseFilterSettings(scaler, dither, fxaa);
    PictureThread picture;
    ASSERT_TRUE(picture.window.load());
    StartFilterWindow(GetCurrentProcessId());
    ASSERT_TRUE(WaitFor([] { return IsWindowVisible(Overlay()); }, 20000)) << "the overlay did not show";
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    RgbImage expected = Expected(ReadFilterChoice(App().settings), w, h);
    // Shader compilation and the first frames take a moment.
    int wrong = 0;
    WaitFor([&] { return (wrong = Mismatches(WindowPixels(nullptr), expected)) < w * h / 200; }, 20000);
    EXPECT_LT(wrong, w * h / 200);
    if (fxaa) {  // the smoothing ran: the screen is nearer the smoothed reference than the sharp one
      FilterChoice sharp = ReadFilterChoice(App().settings);
      sharp.fxaa = false;
      EXPECT_LT(wrong, Mismatches(WindowPixels(nullptr), Expected(sharp, w, h)));
      SaveWindowScreenshot(nullptr, "filter-window");
    }

    // Over the whole monitor, without taking the focus.
    const RECT r = RectIn(Overlay(), nullptr);
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == w && r.bottom == h);
    LONG_PTR ex = GetWindowLongPtrW(Overlay(), GWL_EXSTYLE);
    for (LONG_PTR flag : std::initializer_list<LONG_PTR>{WS_EX_LAYERED, WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_TRANSPARENT, WS_EX_NOACTIVATE})
      EXPECT_TRUE(ex & flag) << std::hex << flag;
    EXPECT_EQ(GetForegroundWindow(), picture.window.load());
    StopFilterWindow();
    EXPECT_FALSE(Overlay());
  }

  // Hidden while MAME's window is minimised; a tiny client area is skipped; it ends with MAME's window.
  UseFilterSettings(kScalerSharpBilinear, 0, false);
  StartFilterWindow(GetCurrentProcessId());  // before MAME's window shows: MAME takes a moment to open it
  Sleep(500);
  PictureThread picture;
  HWND mame = picture.window.load();
  ASSERT_TRUE(WaitFor([] { return IsWindowVisible(Overlay()); }, 20000));
  ShowWindow(mame, SW_MINIMIZE);
  EXPECT_TRUE(WaitFor([] { return !IsWindowVisible(Overlay()); }, 3000)) << "still shown while minimised";
  ShowWindow(mame, SW_RESTORE);
  SetForegroundWindow(mame);
  EXPECT_TRUE(WaitFor([] { return IsWindowVisible(Overlay()); }, 3000)) << "not back after restoring";
  SetWindowPos(mame, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
  Sleep(300);
  EXPECT_TRUE(Overlay());
  SetWindowPos(mame, nullptr, 0, 0, 300, 260, SWP_NOMOVE | SWP_NOZORDER);
  Sleep(300);
  EXPECT_TRUE(IsWindowVisible(Overlay()));
  // Dragged wider only, the picture follows at its new size.
  SetWindowPos(mame, nullptr, 0, 0, 380, 260, SWP_NOMOVE | SWP_NOZORDER);
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const RgbImage wider = Expected(ReadFilterChoice(App().settings), w, h, ClientRectOf(mame).right, ClientRectOf(mame).bottom);
  int wrong = 0;
  WaitFor([&] { return (wrong = Mismatches(WindowPixels(nullptr), wider)) < w * h / 200; }, 10000);
  EXPECT_LT(wrong, w * h / 200);
  PostMessageW(mame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([] { return Overlay() == nullptr; }, 10000));
  StopFilterWindow();

  // A process without any window: Stop returns at once, and a new start after it works the same way.
  ScratchLauncher f;
  UseFilterSettings(kScalerXbrz, 2, false);
  HANDLE idle = StartProgram(f.dir.File("mame.exe"), "-listfull nosuchset");
  ASSERT_TRUE(idle);
  StartFilterWindow(GetProcessId(idle));
  Sleep(500);
  DWORD start = GetTickCount();
  StopFilterWindow();
  EXPECT_TRUE(GetTickCount() - start < 1000u && !Overlay());
  StartFilterWindow(GetProcessId(idle));
  StopFilterWindow();
  WaitExit(idle, 5000);
  CloseHandle(idle);
}
