#include "preview/preview_pane_ui_win.h"

#include <algorithm>
#include <map>
#include <memory>

#include "base/utf16_win.h"
#include "launch/launch_log.h"
#include "preview/picture_answer_win.h"
#include "preview/picture_kinds.h"
#include "preview/preview_worker_win.h"
#include "ui/frameless_win.h"
#include "ui/icon_pixels.h"
#include "ui/offscreen_paint_win.h"
#include "ui/posted_blocks_win.h"
#include "ui/theme_colours_win.h"
#include "ui/theme_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr wchar_t kClassName[] = L"KorvoPreview";
// Numbers the main window, whose child the pane is, does not use: a look for
// the main window's posted messages also finds its children's.
constexpr UINT kMsgResult = WM_APP + 41;     // lparam: PreviewResult* with pictures, owned by the pane
constexpr UINT kMsgSelection = WM_APP + 42;  // the selection changed (posted once per burst)
constexpr UINT kMsgTexts = WM_APP + 43;      // lparam: PreviewResult* with the card's texts
constexpr UINT_PTR kCycleTimer = 1;
constexpr int kTextBox = 1;  // the control id of the tab's text

struct PreviewPane {
  HWND window = nullptr, text_box = nullptr;
  PreviewSubjectFn subject;
  PreviewKindFn kind_chosen;
  PreviewWorker pictures, texts;
  uint64_t generation = 0, text_generation = 0;
  std::string asked_key, text_key;   // what the newest requests depended on
  PreviewSubject asked;              // the subject of the newest request
  PreviewSubject shown_subject;      // the subject of the answer shown
  std::unique_ptr<PreviewResult> shown;
  std::vector<InfoTab> tabs;         // the game's texts from the files, for `texts_set`
  std::string texts_set;
  std::string tab = kGeneralInfoTab;  // the tab last chosen
  std::wstring text_shown;           // what the text box holds
  bool selection_posted = false;
  HFONT title_font = nullptr;
  HFONT title_font_base = nullptr;   // the UI font it was made from
  std::map<std::wstring, int> widths;  // of button labels in the UI font
  std::map<std::pair<std::string, int>, int> lines;  // of card texts at a width: 1 or 2
  HFONT widths_font = nullptr;
  int line_h = 0;
  // Texts are measured in a memory DC: a window's DC is a trip to the window server each time.
  HDC measure = nullptr;
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
  return s.set + '\n' + s.mame_exe + '\n' + s.more_options + '\n' + s.kind + '\n' +
         (s.keep_aspect ? "4:3" : "1:1") + '\n' + std::to_string(box.w) + 'x' + std::to_string(box.h);
}

const std::string* ShownPath() {
  const PreviewResult* r = Pane().shown.get();
  return r && r->index >= 0 ? &r->files[static_cast<size_t>(r->index)] : nullptr;
}

// The card's lines and tabs are of the game shown; the newest subject of the
// same game has them freshest (a play just counted).
const PreviewSubject& CardSubject() {
  PreviewPane& p = Pane();
  return p.asked.set == p.shown_subject.set ? p.asked : p.shown_subject;
}

std::vector<InfoTab> CurrentTabs() {
  PreviewPane& p = Pane();
  std::vector<InfoTab> tabs;
  if (!p.shown_subject.any) return tabs;
  tabs.push_back({kGeneralInfoTab, CardSubject().card.general});
  if (p.texts_set == p.shown_subject.set) tabs.insert(tabs.end(), p.tabs.begin(), p.tabs.end());
  return tabs;
}

const InfoTab* ChosenTab(const std::vector<InfoTab>& tabs) {
  for (const InfoTab& t : tabs)
    if (t.name == Pane().tab) return &t;
  return tabs.empty() ? nullptr : &tabs.front();
}

std::vector<int> OfferedKinds() {
  const PreviewResult* r = Pane().shown.get();
  std::vector<int> kinds;
  for (int k = 0; r && k < kArtKindCount; ++k)
    if (r->kinds & (1u << k)) kinds.push_back(k);
  return kinds;
}

