#include "preview/preview_pane_ui_win.h"

#include <algorithm>
#include <memory>

#include "base/utf16_win.h"
#include "launch/launch_log.h"
#include "preview/preview_worker_win.h"
#include "ui/frameless_win.h"
#include "ui/icon_pixels.h"
#include "ui/theme_colours_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr wchar_t kClassName[] = L"KorvoPreview";
constexpr UINT kMsgResult = WM_APP + 1;     // lparam: PreviewResult*, owned by the pane
constexpr UINT kMsgSelection = WM_APP + 2;  // the selection changed (posted once per burst)
constexpr UINT_PTR kCycleTimer = 1;

struct PreviewPane {
  HWND window = nullptr;
  PreviewSubjectFn subject;
  PreviewWorker worker;
  uint64_t generation = 0;
  std::string asked_key;             // what the newest request depended on
  PreviewSubject asked;              // the subject of the newest request
  PreviewSubject shown_subject;      // the subject of the answer shown
  std::unique_ptr<PreviewResult> shown;
  bool selection_posted = false;
  HFONT title_font = nullptr;
  HFONT title_font_base = nullptr;   // the UI font it was made from
};

// The one pane, from its creation to the end of its window.
PreviewPane* g_pane = nullptr;
PreviewPane& Pane() { return *g_pane; }

PictureSize ClientSize(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

PictureSize Box() {
  PictureSize client = ClientSize(Pane().window);
  return PreviewPictureBox(client.w, client.h, Ui().dpi);
}

std::string KeyOf(const PreviewSubject& s, PictureSize box) {
  return s.set + '\n' + s.mame_exe + '\n' + s.more_options + '\n' + (s.keep_aspect ? "4:3" : "1:1") + '\n' +
         std::to_string(box.w) + 'x' + std::to_string(box.h);
}

const std::string* ShownPath() {
  const PreviewResult* r = Pane().shown.get();
  return r && r->index >= 0 ? &r->files[static_cast<size_t>(r->index)] : nullptr;
}

void Ask(const std::string& want_path) {
  PreviewPane& p = Pane();
  ++p.generation;
  if (!p.asked.any) {
    // Nothing selected: nothing to look for.
    p.shown = std::make_unique<PreviewResult>();
    p.shown->generation = p.generation;
    p.shown_subject = p.asked;
    KillTimer(p.window, kCycleTimer);
    InvalidateRect(p.window, nullptr, FALSE);
    return;
  }
  auto request = std::make_unique<PreviewRequest>();
  request->generation = p.generation;
  request->set = p.asked.set;
  request->mame_exe = p.asked.mame_exe;
  request->more_options = p.asked.more_options;
  request->keep_aspect = p.asked.keep_aspect;
  request->box = Box();
  request->want_path = want_path;
  p.worker.Ask(std::move(request));
}

// Asks for the subject as it is now, unless nothing changed since the last request.
void AskForSubject(bool look_again) {
  if (!g_pane) return;
  PreviewPane& p = Pane();
  if (!p.window || !IsWindowVisible(p.window) || !p.subject) return;
  PreviewSubject now = p.subject();
  std::string key = KeyOf(now, Box());
  if (!look_again && key == p.asked_key) return;
  p.asked_key = key;
  // The same game in a new size keeps its picture; another game, or a look
  // after MAME ended, starts at the newest.
  const std::string* current = ShownPath();
  bool same_game = p.shown && p.shown_subject.any && p.shown_subject.set == now.set;
  p.asked = std::move(now);
  Ask(!look_again && same_game && current ? *current : std::string());
}

void Step(int delta) {
  PreviewPane& p = Pane();
  if (!p.shown || p.shown->files.size() < 2) return;
  int count = static_cast<int>(p.shown->files.size());
  Ask(p.shown->files[static_cast<size_t>(StepPicture(p.shown->index, delta, count))]);
}

void TakeResult(LPARAM block) {
  std::unique_ptr<PreviewResult> result(reinterpret_cast<PreviewResult*>(block));
  PreviewPane& p = Pane();
  if (!result || result->generation != p.generation) return;  // an answer nobody waits for any more
  if (!result->log_line.empty() && p.asked.logs) AppendLaunchLogLine(result->log_line);
  p.shown = std::move(result);
  p.shown_subject = p.asked;
  if (p.shown->files.size() > 1)
    SetTimer(p.window, kCycleTimer, kPreviewCycleMs, nullptr);
  else
    KillTimer(p.window, kCycleTimer);
  InvalidateRect(p.window, nullptr, FALSE);
}

PreviewLayout CurrentLayout(bool* stepping = nullptr) {
  PreviewPane& p = Pane();
  PictureSize client = ClientSize(p.window), box = Box();
  const Picture* picture = p.shown ? p.shown->picture.get() : nullptr;
  PictureSize size = picture ? FitPicture(box, {picture->w, picture->h}, false) : FitPicture(box, {4, 3}, true);
  bool several = p.shown && p.shown->files.size() > 1;
  if (stepping) *stepping = several;
  return LayoutPreview(client.w, client.h, Ui().dpi, size, several);
}

HFONT TitleFont() {
  PreviewPane& p = Pane();
  if (p.title_font && p.title_font_base == Ui().font) return p.title_font;
  if (p.title_font) DeleteObject(p.title_font);
  LOGFONTW font = {};
  GetObjectW(Ui().font, sizeof font, &font);
  font.lfWeight = FW_BOLD;
  p.title_font = CreateFontIndirectW(&font);
  p.title_font_base = Ui().font;
  return p.title_font;
}

void Fill(HDC dc, const PaneRect& r, COLORREF colour) {
  RECT rect = {r.x, r.y, r.Right(), r.Bottom()};
  FillRect(dc, &rect, KeptBrush(colour));
}

void DrawMask(HDC dc, const PaneRect& r, const std::vector<uint8_t>& mask, COLORREF back, COLORREF ink) {
  if (mask.empty()) return;
  std::vector<uint32_t> pixels = BlendMask(mask, RgbOf(back), RgbOf(ink));
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, r.w, -r.h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetDIBitsToDevice(dc, r.x, r.y, static_cast<DWORD>(r.w), static_cast<DWORD>(r.h), 0, 0, 0,
                    static_cast<UINT>(r.h), pixels.data(), &info, DIB_RGB_COLORS);
}

int Text(HDC dc, const std::string& text, PaneRect r, COLORREF colour, UINT format) {
  std::wstring wide = Utf8ToUtf16(text);
  RECT rect = {r.x, r.y, r.Right(), r.Bottom()};
  SetTextColor(dc, colour);
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format | DT_NOPREFIX);
}

