#include "options_host_win.h"

#include "app/options_area_ui_win.h"
#include "app/options_pages_ui_win.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "controls/controls_tab_ui_win.h"
#include "controls/mapping_files.h"
#include "controls/pad_probe.h"
#include "controls/probe_run.h"
#include "screenshot_win.h"
#include "settings/app_state.h"
#include "ui/modal_dialog_ui_win.h"
#include "ui/shell_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr wchar_t kHostClass[] = L"KorvoTestHost";
OptionsHost* current = nullptr;

void RegisterOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  InitUiMetrics(instance);
  RegisterModalDialogClass(instance);
  RegisterOptionsClasses(instance);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kHostClass;
  RegisterClassExW(&wc);
}

void LayoutIn(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  InflateRect(&r, -S(8), -S(8));
  LayoutOptionsArea(r);
}

bool InRange(int id, int low, int high) { return id >= low && id <= high; }
}  // namespace

// The main window's dispatch for the options area, as the lead's table routes it.
LRESULT CALLBACK OptionsHost::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      int id = LOWORD(wparam), code = HIWORD(wparam);
      HWND control = reinterpret_cast<HWND>(lparam);
      if (InRange(id, 300, 324) || InRange(id, 340, 343) || InRange(id, 360, 374) || InRange(id, 380, 389) ||
          InRange(id, 410, 415))
        OptionsCommand(id, code, control);
      else if (InRange(id, 390, 400))
        ControlsTabCommand(id, code, control);
      else if (id == 108)
        RestoreDefaults();
      else if (id == 109)
        OptionsOk();
      else if (id == 110)
        CancelOptions();
      else if (id == 113)
        ToggleFullscreenOption();
      else if (InRange(id, 224, 226))
        ChangeThemeMode(id - 224);
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      LRESULT result = 0;
      if (OptionsAreaNotify(header)) return 0;
      if (header->idFrom == 391 && ControlsTabNotify(header, &result)) return result;
      if (OptionsNotify(header, &result)) return result;
      return 0;
    }
    case WM_SIZE:
      if (GetParent(Options().tabs) == window) LayoutIn(window);
      return 0;
    case WM_APP + 3:
      if (current) ++current->refilters;
      return 0;
    case WM_APP + 9:
      MoveOptionsArea(wparam != 0);
      if (wparam && Options().window) {
        ShowWindow(Options().window, SW_SHOW);
        LayoutIn(Options().window);
      } else {
        LayoutIn(window);
      }
      return 0;
    case WM_CLOSE:
      if (current) ++current->closes;
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

OptionsHost::OptionsHost(bool separate) {
  RegisterOnce();
  current = this;
  SetLauncherFolder(dir_.path());
  SetMameFolderProvider(nullptr);  // MAME's cfg folder is the scratch folder's
  SetCurrentPadProbe({});
  ResetPadProbeAttempt();
  TheInputMapping() = InputMapping{};
  AppState& app = App();
  app.settings_path = dir_.File("korvo-settings.cfg");
  app.first_run = false;
  app.display_modes = {{800, 600}, {1024, 768}, {1920, 1080}};
  ResetSettings(app.settings);
  app.settings.binding_version = kCurrentBindingVersion;
  app.settings.options_window = separate ? 1 : 0;

  ShellServices services;
  services.show_status = [this](const std::string& text) { statuses_.push_back(text); };
  services.dialog_owner = [this] { return OptionsWindowVisible() ? Options().window : main_; };
  SetShellServices(services);

  main_ = CreateWindowExW(0, kHostClass, L"Korvo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, S(1200), S(800),
                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
  Options() = OptionsArea{};
  CreateOptionsArea(main_);
  FillPages();
  ShowWindow(main_, SW_SHOW);
  if (separate) {
    MoveOptionsArea(true);
    SetWindowPos(Options().window, nullptr, 40, 40, S(560), S(800), SWP_NOZORDER);
    ShowWindow(Options().window, SW_SHOW);
    LayoutIn(Options().window);
  } else {
    LayoutIn(main_);
  }
  ShowOptionsTab(kTabGeneral);
  PumpMessagesFor(50);
}

OptionsHost::~OptionsHost() {
  if (Options().window) DestroyWindow(Options().window);
  DestroyWindow(main_);
  Options() = OptionsArea{};
  SetShellServices({});
  SetLauncherFolder("");
  ForgetPadProbe();
  current = nullptr;
  PumpMessagesFor(20);
}

HWND OptionsHost::Control(int id) const {
  for (HWND page : Options().pages)
    if (HWND w = GetDlgItem(page, id)) return w;
  return nullptr;
}

void OptionsHost::Click(int id) {
  HWND w = Control(id);
  LONG style = GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK;
  if (style == BS_AUTOCHECKBOX)
    SendMessageW(w, BM_SETCHECK, Checked(id) ? BST_UNCHECKED : BST_CHECKED, 0);
  SendMessageW(GetParent(w), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(w));
}

void OptionsHost::SetCheck(int id, bool on) {
  if (Checked(id) != on) Click(id);
}

void OptionsHost::Choose(int id, int index) {
  HWND w = Control(id);
  SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(w), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(w));
}

