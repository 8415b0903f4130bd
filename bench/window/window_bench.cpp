// The window benchmark, run under Wine: starts korvo.exe in a scratch folder
// with the fake MAME (listing not cached, then cached; light and dark), types
// and clears a search, switches filters, and does the same with a trivial
// window program in the same run. Every figure comes from the programs' own
// timing marks (KORVO_TIMING) against this program's clock, and is printed
// beside the trivial program's as a ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr DWORD kWaitMs = 60000;
constexpr DWORD kPersonMs = 300;  // from seeing a list to the first keystroke, at the quickest

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Folder(std::wstring(path, n));
}

ULONGLONG Now() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}
double Ms(ULONGLONG from, ULONGLONG to) { return (static_cast<double>(to) - static_cast<double>(from)) / 10000.0; }

bool WriteFileText(const std::wstring& path, const std::string& text) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
  CloseHandle(f);
  return ok;
}

std::string ReadFileText(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "";
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(f);
  return text;
}

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "window bench: %s\n", why.c_str());
  std::exit(1);
}

// One started program and its timing log.
struct Program {
  PROCESS_INFORMATION process = {};
  std::wstring log;
  ULONGLONG started = 0;
  HWND window = nullptr;
};

struct FindWindowOf {
  DWORD pid;
  HWND found = nullptr;
};