int LabelWidth(const std::string& label) {
  PreviewPane& p = Pane();
  if (p.widths_font != Ui().font) {
    p.widths.clear();
    p.lines.clear();
    p.widths_font = Ui().font;
    p.line_h = 0;
  }
  std::wstring wide = Utf8ToUtf16(label);
  auto kept = p.widths.find(wide);
  if (kept != p.widths.end()) return kept->second;
  SelectObject(p.measure, Ui().font);
  SIZE size = {};
  GetTextExtentPoint32W(p.measure, wide.c_str(), static_cast<int>(wide.size()), &size);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(p.measure, &metrics);
  p.line_h = static_cast<int>(metrics.tmHeight);
  p.widths[wide] = size.cx;
  return size.cx;
}

HFONT TitleFont();

// How many lines (one or two) a card text takes at a width, in its font.
int LinesOf(const std::string& text, int width, bool title) {
  PreviewPane& p = Pane();
  if (p.lines.size() > 64) p.lines.clear();
  auto [kept, fresh] = p.lines.try_emplace({std::string(title ? "T" : "S") + text, width}, 1);
  if (!fresh || text.empty() || width <= 0) return kept->second;
  std::wstring wide = Utf8ToUtf16(text);
  SelectObject(p.measure, title ? TitleFont() : Ui().font);
  RECT r = {0, 0, width, 0};
  DrawTextW(p.measure, wide.c_str(), static_cast<int>(wide.size()), &r,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(p.measure, &metrics);
  kept->second = r.bottom > metrics.tmHeight ? 2 : 1;
  return kept->second;
}

PreviewLayout CurrentLayout() {
  PreviewPane& p = Pane();
  PictureSize client = ClientSize(p.window), box = Box();
  const Picture* picture = p.shown ? p.shown->picture.get() : nullptr;
  PreviewInput in;
  in.pane_w = client.w;
  in.pane_h = client.h;
  in.dpi = Ui().dpi;
  in.picture = picture ? FitPicture(box, {picture->w, picture->h}, false) : FitPicture(box, {4, 3}, true);
  in.stepping = p.shown && p.shown->files.size() > 1;
  in.card = p.shown && p.shown_subject.any;
  for (int k : OfferedKinds()) in.kinds.push_back(LabelWidth(kArtKinds[k].label));
  for (const InfoTab& t : CurrentTabs()) in.tabs.push_back(LabelWidth(t.name));
  LabelWidth(kGeneralInfoTab);  // the line height comes with any measure
  in.line_h = p.line_h;
  if (!in.card) return LayoutPreview(in);
  const int width = LayoutPreview(in).title.w;
  in.title_lines = LinesOf(p.shown_subject.title, width, true);
  const std::string& status = CardSubject().card.status;
  in.status_lines = status.empty() ? 0 : LinesOf(status, width, false);
  in.played_lines = LinesOf(CardSubject().card.played, width, false);
  return LayoutPreview(in);
}

void CreateTextBox(HWND window);

// The text box follows the layout and the chosen tab; its text is set only
// when it changed, so that where the reader scrolled to stays. It is made
// when first needed, not with the window.
void UpdateTextBox() {
  PreviewPane& p = Pane();
  const PreviewLayout layout = CurrentLayout();
  const std::vector<InfoTab> tabs = CurrentTabs();
  const InfoTab* tab = ChosenTab(tabs);
  const bool shown = tab && layout.text.w > 0 && layout.text.h > 0;
  if (!p.text_box && shown) CreateTextBox(p.window);
  if (!p.text_box) return;
  if (shown) {
    std::wstring crlf;
    for (wchar_t c : Utf8ToUtf16(tab->text)) {
      if (c == L'\n') crlf += L'\r';
      crlf += c;
    }
    if (crlf != p.text_shown) {
      p.text_shown = crlf;
      SetWindowTextW(p.text_box, crlf.c_str());
    }
    const PaneRect& r = layout.text;
    RECT now;
    GetWindowRect(p.text_box, &now);
    MapWindowPoints(HWND_DESKTOP, p.window, reinterpret_cast<POINT*>(&now), 2);
    if (now.left != r.x || now.top != r.y || now.right - now.left != r.w || now.bottom - now.top != r.h)
      MoveWindow(p.text_box, r.x, r.y, r.w, r.h, TRUE);
    // The bar only when the text needs it.
    const bool bar = SendMessageW(p.text_box, EM_GETLINECOUNT, 0, 0) * p.line_h > r.h;
    if (bar != ((GetWindowLongW(p.text_box, GWL_STYLE) & WS_VSCROLL) != 0)) ShowScrollBar(p.text_box, SB_VERT, bar);
  }
  if (shown != ((GetWindowLongW(p.text_box, GWL_STYLE) & WS_VISIBLE) != 0))
    ShowWindow(p.text_box, shown ? SW_SHOWNA : SW_HIDE);
}

void Ask(const std::string& want_path, bool look_again = false) {
  PreviewPane& p = Pane();
  ++p.generation;
  if (!p.asked.any) {
    // Nothing selected: nothing to look for.
    p.shown = std::make_unique<PreviewResult>();
    p.shown->generation = p.generation;
    p.shown_subject = p.asked;
    KillTimer(p.window, kCycleTimer);
    UpdateTextBox();
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
  request->kind = ArtKindIndex(p.asked.kind);
  request->want_path = want_path;
  request->look_again = look_again;
  // Made with the first game asked for, not with the window: the thread's
  // start is no part of the window's first paint.
  p.pictures.Start(p.window, kMsgResult, PictureAnswers());
  p.pictures.Ask(std::move(request));
}

void AskForTexts() {
  PreviewPane& p = Pane();
  std::string key = p.asked.set + '\n' + p.asked.mame_exe + '\n' + p.asked.more_options;
  if (!p.asked.any || key == p.text_key) return;
  p.text_key = key;
  p.texts.Start(p.window, kMsgTexts, CardTextAnswers());  // with the first game, not with the window
  auto request = std::make_unique<PreviewRequest>();
  request->generation = ++p.text_generation;
  request->set = p.asked.set;
  request->mame_exe = p.asked.mame_exe;
  request->more_options = p.asked.more_options;
  p.texts.Ask(std::move(request));
}

// Asks for the subject as it is now, unless nothing changed since the last request.
void AskForSubject(bool look_again) {
  if (!g_pane) return;
  PreviewPane& p = Pane();
  if (!p.window || !IsWindowVisible(p.window) || !p.subject) return;
  PreviewSubject now = p.subject();
  std::string key = KeyOf(now, Box());
  if (!look_again && key == p.asked_key) {
    // The same pictures; the card's lines may have changed (a play counted).
    if (now.card.general != p.asked.card.general) {
      p.asked.card = std::move(now.card);
      UpdateTextBox();
      InvalidateRect(p.window, nullptr, FALSE);
    }
    return;
  }
  p.asked_key = key;
  // The same game in a new size keeps its picture; another game, or a look
  // after MAME ended, starts at the newest.
  const std::string* current = ShownPath();
  bool same_game = p.shown && p.shown_subject.any && p.shown_subject.set == now.set &&
                   p.shown_subject.kind == now.kind;
  p.asked = std::move(now);
  Ask(!look_again && same_game && current ? *current : std::string(), look_again);
  AskForTexts();
}

void Step(int delta) {
  PreviewPane& p = Pane();
  if (!p.shown || p.shown->files.size() < 2) return;
  int count = static_cast<int>(p.shown->files.size());
  Ask(p.shown->files[static_cast<size_t>(StepPicture(p.shown->index, delta, count))]);
}

void LogLines(const PreviewResult& result) {
  if (Pane().asked.logs)
    for (const std::string& line : result.log_lines) AppendLaunchLogLine(line);
}

void TakeResult(LPARAM block) {
  std::unique_ptr<PreviewResult> result(reinterpret_cast<PreviewResult*>(block));
  PreviewPane& p = Pane();
  if (!result || result->generation != p.generation) return;  // an answer nobody waits for any more
  LogLines(*result);
  p.shown = std::move(result);
  p.shown_subject = p.asked;
  if (p.shown->files.size() > 1)
    SetTimer(p.window, kCycleTimer, kPreviewCycleMs, nullptr);
  else
    KillTimer(p.window, kCycleTimer);
  UpdateTextBox();
  InvalidateRect(p.window, nullptr, FALSE);
}

void TakeTexts(LPARAM block) {
  std::unique_ptr<PreviewResult> result(reinterpret_cast<PreviewResult*>(block));
  PreviewPane& p = Pane();
  if (!result || result->generation != p.text_generation) return;
  LogLines(*result);
  p.tabs = std::move(result->tabs);
  p.texts_set = result->set;
  // Mostly they come first: the picture's answer shows them, in one paint.
  if (!p.shown || !p.shown_subject.any || p.shown_subject.set != p.texts_set) return;
  UpdateTextBox();
  InvalidateRect(p.window, nullptr, FALSE);
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

// A kind or tab button: the chosen one in the selection's colours.
void DrawChip(HDC dc, const PaneRect& r, const std::string& label, bool chosen) {
  Fill(dc, r, chosen ? ThemeColour(ColourRole::Selection) : PanelColour());
  Text(dc, label, r, chosen ? ThemeColour(ColourRole::SelectionText) : TextColour(),
       DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void PaintCard(HDC dc, const PreviewLayout& layout) {
  PreviewPane& p = Pane();
  const std::vector<int> kinds = OfferedKinds();
  for (size_t i = 0; i < kinds.size() && i < layout.kinds.size(); ++i)
    DrawChip(dc, layout.kinds[i], kArtKinds[kinds[i]].label, kinds[i] == p.shown->kind);
  const PreviewSubject& card = CardSubject();
  SelectObject(dc, TitleFont());
  Text(dc, p.shown_subject.title, layout.title, TextColour(), DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL);
  SelectObject(dc, Ui().font);
  Text(dc, p.shown_subject.board_line, layout.board, DimTextColour(), DT_SINGLELINE | DT_END_ELLIPSIS);
  Text(dc, card.card.status, layout.status, TextColour(), DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL);
  Text(dc, card.card.played, layout.played, DimTextColour(), DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL);
  const std::vector<InfoTab> tabs = CurrentTabs();
  const InfoTab* chosen = ChosenTab(tabs);
  for (size_t i = 0; i < tabs.size() && i < layout.tabs.size(); ++i)
    DrawChip(dc, layout.tabs[i], tabs[i].name, &tabs[i] == chosen);
}

void Paint(HDC dc, PictureSize client) {
  PreviewPane& p = Pane();
  Fill(dc, {0, 0, client.w, client.h}, FaceColour());
  if (!p.shown) return;
  const PreviewLayout layout = CurrentLayout();
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
    Text(dc, p.shown_subject.any ? kNoPictureText : kNoGameText, layout.note, DimTextColour(),
         DT_CENTER | DT_WORDBREAK);
  }
  if (layout.counter.w > 0) {
    DrawStepButton(dc, layout.previous, false);
    DrawStepButton(dc, layout.next, true);
    Text(dc, PreviewCounterText(p.shown->index, static_cast<int>(p.shown->files.size())), layout.counter,
         TextColour(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (p.shown_subject.any) PaintCard(dc, layout);
  SelectObject(dc, old_font);
}

void PaintBuffered(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  PictureSize client = ClientSize(window);
  {
    OffscreenPaint buffered(dc, {0, 0, client.w, client.h});
    Paint(buffered.dc(), client);
  }
  EndPaint(window, &ps);
}

void ChooseKind(int kind) {
  PreviewPane& p = Pane();
  p.asked.kind = kArtKinds[kind].id;
  p.asked_key = KeyOf(p.asked, Box());
  if (p.kind_chosen) p.kind_chosen(p.asked.kind);
  Ask("");
}

void Click(int x, int y) {
  PreviewPane& p = Pane();
  if (!p.shown) return;
  const PreviewLayout layout = CurrentLayout();
  if (layout.counter.w > 0 && layout.previous.Contains(x, y)) Step(-1);
  if (layout.counter.w > 0 && layout.next.Contains(x, y)) Step(1);
  const std::vector<int> kinds = OfferedKinds();
  for (size_t i = 0; i < kinds.size() && i < layout.kinds.size(); ++i)
    if (layout.kinds[i].Contains(x, y) && kinds[i] != p.shown->kind) ChooseKind(kinds[i]);
  const std::vector<InfoTab> tabs = CurrentTabs();
  for (size_t i = 0; i < tabs.size() && i < layout.tabs.size(); ++i)
    if (layout.tabs[i].Contains(x, y)) {
      p.tab = tabs[i].name;
      UpdateTextBox();
      InvalidateRect(p.window, nullptr, FALSE);
    }
}

void CreateTextBox(HWND window) {
  PreviewPane& p = Pane();
  p.text_box = CreateWindowExW(0, L"EDIT", L"",
                               WS_CHILD | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0,
                               0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextBox)),
                               Ui().instance, nullptr);
  SetUiFont(p.text_box);
  SendMessageW(p.text_box, EM_SETLIMITTEXT, 4 << 20, 0);
  ThemeControl(p.text_box, L"EDIT");
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!g_pane) return DefWindowProcW(window, message, wparam, lparam);
  PreviewPane& p = Pane();
  switch (message) {
    case WM_CREATE:
      p.window = window;
      p.measure = CreateCompatibleDC(nullptr);
      return 0;
    case WM_SIZE:
      AskForSubject(false);  // a new size needs the picture made anew
      UpdateTextBox();
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
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      LRESULT result = 0;
      if (ControlColours(message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), false, &result))
        return result;
      break;
    }
    case kMsgSelection:
      p.selection_posted = false;
      AskForSubject(false);
      return 0;
    case kMsgResult:
      TakeResult(lparam);
      return 0;
    case kMsgTexts:
      TakeTexts(lparam);
      return 0;
    case WM_DESTROY: {
      p.pictures.Stop();
      p.texts.Stop();
      FreePostedBlocks<PreviewResult>(window, kMsgResult);
      FreePostedBlocks<PreviewResult>(window, kMsgTexts);
      if (p.measure) DeleteDC(p.measure);
      if (p.title_font) DeleteObject(p.title_font);
      delete g_pane;
      g_pane = nullptr;
      return 0;
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
}  // namespace

HWND CreatePreviewPane(HWND parent, PreviewSubjectFn subject, PreviewKindFn kind_chosen) {
  RegisterLauncherClass(Ui().instance, kClassName, PreviewProc, false);
  if (g_pane) return g_pane->window;  // one pane per process
  g_pane = new PreviewPane;
  g_pane->subject = std::move(subject);
  g_pane->kind_chosen = std::move(kind_chosen);
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                                0, 0, 0, parent, nullptr, Ui().instance, nullptr);
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

void StepPreview(int delta) {
  if (g_pane && g_pane->window && IsWindowVisible(g_pane->window)) Step(delta);
}

PreviewShown PreviewPaneShown() {
  PreviewShown out;
  if (!g_pane) return out;
  PreviewPane& p = Pane();
  if (!p.window || !p.shown || p.shown->generation != p.generation) return out;
  out.answered = true;
  out.set = p.shown->set;
  out.index = p.shown->index;
  out.count = static_cast<int>(p.shown->files.size());
  out.placeholder = !p.shown->picture;
  out.layout = CurrentLayout();
  out.picture = out.layout.picture;
  if (!p.shown_subject.any) return out;
  for (int k : OfferedKinds()) out.kinds.push_back(kArtKinds[k].label);
  if (p.shown->kinds) out.kind = kArtKinds[p.shown->kind].label;
  const std::vector<InfoTab> tabs = CurrentTabs();
  for (const InfoTab& t : tabs) out.tabs.push_back(t.name);
  if (const InfoTab* tab = ChosenTab(tabs)) out.tab = tab->name;
  if (p.text_box && IsWindowVisible(p.text_box)) {
    int length = GetWindowTextLengthW(p.text_box);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(p.text_box, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    out.text = Utf16ToUtf8(text);
  }
  out.status = CardSubject().card.status;
  out.played = CardSubject().card.played;
  return out;
}