void OptionsHost::Type(int id, const std::string& text) {
  HWND w = Control(id);
  SetWindowTextW(w, Utf8ToUtf16(text).c_str());
  SendMessageW(GetParent(w), WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(w));
}

std::string OptionsHost::Text(int id) const { return ControlText(Control(id)); }

int OptionsHost::Selection(int id) const { return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)); }

std::vector<std::string> OptionsHost::Entries(int id) const {
  std::vector<std::string> entries;
  HWND w = Control(id);
  int count = static_cast<int>(SendMessageW(w, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(w, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    entries.push_back(Utf16ToUtf8(text));
  }
  return entries;
}

bool OptionsHost::Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool OptionsHost::Enabled(int id) const { return IsWindowEnabled(Control(id)) != 0; }

void OptionsHost::Command(int id) { SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::string OptionsHost::SettingsFile() const {
  return ReadWholeFile(File("korvo-settings.cfg")).value_or(std::string());
}

bool HasLine(const std::string& text, const std::string& line) {
  return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}

namespace {
std::vector<WhenWindowAppears*>& Waiting() {
  static std::vector<WhenWindowAppears*> waiting;
  return waiting;
}

std::string BoxText(HWND box) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return Utf16ToUtf8(text);
}
}  // namespace

WhenWindowAppears::WhenWindowAppears(const wchar_t* window_class, const std::string& title,
                                     std::function<void(HWND)> action)
    : class_(window_class), title_(Utf8ToUtf16(title)), action_(std::move(action)) {
  Waiting().push_back(this);
  timer_ = SetTimer(nullptr, 0, 30, Tick);
}

WhenWindowAppears::~WhenWindowAppears() {
  if (timer_) KillTimer(nullptr, timer_);
  std::erase(Waiting(), this);
}

void CALLBACK WhenWindowAppears::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  for (WhenWindowAppears* w : Waiting()) {
    if (w->timer_ != timer || w->seen_) continue;
    HWND found = FindWindowW(w->class_.c_str(), w->title_.c_str());
    if (!found || !IsWindowVisible(found)) return;
    w->seen_ = true;
    KillTimer(nullptr, w->timer_);
    w->timer_ = 0;
    if (w->class_ == L"#32770") w->text = BoxText(found);
    w->action_(found);
    return;
  }
}

AnswerBox::AnswerBox(const std::string& title, int button)
    : WhenWindowAppears(L"#32770", title, [button](HWND box) { PostMessageW(box, WM_COMMAND, button, 0); }) {}

AnswerPrompt::AnswerPrompt(const std::string& title, const std::string& text, bool cancel)
    : WhenWindowAppears(L"KorvoModal", title, [text, cancel](HWND dialog) {
        SetDlgItemTextW(dialog, 1001, Utf8ToUtf16(text).c_str());
        PostMessageW(dialog, WM_COMMAND, cancel ? IDCANCEL : IDOK, 0);
      }) {}

void PressKey(WORD virtual_key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}