HWND TopWindowOf(DWORD pid) {
  FindWindowOf search{pid};
  EnumWindows(
      [](HWND w, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<FindWindowOf*>(l);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        wchar_t name[32] = L"";
        GetClassNameW(w, name, 32);
        if (owner != s->pid || (lstrcmpW(name, L"KorvoMain") && lstrcmpW(name, L"KorvoBenchTrivial"))) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The time of the first mark `label` written at or after `after`, waiting
// for it; 0 when it does not come.
ULONGLONG WaitMark(const Program& p, const char* label, ULONGLONG after, DWORD ms = kWaitMs) {
  const std::string wanted = label;
  DWORD end = GetTickCount() + ms;
  for (;;) {
    std::string text = ReadFileText(p.log);
    size_t at = 0;
    while (at < text.size()) {
      size_t eol = text.find('\n', at);
      if (eol == std::string::npos) break;
      std::string line = text.substr(at, eol - at);
      at = eol + 1;
      size_t first = line.find(' '), second = line.find(' ', first + 1);
      if (second == std::string::npos || line.substr(second + 1) != wanted) continue;
      ULONGLONG time = std::strtoull(line.c_str(), nullptr, 10);
      if (time >= after) return time;
    }
    if (static_cast<LONG>(GetTickCount() - end) >= 0) return 0;
    if (WaitForSingleObject(p.process.hProcess, 0) == WAIT_OBJECT_0) Fail("the program ended before its mark");
    Sleep(1);
  }
}

// `arguments` give the trivial program its window's size, so that its window
// is as large as the launcher's own.
Program Start(const std::wstring& exe, const std::wstring& folder, const std::wstring& log,
              const std::wstring& arguments) {
  DeleteFileW(log.c_str());
  SetEnvironmentVariableW(L"KORVO_TIMING", log.c_str());
  Program p;
  p.log = log;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  std::wstring command = L"\"" + exe + L"\"" + arguments;
  p.started = Now();
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                      &p.process))
    Fail("cannot start " + std::string(exe.begin(), exe.end()));
  SetEnvironmentVariableW(L"KORVO_TIMING", nullptr);
  return p;
}

void Stop(Program& p) {
  HWND w = p.window ? p.window : TopWindowOf(p.process.dwProcessId);
  if (w) PostMessageW(w, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(p.process.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(p.process.hProcess, 1);
  WaitForSingleObject(p.process.hProcess, 5000);
  CloseHandle(p.process.hProcess);
  CloseHandle(p.process.hThread);
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

struct StartFigures {
  std::vector<double> created, painted, list;
};

struct StepFigures {
  std::vector<double> search, filter;
  std::vector<std::string> search_steps, filter_steps;  // what each was, for the slowest
};

// The steps are taken this many times; a step's figure is the median of its
// rounds, so that one hiccup of the machine does not stand for the step.
constexpr int kStepRounds = 3;

std::vector<double> MedianPerStep(const std::vector<const std::vector<double>*>& rounds) {
  std::vector<double> medians;
  for (size_t step = 0; step < rounds.front()->size(); ++step) {
    std::vector<double> times;
    for (const std::vector<double>* round : rounds) times.push_back((*round)[step]);
    medians.push_back(Median(times));
  }
  return medians;
}

// Appends the rounds' per-step medians to `into`.
void AddRounds(const std::vector<StepFigures>& rounds, StepFigures& into) {
  std::vector<const std::vector<double>*> search, filter;
  for (const StepFigures& r : rounds) {
    search.push_back(&r.search);
    filter.push_back(&r.filter);
  }
  for (double ms : MedianPerStep(search)) into.search.push_back(ms);
  for (double ms : MedianPerStep(filter)) into.filter.push_back(ms);
  const StepFigures& first = rounds.front();
  into.search_steps.insert(into.search_steps.end(), first.search_steps.begin(), first.search_steps.end());
  into.filter_steps.insert(into.filter_steps.end(), first.filter_steps.begin(), first.filter_steps.end());
}

// One step: a message posted to the program, timed until the refilled
// window is painted.
double TimedStep(const Program& p, HWND target, UINT message, WPARAM wparam, LPARAM lparam) {
  ULONGLONG t0 = Now();
  PostMessageW(target, message, wparam, lparam);
  ULONGLONG t1 = WaitMark(p, "refill painted", t0, 10000);
  if (!t1) Fail("no repaint after a search keystroke or a filter switch");
  return Ms(t0, t1);
}

// The same steps in both programs, taking turns so that the load of the
// machine weighs on both alike: a search typed letter by letter and cleared
// with Backspace, then each entry of two filter drop-downs and back to the first.
void Steps(const Program& korvo, const Program& trivial, StepFigures& k, StepFigures& t) {
  HWND edits[2] = {GetDlgItem(korvo.window, 100), GetDlgItem(trivial.window, 100)};
  if (!edits[0] || !edits[1]) Fail("no search field");
  for (const char* word : {"street fighter", "tekken"}) {
    const std::string typed = word;
    for (size_t i = 0; i < typed.size() * 2; ++i) {
      wchar_t ch = i < typed.size() ? static_cast<wchar_t>(typed[i]) : L'\b';
      const size_t left = i < typed.size() ? i + 1 : typed.size() * 2 - i - 1;  // the text after the step
      k.search.push_back(TimedStep(korvo, edits[0], WM_CHAR, ch, 1));
      k.search_steps.push_back("\"" + typed.substr(0, left) + "\"");
      t.search.push_back(TimedStep(trivial, edits[1], WM_CHAR, ch, 1));
    }
  }
  for (int id : {444, 442}) {
    HWND combos[2] = {GetDlgItem(korvo.window, id), GetDlgItem(trivial.window, id)};
    if (!combos[0] || !combos[1]) Fail("no filter drop-down " + std::to_string(id));
    int count = static_cast<int>(SendMessageW(combos[0], CB_GETCOUNT, 0, 0));
    const int last = std::min(count, 7);
    for (int step = 1; step <= last; ++step) {
      const Program* programs[2] = {&korvo, &trivial};
      StepFigures* figures[2] = {&k, &t};
      for (int i = 0; i < 2; ++i) {
        int entries = static_cast<int>(SendMessageW(combos[i], CB_GETCOUNT, 0, 0));
        const int entry = step == last ? 0 : step % entries;  // the last step goes back to the first entry
        SendMessageW(combos[i], CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        figures[i]->filter.push_back(TimedStep(*programs[i], programs[i]->window, WM_COMMAND,
                                               MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combos[i])));
        figures[i]->filter_steps.push_back((id == 444 ? "hardware " : "region ") + std::to_string(entry));
      }
    }
  }
}

// With KORVO_BENCH_MARKS naming a file, each start of the launcher appends
// its timing marks there, to see where a start spends its time.
void KeepMarks(const Program& p, const std::string& what) {
  wchar_t path[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"KORVO_BENCH_MARKS", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  HANDLE f = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  const std::string text = "start " + what + " " + std::to_string(p.started) + "\n" + ReadFileText(p.log);
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}

struct Bench {
  std::wstring tools, scratch, korvo, trivial, trivial_common_controls;
  SIZE window = {860, 720};  // the launcher's first size at the screen's DPI

  void PrepareScratch() {
    CreateDirectoryW(scratch.c_str(), nullptr);
    CreateDirectoryW((scratch + L"\\roms").c_str(), nullptr);
    if (!CopyFileW(korvo.c_str(), (scratch + L"\\korvo.exe").c_str(), FALSE) ||
        !CopyFileW((tools + L"\\tools\\fakemame\\mame.exe").c_str(), (scratch + L"\\mame.exe").c_str(), FALSE))
      Fail("cannot copy korvo.exe and the fake mame.exe into the scratch folder");
    for (const wchar_t* zip : {L"sfex2.zip", L"coh3002c.zip", L"tekken3.zip", L"ts2.zip"})
      WriteFileText(scratch + L"\\roms\\" + zip, "PK\5\6");
  }

  // One start: to the created and the painted window, and (korvo) the full
  // list. Korvo opens at the size a user first sees at this DPI.
  Program StartOnce(bool is_korvo, bool dark, bool cached, StartFigures& f, bool common_controls = false) {
    if (is_korvo) {
      WriteFileText(scratch + L"\\korvo-settings.cfg",
                    std::string("search_bar=1\r\nfilters_bar=1\r\ntheme_mode=") + (dark ? "2" : "1") + "\r\n");
      if (!cached) DeleteFileW((scratch + L"\\korvo-listing-cache.cfg").c_str());
    }
    const std::wstring& program = common_controls ? trivial_common_controls : trivial;
    Program p = Start(is_korvo ? scratch + L"\\korvo.exe" : program, scratch,
                      scratch + (is_korvo ? L"\\korvo-timing.log" : L"\\trivial-timing.log"),
                      is_korvo ? L"" : L" " + std::to_wstring(window.cx) + L" " + std::to_wstring(window.cy));
    ULONGLONG created = WaitMark(p, "main window created", p.started);
    ULONGLONG painted = WaitMark(p, "main window painted", p.started);
    if (!created || !painted) Fail("no painted window within 60 s");
    f.created.push_back(Ms(p.started, created));
    f.painted.push_back(Ms(p.started, painted));
    if (is_korvo) {
      ULONGLONG list = WaitMark(p, "list painted", p.started);
      if (!list) Fail("no painted list within 60 s");
      f.list.push_back(Ms(p.started, list));
    }
    KeepMarks(p, !is_korvo ? (common_controls ? "trivial-cc" : "trivial")
                           : std::string(dark ? "dark" : "light") + (cached ? "" : "-uncached"));
    p.window = TopWindowOf(p.process.dwProcessId);
    RECT r = {};
    GetWindowRect(p.window, &r);
    if (r.right - r.left != window.cx || r.bottom - r.top != window.cy)
      Fail(is_korvo ? "korvo's window is not its first size" : "the trivial window is not the launcher's first size");
    if (!is_korvo) SetWindowPos(p.window, nullptr, 0, 0, 390, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    return p;
  }
};

double Percentile(std::vector<double> v, double share) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(share * static_cast<double>(v.size())))];
}

void Row(const char* what, double korvo, double trivial, const char* goal) {
  std::printf("  %-46s %8.1f ms %8.1f ms %6.2fx   %s\n", what, korvo, trivial, trivial > 0 ? korvo / trivial : 0.0,
              goal);
}

void StepRows(const char* what, const std::vector<double>& korvo, const std::vector<std::string>& steps,
              const std::vector<double>& trivial) {
  char label[96];
  std::snprintf(label, sizeof label, "%s: median of %zu", what, korvo.size());  // steps, each over its rounds
  Row(label, Percentile(korvo, 0.5), Percentile(trivial, 0.5), "");
  std::snprintf(label, sizeof label, "%s: 9 in 10 within", what);
  Row(label, Percentile(korvo, 0.9), Percentile(trivial, 0.9), "");
  std::snprintf(label, sizeof label, "%s: slowest", what);
  const size_t slowest = korvo.empty() ? 0 : std::max_element(korvo.begin(), korvo.end()) - korvo.begin();
  const std::string goal = "goal < 16 ms" + (slowest < steps.size() ? ", at " + steps[slowest] : std::string());
  Row(label, Max(korvo), Max(trivial), goal.c_str());
}
}  // namespace

// Optional argument: the number of starts of each kind (7).
int main(int argc, char** argv) {
  const int starts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  Bench b;
  b.tools = OwnFolder();
  b.korvo = b.tools + L"\\korvo.exe";
  b.trivial = b.tools + L"\\trivial_window.exe";
  b.trivial_common_controls = b.tools + L"\\trivial_window_common_controls.exe";
  for (const std::wstring& need :
       {b.korvo, b.trivial, b.trivial_common_controls, b.tools + L"\\tools\\fakemame\\mame.exe"})
    if (GetFileAttributesW(need.c_str()) == INVALID_FILE_ATTRIBUTES)
      Fail("missing " + std::string(need.begin(), need.end()) + " (build with `make windows`)");
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  b.scratch = std::wstring(temp) + L"korvo-window-bench";

  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  b.window = {MulDiv(860, dpi, 96), MulDiv(720, dpi, 96)};

  b.PrepareScratch();
  StartFigures trivial, trivial_common_controls, uncached, light, dark, warm;
  for (bool is_korvo : {false, true}) {  // the first start of each pays for loading Wine's libraries
    Program p = b.StartOnce(is_korvo, false, true, warm);
    Stop(p);
  }
  // Taking turns, so that the load of the machine weighs on each alike.
  struct Kind {
    bool is_korvo, dark, cached;
    StartFigures* figures;
    bool common_controls = false;
  };
  const Kind kinds[] = {{false, false, true, &trivial},
                        {true, false, false, &uncached},
                        {true, false, true, &light},
                        {false, false, true, &trivial_common_controls, true},
                        {true, true, true, &dark}};
  for (int i = 0; i < starts; ++i)
    for (const Kind& k : kinds) {
      Program p = b.StartOnce(k.is_korvo, k.dark, k.cached, *k.figures, k.common_controls);
      Stop(p);
    }
  StepFigures light_steps, dark_steps, trivial_steps;
  Program baseline = b.StartOnce(false, false, false, warm);
  for (bool dark_look : {false, true}) {
    Program korvo = b.StartOnce(true, dark_look, true, warm);
    // A person sees the list before typing; what the window does in its
    // first moment after that is not a keystroke's time.
    Sleep(kPersonMs);
    std::vector<StepFigures> korvo_rounds(kStepRounds), trivial_rounds(kStepRounds);
    for (int round = 0; round < kStepRounds; ++round) Steps(korvo, baseline, korvo_rounds[round], trivial_rounds[round]);
    AddRounds(korvo_rounds, dark_look ? dark_steps : light_steps);
    AddRounds(trivial_rounds, trivial_steps);
    Stop(korvo);
  }
  Stop(baseline);

  std::printf(
      "Window benchmark (Wine, %d DPI): korvo.exe against a trivial window program, median of %d starts;\n"
      "  each step of typing and switching is the median of its %d rounds\n",
      dpi, starts, kStepRounds);
  std::printf("  %-46s %11s %11s %7s\n", "", "korvo", "trivial", "ratio");
  Row("start to created window", Median(light.created), Median(trivial.created), "");
  Row("start to painted window (light)", Median(light.painted), Median(trivial.painted), "goal <= 1.5x");
  Row("start to painted window (dark)", Median(dark.painted), Median(trivial.painted), "goal <= 1.5x");
  Row("start to full list, cached (light)", Median(light.list), Median(trivial.painted), "goal <= 2x");
  Row("start to full list, cached (dark)", Median(dark.list), Median(trivial.painted), "goal <= 2x");
  Row("start to full list, MAME asked", Median(uncached.list), Median(trivial.painted), "");
  std::printf("  (list: the trivial program's start to its painted window)\n");
  // Not a goal: the part of the ratios that the common controls library,
  // which the launcher's manifest asks for, costs any program at start.
  Row("the trivial program with common controls 6", Median(trivial_common_controls.painted), Median(trivial.painted),
      "(start to painted window)");
  StepRows("search keystroke (light)", light_steps.search, light_steps.search_steps, trivial_steps.search);
  StepRows("search keystroke (dark)", dark_steps.search, dark_steps.search_steps, trivial_steps.search);
  StepRows("filter switch (light)", light_steps.filter, light_steps.filter_steps, trivial_steps.filter);
  StepRows("filter switch (dark)", dark_steps.filter, dark_steps.filter_steps, trivial_steps.filter);
  return 0;
}