void DrawStepButton(HDC dc, const PaneRect& r, bool next) {
  Fill(dc, r, PanelColour());
  int size = std::min(r.w, r.h) - S(4);
  PaneRect icon = {r.x + (r.w - size) / 2, r.y + (r.h - size) / 2, size, size};
  DrawMask(dc, icon, ArrowMask(next, size), PanelColour(), TextColour());
}

void Paint(HDC dc, PictureSize client) {
  PreviewPane& p = Pane();
  Fill(dc, {0, 0, client.w, client.h}, FaceColour());
  if (!p.shown || !p.shown_subject.any) return;
  bool stepping = false;
  PreviewLayout layout = CurrentLayout(&stepping);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old_font = SelectObject(dc, Ui().font);
  if (const Picture* picture = p.shown->picture.get()) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, picture->w, -picture->h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    // The worker made it at this size; while a new size is on its way, the old one stands in.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, layout.picture.x, layout.picture.y, layout.picture.w, layout.picture.h, 0, 0, picture->w,
                  picture->h, picture->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  } else {
    Fill(dc, layout.picture, PanelColour());
    DrawMask(dc, layout.icon, BoardIconMask(layout.icon.w), PanelColour(), DimTextColour());
    Text(dc, kNoPictureText, layout.note, DimTextColour(), DT_CENTER | DT_WORDBREAK);
  }
  if (stepping) {
    DrawStepButton(dc, layout.previous, false);
    DrawStepButton(dc, layout.next, true);
    Text(dc, PreviewCounterText(p.shown->index, static_cast<int>(p.shown->files.size())), layout.counter,
         TextColour(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  // The title takes up to two lines; board and year follow it.
  PaneRect title = layout.texts;
  SelectObject(dc, TitleFont());
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  const int line = static_cast<int>(metrics.tmHeight);
  title.h = std::min(title.h, 2 * line);
  int used = Text(dc, p.shown_subject.title, title, TextColour(),
                  DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL);
  SelectObject(dc, Ui().font);
  PaneRect board = {layout.texts.x, title.y + std::min(used, title.h) + S(2), layout.texts.w, line + S(2)};
  Text(dc, p.shown_subject.board_line, board, DimTextColour(), DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  SelectObject(dc, old_font);
}

void PaintBuffered(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  PictureSize client = ClientSize(window);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(1, client.w), std::max(1, client.h));
  HGDIOBJ old = SelectObject(memory, bitmap);
  Paint(memory, client);
  BitBlt(dc, 0, 0, client.w, client.h, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window, &ps);
}

void Click(int x, int y) {
  bool stepping = false;
  PreviewLayout layout = CurrentLayout(&stepping);
  if (!stepping) return;
  if (layout.previous.Contains(x, y)) Step(-1);
  if (layout.next.Contains(x, y)) Step(1);
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!g_pane) return DefWindowProcW(window, message, wparam, lparam);
  PreviewPane& p = Pane();
  switch (message) {
    case WM_CREATE:
      p.window = window;
      p.worker.Start(window, kMsgResult);
      return 0;
    case WM_SIZE:
      AskForSubject(false);  // a new size needs the picture made anew
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintBuffered(window);
      return 0;
    case WM_LBUTTONDOWN:
      Click(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
      return 0;
    case WM_TIMER:
      if (wparam == kCycleTimer) Step(1);
      return 0;
    case kMsgSelection:
      p.selection_posted = false;
      AskForSubject(false);
      return 0;
    case kMsgResult:
      TakeResult(lparam);
      return 0;
    case WM_DESTROY: {
      p.worker.Stop();
      MSG msg;
      while (PeekMessageW(&msg, window, kMsgResult, kMsgResult, PM_REMOVE)) {
        // PeekMessage returns a posted quit whatever its filter: it is the main loop's.
        if (msg.message == WM_QUIT) {
          PostQuitMessage(static_cast<int>(msg.wParam));
          break;
        }
        delete reinterpret_cast<PreviewResult*>(msg.lParam);
      }
      if (p.title_font) DeleteObject(p.title_font);
      delete g_pane;
      g_pane = nullptr;
      return 0;
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
}  // namespace

HWND CreatePreviewPane(HWND parent, PreviewSubjectFn subject) {
  RegisterLauncherClass(Ui().instance, kClassName, PreviewProc, false);
  if (g_pane) return g_pane->window;  // one pane per process
  g_pane = new PreviewPane;
  g_pane->subject = std::move(subject);
  HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr,
                                Ui().instance, nullptr);
  if (!window) {
    delete g_pane;
    g_pane = nullptr;
  }
  SkipEmptyFramePaint(window);
  return window;
}

void PlacePreviewPane(int x, int y, int w, int h, bool shown) {
  if (!g_pane || !g_pane->window) return;
  PreviewPane& p = Pane();
  if (!shown) {
    ShowWindow(p.window, SW_HIDE);
    KillTimer(p.window, kCycleTimer);
    p.asked_key.clear();  // ask afresh when shown again
    return;
  }
  RECT now;
  GetWindowRect(p.window, &now);
  MapWindowPoints(HWND_DESKTOP, GetParent(p.window), reinterpret_cast<POINT*>(&now), 2);
  if (now.left != x || now.top != y || now.right - now.left != w || now.bottom - now.top != h)
    MoveWindow(p.window, x, y, w, h, FALSE);
  if (!(GetWindowLongW(p.window, GWL_STYLE) & WS_VISIBLE)) ShowWindow(p.window, SW_SHOWNA);
  AskForSubject(false);
}

void PreviewSelectionChanged() {
  if (!g_pane) return;
  PreviewPane& p = Pane();
  if (!p.window || p.selection_posted || !IsWindowVisible(p.window)) return;
  p.selection_posted = PostMessageW(p.window, kMsgSelection, 0, 0) != FALSE;
}

void RefreshPreview() { AskForSubject(false); }

void PreviewLookAgain() { AskForSubject(true); }

PreviewShown PreviewPaneShown() {
  PreviewShown out;
  if (!g_pane) return out;
  PreviewPane& p = Pane();
  if (!p.window || !p.shown || p.shown->generation != p.generation) return out;
  out.answered = true;
  out.set = p.shown->set;
  out.index = p.shown->index;
  out.count = static_cast<int>(p.shown->files.size());
  out.placeholder = p.shown_subject.any && !p.shown->picture;
  out.picture = CurrentLayout().picture;
  return out;
}
