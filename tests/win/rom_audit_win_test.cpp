// Check All ROM Sets: sorted, copied, resized, a finding read whole, the list's icons, a locked zip, a Cancel.

#include <gtest/gtest.h>

#include "main_window_fixture_win.h"
#include "romcheck/crc32.h"
#include "romcheck/sha1.h"
#include "ui/icon_mask.h"
#include "ui/scale.h"

namespace {
constexpr int kAuditCommand = 258, kCloseId = 1005, kCopyId = 1004;
using Rows = std::vector<std::vector<std::string>>;

Rows RowsOf(HWND window) {
  Rows rows;
  for (int r = 0; r < ListView_GetItemCount(ListIn(window)); ++r) rows.push_back(ListRow(ListIn(window), r));
  return rows;
}

void ClickHeader(HWND window, int column) {
  HWND header = ListView_GetHeader(ListIn(window));
  ClickAt(header, MiddleOf(HeaderItemRect(header, column)));
}

std::string Clipboard() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = Utf16ToUtf8(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// A listing entry for a made-up file, as MAME's -listxml writes one.
std::string RomXml(const std::string& name, const std::string& data) {
  char crc[16];
  snprintf(crc, sizeof crc, "%08x", Crc32(0, data.data(), data.size()));
  return "<rom name=\"" + name + "\" size=\"" + std::to_string(data.size()) + "\" crc=\"" + crc + "\" sha1=\"" +
         Sha1Hex(Sha1Of(data.data(), data.size())) + "\" region=\"r\"/>";
}

// The audit window once its work is done (its button says Close again).
HWND Finished() {
  HWND win = FindModal("Check All ROM Sets");
  return win && ControlText(GetDlgItem(win, kCloseId)) == "Close" ? win : nullptr;
}

// The check cancelled by `press` once MAME was asked `asks` times, then closed: the summary, Close's focus, the delay.
struct Cancelled { bool done = false, close_focused = false; std::string summary; DWORD took = 0; };
Cancelled CancelOnceAsked(MainWindowFixture& f, size_t asks, void (*press)(HWND)) {
  Cancelled c;
  HWND win = nullptr;
  DialogScript s;
  s.Then([&] {
     return (win = FindModal("Check All ROM Sets")) && f.CallsWith("-listxml") >= asks &&
            (press(win), c.took = GetTickCount(), true);
   }).Then([&] {
    if (!Finished()) return false;
    c.took = GetTickCount() - c.took, c.summary = ItemText(win, 1001);
    c.close_focused = GetFocus() == GetDlgItem(win, kCloseId);
    c.close_focused ? PressKeys({VK_ESCAPE}) : Press(win, kCloseId);  // Esc goes where the focus is: elsewhere, a click
    return true;
  });
  f.Command(kAuditCommand);
  c.done = s.Finished();
  return c;
}

// The status icons' colours: present, missing, good, damaged, not checked, not known.
constexpr uint32_t kIconColours[] = {0x2EA043, 0xD64541, 0x2EA043, 0xD29922, 0x3D8BD9, 0x8C8C8C};

constexpr int kStatusIcons[] = {kIconAvailable, kIconMissing, kIconChecked, kIconDamaged, kIconNotChecked, kIconUnknown};

// The status icon of a game's row (-1 unless its cell shows it in its colour and shape, without a black box round it)
// and the tip the pointer over it shows.
std::pair<int, std::string> StatusIcon(const MainWindowFixture& f, const std::string& set) {
  HWND list = Main().list;
  ListView_EnsureVisible(list, f.RowOfGame(set), FALSE);
  const RECT cell = CellRect(list, f.RowOfGame(set), 4);
  UpdateWindow(list);
  const int image = f.StatusImage(set);
  const WindowPixels shot(list);
  auto count = [&](uint32_t rgb) { return shot.Count(list, cell, [rgb](uint32_t c) { return c == rgb; }); };
  auto solid = [&list](int icon) {  // the pixels the icon covers wholly: its own colour in the cell, none other
    const std::vector<uint8_t> mask = IconMask(icon, false, ScaleForDpi(16, GetDpiForWindow(list)));
    return static_cast<int>(std::count(mask.begin(), mask.end(), 255));
  };
  const bool shown = image >= 0 && image < 6 && count(kIconColours[image]) == solid(kStatusIcons[image]) && count(0) == 0;
  POINT at = MiddleOf(cell);
  ClientToScreen(list, &at);
  SetCursorPos(at.x, at.y);
  NMTTDISPINFOW info = {{Main().tooltips, 0, TTN_GETDISPINFOW}};
  SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  return {shown ? image : -1, info.lpszText ? Utf16ToUtf8(info.lpszText) : ""};
}
}  // namespace

TEST(RomAudit, FromTheGameMenuThroughSortingCopyingResizingALockedZipAndCancelling) {
  for (bool dark : {false, true}) {
    const Look look(dark);
    MainWindowFixture f;
    // Beside the fixture's broken zips: a sound sfex with its BIOS (as this MAME lists them), a set it does not know.
    f.Write("roms\\sfex.zip", ZipOf("readme.txt", "a made-up set"));
    f.Write("roms\\coh1000c.zip", ZipOf("bios.txt", "a made-up BIOS"));
    f.Write("roms\\fambowl.zip", ZipOf("fb.bin", "a set MAME 0.251 does not list"));
    f.Write("made-up-sets.xml", "<mame><machine name=\"sfex\" romof=\"coh1000c\">" + RomXml("readme.txt", "a made-up set") +
                                    "</machine><machine name=\"coh1000c\">" + RomXml("bios.txt", "a made-up BIOS") +
                                    "</machine></mame>");
    const std::string control = "listxml-file=made-up-sets.xml\n";
    f.Write("fakemame-control.txt", control);
    ASSERT_TRUE(f.Open());
    HWND win = nullptr;
    std::string summary, report;

    if (dark) {  // Return on the focused Cancel while MAME is asked: it cancels, and Close takes the focus
      f.Write("fakemame-control.txt", control + "listxml-delay-ms=2500\n");
      const Cancelled c = CancelOnceAsked(f, 1, [](HWND) { PressKeys({VK_RETURN}); });
      EXPECT_TRUE(c.done && c.summary == "The check was cancelled before any set was checked.");
      EXPECT_TRUE(c.close_focused);
    } else {  // Alt+F4 while MAME is asked: the check is cancelled, and the window goes by itself
      f.Write("fakemame-control.txt", control + "listxml-delay-ms=2500\n");
      DWORD pressed = 0;
      DialogScript close;
      close.Then([&] {
        return FindModal("Check All ROM Sets") && f.CallsWith("-listxml") >= 1 &&
               (PressKeys({VK_MENU, VK_F4}), pressed = GetTickCount(), true);
      }).Then([&] {  // still there after 3 s: closed by hand, for the check below to fail
        return GetTickCount() - pressed > 3000 && PostMessageW(FindModal("Check All ROM Sets"), WM_COMMAND, IDCANCEL, 0);
      });
      f.Command(kAuditCommand);
      EXPECT_TRUE(pressed && GetTickCount() - pressed < 2000 && IsWindowEnabled(Main().window));
    }
    f.Write("fakemame-control.txt", control);

    Rows rows, by_verdict, by_verdict_down;
    std::string finding, finding_by_key;
    bool no_sideways_scrolling = false;
    uint32_t bar_middle = 0;  // the progress bar, full at the end
    LONG left_width = 0;
    DialogScript s;
    s.Then([&] { return (win = Finished()) && (rows = RowsOf(win), summary = ItemText(win, 1001), ClickHeader(win, 2), true); })
        .Then([&] { return by_verdict = RowsOf(win), ClickHeader(win, 2), true; })
        .Then([&] { return by_verdict_down = RowsOf(win), Press(win, kCopyId), true; })
        .Then([&] {
          if ((report = Clipboard()).empty()) return false;
          // Made wider (the picture's own check: the summary and progress bar keep to the list's edge), the window
          // gives the width to Details and shows no sideways scroll bar.
          SaveWindowScreenshot(win, "check-all-rom-sets-" + look.name);
          const RECT r = RectIn(win, nullptr);
          SetWindowPos(win, nullptr, 0, 0, r.right - r.left + 200, r.bottom - r.top + 60, SWP_NOMOVE | SWP_NOZORDER);
          left_width = ClientRectOf(win).right;
          HWND list = ListIn(win), bar = GetDlgItem(win, 1002);
          int columns = 0;
          for (int c = 0; c < 4; ++c) columns += ListView_GetColumnWidth(list, c);
          no_sideways_scrolling = columns == ClientRectOf(list).right && !(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL);
          bar_middle = WindowPixels(win).In(bar, ClientRectOf(bar).right / 2, ClientRectOf(bar).bottom / 2);
          DoubleClickListRow(list, 1);  // sorted down by verdict: sfex2 or tekken3, damaged
          return true;
        })
        .Then([&] {
          HWND shown = FindModal(by_verdict_down[1][0] + " (" + by_verdict_down[1][1] + ")");
          if (!shown) return false;
          finding = ControlText(GetDlgItem(shown, 1001));
          SaveWindowScreenshot(shown, "check-all-rom-sets-finding-" + look.name);
          return PressKeys({VK_ESCAPE}), true;
        })
        .Then([&] {
          if (FindModal(by_verdict_down[1][0] + " (" + by_verdict_down[1][1] + ")")) return false;
          SetFocus(ListIn(win)), SelectListRow(ListIn(win), 3);
          return PressKeys({VK_RETURN}), true;  // a row's finding, not the default button
        })
        .Then([&] {
          HWND shown = FindModal(by_verdict_down[3][0] + " (sfex)");
          return shown && (finding_by_key = ControlText(GetDlgItem(shown, 1001)), Press(shown, IDCANCEL), true);
        })
        .Then([&] { return !FindModal(by_verdict_down[3][0] + " (sfex)") && (Press(win, kCloseId), true); });
    f.Command(kAuditCommand);
    ASSERT_TRUE(s.Finished());
    ASSERT_TRUE(rows.size() == 4u && by_verdict.size() == 4u && by_verdict_down.size() == 4u);
    EXPECT_EQ(summary, "4 sets: 1 good, 2 with problems, 1 not known to this MAME.");
    EXPECT_EQ(by_verdict[0][1] + "|" + by_verdict[0][2], "sfex|good");
    EXPECT_EQ(by_verdict_down[0][2] + "|" + by_verdict_down[3][1], "not known to this MAME|sfex");
    for (const auto& row : rows)
      EXPECT_TRUE(row[1] == "sfex" || row[1] == "fambowl" || row[3].find(".zip: the zip directory is damaged") != std::string::npos)
          << row[1];
    EXPECT_EQ(report.rfind("Check All ROM Sets: " + summary + "\r\n", 0), 0u);  // the report's rows: the native tests
    EXPECT_TRUE(no_sideways_scrolling);
    EXPECT_TRUE(!dark || bar_middle == 0x0078D7u) << std::hex << bar_middle;  // no system has a dark progress bar
    EXPECT_NE(finding.find("): zip damaged\r\n"), std::string::npos) << finding;
    EXPECT_EQ(finding_by_key.rfind(by_verdict_down[3][0] + " (sfex): good\r\n", 0), 0u) << finding_by_key;
    EXPECT_EQ(f.CallsWith("-listxml"), 2u);  // asked again after the cancel
    EXPECT_NE(f.Read("korvo-audit.cfg").find("\r\nsfex="), std::string::npos);
    // The size it was left at is kept for next time.
    EXPECT_GT(App().settings.audit_window_w, 780);

    // The list's status icons say what the audit found; a set that came later is present, not checked, and found
    // without a refresh, by the launcher's own look at the folder.
    f.Write("roms\\tekken2.zip", ZipOf("t.bin", "a set added after the check"));
    ASSERT_TRUE(WaitFor([&] { return StatusIcon(f, "tekken2").first == 0; }, 10000));
    for (auto [set, image, tip] : {std::tuple{"sfex", 2, "ROM files checked: good"},
                                   {"sfex2", 3, "ROM files present, but damaged or incomplete (Game > Check All ROM Sets)"},
                                   {"fambowl", 5, "ROM files present, but this MAME does not know the set"},
                                   {"tekken2", 0, "ROM files present, not checked (Game > Check All ROM Sets)"},
                                   {"ts2", 1, "ROM files missing"}}) {
      auto [shown_image, shown_tip] = StatusIcon(f, set);
      EXPECT_EQ(std::to_string(shown_image) + (dark ? tip : shown_tip), std::to_string(image) + tip) << set;
    }
    f.Command(114);  // List Only Available ROMs: the five present sets
    EXPECT_EQ(f.Rows(), 5);
    SaveWindowScreenshot(Main().window, "main-status-icons-" + look.name);
    f.Command(114);
    if (dark) continue;

    // Only the changed zip is read again, and another program holds it open: not checked, with its own icon.
    f.Write("roms\\tekken3.zip", ZipOf("new.bin", "a newer download"));
    HANDLE lock = CreateFileW(Utf8ToUtf16(f.dir.File("roms\\tekken3.zip")).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    RECT reopened = {};
    DialogScript again;
    again.Then([&] {
      return (win = Finished()) &&
             (summary = ItemText(win, 1001), GetClientRect(win, &reopened), Press(win, kCloseId), true);
    });
    f.Command(kAuditCommand);
    CloseHandle(lock);
    EXPECT_TRUE(again.Finished());
    EXPECT_EQ(summary, "5 sets: 1 good, 2 with problems, 1 not checked, 1 not known to this MAME "
                       "(3 unchanged since the last check).");
    EXPECT_NEAR(reopened.right, left_width, 1);  // as large as it was left
    EXPECT_EQ(f.CallsWith("-listxml"), 3u);  // asked about tekken2, which came later
    auto [image, tip] = StatusIcon(f, "tekken3");
    EXPECT_EQ(std::to_string(image) + tip,
              "4ROM files present, but the check could not read them (Game > Check All ROM Sets says why)");

    // A changed zip is checked again; a Cancel while MAME answers slowly ends it at once, Close takes the focus.
    ASSERT_TRUE(f.Write("roms\\sfex.zip", ZipOf("readme.txt", "another made-up set")));  // the check let go of it
    ASSERT_TRUE(DeleteFileW(Utf8ToUtf16(f.dir.File("korvo-audit-mame.cfg")).c_str()));  // kept answers gone: MAME asked
    f.Write("fakemame-control.txt", control + "listxml-delay-ms=2500\n");
    const Cancelled c = CancelOnceAsked(f, 4, [](HWND w) { Press(w, kCloseId); });
    EXPECT_TRUE(c.done);
    EXPECT_LT(c.took, 1500u);  // the fake MAME still sleeps
    EXPECT_EQ(c.summary.rfind("Cancelled after 0 sets", 0), 0u) << c.summary;
    EXPECT_TRUE(c.close_focused && f.CallsWith("-listxml") == 4u);
    // The abandoned question ends on its own.
    for (int i = 0; i < 500 && CountProcesses(L"mame.exe"); ++i) PumpMessagesFor(20);
  }
}
