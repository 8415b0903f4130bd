// The preview pane with snapshots the real MAME wrote: choosing games, stepping through pictures, a new one.

#include <gtest/gtest.h>

#include "app/menu_state.h"
#include "base/version.h"
#include "catalogue/game_table.h"
#include "settings/play_stats.h"
#include "main_window_fixture_win.h"
#include "options_page_driver_win.h"
#include "optionsarea/options_area_ui_win.h"
#include "preview/preview_pane_ui_win.h"
#include "wic_reference_win.h"

namespace {
constexpr UINT_PTR kCycleTimer = 1;  // the pane's timer that steps to the next picture

bool WaitForPicture(const std::string& set, int index = -2, DWORD ms = 15000) {
  return WaitFor([&] {
    PreviewShown s = PreviewPaneShown();
    return s.answered && s.set == set && (index == -2 || s.index == index);
  }, ms);
}

WindowPixels PanePixels() {
  RedrawWindow(Main().preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return WindowPixels(Main().preview);
}

// The pane shows the fixture's picture at its place, pixel for pixel as decoded and scaled for it.
void ExpectPanePicture(const std::string& fixture) {
  PreviewShown shown = PreviewPaneShown();
  ASSERT_FALSE(shown.placeholder);
  std::optional<Picture> source = DecodeWithWic(FixturePath(fixture));
  ASSERT_TRUE(source);
  Picture expected = ScaledReference(*source, {shown.picture.w, shown.picture.h});
  WindowPixels pixels = PanePixels();
  int wrong = 0;
  for (int y = 0; y < expected.h; ++y)
    for (int x = 0; x < expected.w; ++x)
      wrong += pixels.At({shown.picture.x + x, shown.picture.y + y}) !=
               (expected.pixels[y * expected.w + x] & 0xFFFFFF);
  EXPECT_EQ(wrong, 0) << fixture << " at " << shown.picture.w << "x" << shown.picture.h;
}

// Pixels of `r` that differ from the background: something is drawn there.
int Inked(const PaneRect& r, uint32_t background) {
  return PanePixels().Count(Main().preview, {r.x, r.y, r.Right(), r.Bottom()}, [=](uint32_t c) { return c != background; });
}
PaneRect RowAcross(const PaneRect& r, int y) { return {r.x, y, r.w, 1}; }

bool FourToThree(const PaneRect& r, bool portrait = false) {
  int w = portrait ? r.h : r.w, h = portrait ? r.w : r.h;
  return w > 0 && std::abs(w * 3 - h * 4) <= 4;
}

void ClickStep(bool next) {
  WaitFor([] { return PreviewPaneShown().answered; });  // the cycle's timer may have just asked for the next
  const PreviewLayout layout = PreviewPaneShown().layout;
  const PaneRect& r = next ? layout.next : layout.previous;
  const PaneRect left = {r.x, r.y + r.h / 2, r.w / 2, 1}, right = {r.x + r.w / 2, r.y + r.h / 2, r.w / 2, 1};
  const uint32_t panel = RgbOf(PanelColour());
  EXPECT_GT(Inked(next ? right : left, panel), Inked(next ? left : right, panel) + 1) << "the arrow points the way it steps";
  SendMessageW(Main().preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.x + r.w / 2, r.y + r.h / 2));
  SendMessageW(Main().preview, WM_LBUTTONUP, 0, MAKELPARAM(r.x + r.w / 2, r.y + r.h / 2));
}

// The placeholder: the panel colour with the board drawn in its middle.
void ExpectPlaceholder(uint32_t panel) {
  PreviewShown shown = PreviewPaneShown();
  EXPECT_TRUE(shown.placeholder && FourToThree(shown.picture));
  EXPECT_EQ(PanePixels().At({shown.picture.x + 2, shown.picture.y + 2}), panel);
  const PaneRect& p = shown.picture;
  EXPECT_GT(Inked(RowAcross(p, p.y + p.h / 2 - S(20)), panel), 2) << "the board's picture";
}
}  // namespace

TEST(PreviewPane, MamesSnapshotsForTheRightGamesStepsCyclesAndPlaceholders) {
  MainWindowFixture f("logs=1\r\n");
  f.Write("fakemame-control.txt", "exit=0\ndelay-ms=300\n");
  // sfex2: three of pong's snapshots as MAME numbers them, the last taken newest.
  for (int i = 0; i < 3; ++i)
    f.AddSnapshot("snap/pong/000" + std::to_string(i) + ".png", "sfex2\\000" + std::to_string(i) + ".png", 30 - i);
  f.AddSnapshot("snap/breakout/0000.png", "ts2.png", 5);  // a parent's plain picture, a vertical screen
  f.Write("korvo-games.cfg", "[game 2]\r\nkeep_aspect=0\r\n");  // ts2u's own Keep Aspect: off
  ASSERT_TRUE(f.Open());
  EXPECT_TRUE(IsWindowVisible(Main().preview));

  f.SelectRow(f.RowOfGame("sfex2"));
  ASSERT_TRUE(WaitForPicture("sfex2", 0));
  EXPECT_EQ(PreviewPaneShown().count, 3);
  EXPECT_TRUE(FourToThree(PreviewPaneShown().picture)) << "pong's 1552 x 240 shown as its 4:3 monitor";
  ExpectPanePicture("snap/pong/0002.png");

  // The arrows step through them, round and round.
  ClickStep(true);
  ASSERT_TRUE(WaitForPicture("sfex2", 1));
  ExpectPanePicture("snap/pong/0001.png");
  ClickStep(false);
  ASSERT_TRUE(WaitForPicture("sfex2", 0, 3000)) << "the previous arrow";  // before the cycle's next step
  // Ctrl+PgUp steps back as the arrow does: keys pressed on the list, through the launcher's message loop.
  SetForegroundWindow(Main().window);
  SetFocus(Main().list);
  PressKeys({VK_CONTROL, VK_PRIOR});
  ASSERT_TRUE(PumpUntil([] { return PreviewPaneShown().answered && PreviewPaneShown().index == 2; }));
  EXPECT_EQ(f.SelectedRow(), f.RowOfGame("sfex2"));  // the list's own Ctrl+PgUp did not move
  ExpectPanePicture("snap/pong/0000.png");
  // Left alone, the next one follows: the cycle's timer is running (its tick is sent, not awaited).
  ASSERT_TRUE(KillTimer(Main().preview, kCycleTimer)) << "no cycle through several pictures";
  SendMessageW(Main().preview, WM_TIMER, kCycleTimer, 0);
  ASSERT_TRUE(WaitFor([] { return PreviewPaneShown().index == 0; }));

  // A snapshot taken while the game runs (F12 in MAME) shows first once MAME ends.
  ClickStep(true);
  f.Command(205);
  ASSERT_TRUE(Main().launch.running);
  f.AddSnapshot("snap/breakout/0000.png", "sfex2\\0003.png", 0);
  ASSERT_TRUE(WaitFor([] { return !Main().launch.running; }));
  ASSERT_TRUE(WaitFor([] { return PreviewPaneShown().count == 4 && PreviewPaneShown().index == 0; }, 2000));
  ExpectPanePicture("snap/breakout/0000.png");

  // A clone without pictures shows its parent's; the vertical screen stands 3:4, but in the snapshot's own
  // shape for a clone whose own Keep Aspect is off.
  f.SelectRow(f.RowOfGame("ts2ua"));
  ASSERT_TRUE(WaitForPicture("ts2"));
  EXPECT_TRUE(PreviewPaneShown().count == 1 && FourToThree(PreviewPaneShown().picture, /*portrait=*/true));
  EXPECT_FALSE(KillTimer(Main().preview, kCycleTimer)) << "a single picture does not cycle";
  ExpectPanePicture("snap/breakout/0000.png");
  f.SelectRow(f.RowOfGame("ts2u"));
  EXPECT_TRUE(WaitFor([] { PaneRect r = PreviewPaneShown().picture; return std::abs(r.w * 1440 - r.h * 228) <= r.h * 8; }));

  // No picture anywhere in the family: the placeholder, nothing logged.
  f.SelectRow(f.RowOfGame("1on1gov"));
  ASSERT_TRUE(WaitForPicture(""));
  ExpectPlaceholder(0xF2F2F2);

  // A file cut short and one that would need 400 megapixels: the placeholder, a line each in the log.
  f.Write("snap\\tekken3.png", f.Read("snap\\sfex2\\0000.png").substr(0, 900));  // a real snapshot, cut short
  // The start of a PNG file that says it is 20000 x 20000 pixels.
  f.Write("snap\\glpracr.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x4e\x20\0\0\x4e\x20\x08\x02\0\0\0", 29) +
                                         std::string(4000, '\x55'));
  for (const char* set : {"tekken3", "glpracr"}) {
    f.SelectRow(f.RowOfGame(set));
    ASSERT_TRUE(WaitForPicture(set)) << set;
    ExpectPlaceholder(0xF2F2F2);
  }
  std::string log = f.Read("logs\\korvo-launch.log");
  EXPECT_EQ(log.rfind("Korvo v" + std::string(kKorvoVersion) + "\r\n", 0), 0u) << "the log of the start stays";
  for (const std::string& line : {"Preview: the picture is damaged or cut short: " + f.dir.File("snap\\tekken3.png"),
                                  "too large to show (20000 x 20000 pixels): " + f.dir.File("snap\\glpracr.png")})
    EXPECT_NE(log.find(line), std::string::npos) << log;

  // Ctrl+P hides the pane and gives the list its width; the setting is kept.
  const int before = WidthOf(Main().list);
  f.Command(kPreviewCommand);
  EXPECT_TRUE(!IsWindowVisible(Main().preview) && App().settings.preview_shown == 0 && WidthOf(Main().list) > before);
  f.Command(kPreviewCommand);
  EXPECT_TRUE(IsWindowVisible(Main().preview));
}

// Classic Layout: the pane under the list, its band dragged (dark, 144 DPI) and its size kept.
TEST(PreviewPane, UnderTheListInClassicLayoutDarkAtHighDpi) {
  const Look dark(true);
  MainWindowFixture f("options_window=0\r\n");
  f.AddSnapshot("snap/pong/0000.png", "tekken3\\0000.png", 1);
  ASSERT_TRUE(f.Open(144));
  f.SelectRow(f.RowOfGame("tekken3"));
  ASSERT_TRUE(WaitForPicture("tekken3", 0));
  RECT list = RectIn(Main().list, Main().window), pane = RectIn(Main().preview, Main().window);
  EXPECT_TRUE(pane.left == list.left && pane.top == list.bottom + S(8) && FourToThree(PreviewPaneShown().picture));
  EXPECT_EQ(PanePixels().At({2, PreviewPaneShown().picture.Bottom() + S(2)}), 0x202020u) << "the dark face";

  // Over the band the pointer shows the up-down arrows; dragged 60 pixels up, the pane and its picture grow.
  POINT band = {list.left + 50, list.bottom + S(4)};
  ClientToScreen(Main().window, &band);
  SetCursorPos(band.x, band.y);
  PumpMessagesFor(100);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZENS));
  const int height = pane.bottom - pane.top, picture_h = PreviewPaneShown().picture.h;
  Drag(Main().window, {list.left + 50, list.bottom + S(4)}, {list.left + 50, list.bottom + S(4) - 60});
  pane = RectIn(Main().preview, nullptr);
  EXPECT_NEAR(pane.bottom - pane.top, height + 60, 1);  // kept in 96-DPI units
  ASSERT_TRUE(WaitFor([&] { return PreviewPaneShown().answered && PreviewPaneShown().picture.h > picture_h; }));
  ExpectPanePicture("snap/pong/0000.png");
  f.SelectRow(f.RowOfGame("1on1gov"));
  ASSERT_TRUE(WaitForPicture(""));
  ExpectPlaceholder(0x303030);
  SaveWindowScreenshot(Main().window, "main-classic-dark-144-preview");
  // On this 1280-wide screen the list gives the options area its room: its buttons stay apart and inside.
  RECT restore = RectIn(Options().restore, Main().window), ok = RectIn(Options().ok, Main().window),
       cancel = RectIn(Options().cancel, Main().window);
  EXPECT_TRUE(restore.right < ok.left && ok.right < cancel.left && cancel.right <= ClientRectOf(Main().window).right);
  int split = App().settings.preview_split;
  EXPECT_NEAR(split, (height + 60) * 96 / 144, 1);
  f.Close();
  EXPECT_NE(f.Read("korvo-settings.cfg").find("preview_split=" + std::to_string(split)), std::string::npos);
}

// The card of a clicked row: MAME's status, history and .dat texts, plays (one counted); ui.ini's picture kinds.
TEST(PreviewPane, TheCardOfAClickedGameItsTextsKindsOfPicturesAndPlays) {
  MainWindowFixture f;
  f.Write("fakemame-control.txt", "exit=0\ndelay-ms=1200\nlistxml-delay-ms=4000\n");  // statuses well after the click
  f.Write("ui.ini", "\xEF\xBB\xBF# UI SEARCH PATH OPTIONS\nhistorypath               dats\n"
                    "flyers_directory          \"my flyers\"\n");
  f.AddSnapshot("snap/pong/0000.png", "sfex2\\0000.png", 3);
  f.Write("titles.zip", ZipOf("SFEX2.png", f.Read("snap\\sfex2\\0000.png")));
  f.Write("my flyers\\sfex2.png", ReadWholeFile(FixturePath("snap/breakout/0000.png")).value_or(""));
  f.Write("dats\\history.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<history version=\"2.51\">\n<entry>\n"
                               "<systems><system name=\"sfex2\" /><system name=\"sfex2u\" /></systems>\n"
                               "<text>\nStreet Fighter EX2 &amp; friends, 1998.\n</text>\n</entry>\n</history>\n");
  std::string levels;  // more lines than the pane shows
  for (int i = 0; i < 60; ++i) levels += "LEVELS: 8\n";
  f.Write("dats\\mameinfo.dat", "# MAMEINFO.DAT\n$info=sfex2,\n$mame\n" + levels + "$end\n");
  f.Write("dats\\command.dat", "$info=sfex2\n$cmd\n[Moves]\nHadoken: _2_3_6 + _a\n$end\n");
  f.Write("korvo-played.cfg", "23=12,12000,1796126400\n");  // noon of 1 December 2026, UTC: that day everywhere
  LoadPlayStats(App().played, f.dir.File("korvo-played.cfg"));  // as the launcher's start does
  ASSERT_TRUE(f.Open());

  const int row = f.RowOfGame("sfex2");
  ListView_EnsureVisible(Main().list, row, FALSE);
  ClickAt(Main().list, MiddleOf(CellRect(Main().list, row, 2)));  // its Game cell
  ASSERT_TRUE(WaitFor([] { return PreviewPaneShown().set == "sfex2" && PreviewPaneShown().tabs.size() == 4; }));
  ASSERT_FALSE(FindGameBySet(Main().games, "xrally")->driver.Known());
  ASSERT_TRUE(WaitFor([] { return FindGameBySet(Main().games, "xrally")->driver.Known(); }));
  PreviewShown shown = PreviewPaneShown();
  EXPECT_EQ(shown.kinds, (std::vector<std::string>{"Snapshots", "Titles", "Flyers"}));
  EXPECT_TRUE(shown.kind == "Snapshots" && shown.status == "Imperfect: graphics, sound. Save states not supported.");
  EXPECT_EQ(shown.played, "Played 12 times, 3 h 20 min, last on 1 December 2026");
  EXPECT_EQ(shown.tabs, (std::vector<std::string>{"General Info", "History", "Mameinfo", "Command"}));
  for (const PaneRect& r : shown.layout.kinds) EXPECT_GT(Inked(RowAcross(r, r.y + r.h / 2), RgbOf(PanelColour())), 4);
  // The title, the board, the status and the plays are painted, each in as many lines as its text takes.
  for (const PaneRect& r : {shown.layout.title, shown.layout.board, shown.layout.status, shown.layout.played})
    EXPECT_TRUE(Inked(r, RgbOf(FaceColour())) > 20 && Inked(RowAcross(r, r.y + r.h * 3 / 4), RgbOf(FaceColour())))
        << r.y;
  SaveWindowScreenshot(Main().window, "main-light-96-card");

  // The Titles button: the picture in titles.zip, at the monitor's 4:3; Flyers: its own tall shape.
  auto click = [](const PaneRect& r) { ClickAt(Main().preview, {r.x + r.w / 2, r.y + r.h / 2}); };
  click(shown.layout.kinds[1]);
  ASSERT_TRUE(WaitFor([] { return PreviewPaneShown().kind == "Titles" && !PreviewPaneShown().placeholder; }));
  EXPECT_TRUE(FourToThree(PreviewPaneShown().picture));
  ExpectPanePicture("snap/pong/0000.png");
  click(shown.layout.kinds[2]);
  ASSERT_TRUE(WaitFor([] { return PreviewPaneShown().kind == "Flyers" && !PreviewPaneShown().placeholder; }));
  const PaneRect flyer = PreviewPaneShown().picture;
  EXPECT_NEAR(flyer.w * 1440.0 / flyer.h, 228, 4) << flyer.w << "x" << flyer.h;
  EXPECT_EQ(App().settings.preview_kind, "flyers");
  // The chosen kind's button, and only it, is marked; so the chosen tab below.
  auto marks = [](const std::vector<PaneRect>& chips) {
    const WindowPixels pixels = PanePixels();
    std::string marked;
    for (const PaneRect& r : chips)
      marked += pixels.In(Main().preview, r.x + 2, r.y + 2) == RgbOf(ThemeColour(ColourRole::Selection)) ? '*' : '-';
    return marked;
  };
  EXPECT_EQ(marks(PreviewPaneShown().layout.kinds), "--*");
  // The tabs: each file's text, command.dat's symbols as text; a scroll bar only for a text longer than the pane.
  auto bar = [] { return GetWindowLongW(FindWindowExW(Main().preview, nullptr, L"EDIT", nullptr), GWL_STYLE) & WS_VSCROLL; };
  click(PreviewPaneShown().layout.tabs[1]);
  EXPECT_TRUE(WaitFor([] { return PreviewPaneShown().text == "Street Fighter EX2 & friends, 1998."; }));
  EXPECT_FALSE(bar());
  click(PreviewPaneShown().layout.tabs[2]);
  EXPECT_TRUE(WaitFor([] { return PreviewPaneShown().tab == "Mameinfo"; }) && bar());
  click(PreviewPaneShown().layout.tabs[3]);
  EXPECT_TRUE(WaitFor([] { return PreviewPaneShown().tab == "Command"; }));
  EXPECT_EQ(marks(PreviewPaneShown().layout.tabs), "---*");
  EXPECT_EQ(PreviewPaneShown().text, "[Moves]\r\nHadoken: \xE2\x86\x93\xE2\x86\x98\xE2\x86\x92 + (1)");

  // A play counts from MAME's start to its end; the card and korvo-played.cfg say so at once.
  f.Command(205);
  ASSERT_TRUE(WaitFor([] { return !Main().launch.running; }));
  ASSERT_TRUE(WaitFor([] { return PreviewPaneShown().played.rfind("Played 13 times", 0) == 0; }));
  EXPECT_NE(f.Read("korvo-played.cfg").find("\r\n23=13,1200"), std::string::npos) << f.Read("korvo-played.cfg");

  // Hide Games That Do Not Work: MAME's not-working sets leave the list, and the status bar says how many.
  const int rows = f.Rows();
  f.Command(kHideNotWorkingCommand);
  EXPECT_TRUE(f.Rows() == rows - 157 && f.RowOfGame("xrally") == -1);
  EXPECT_NE(f.StatusText().find("157 that do not work hidden"), std::string::npos) << f.StatusText();
  f.Close();
  EXPECT_NE(f.Read("korvo-settings.cfg").find("hide_not_working=1"), std::string::npos);
}

// No game chosen: the placeholder says to choose one. The card at another DPI and look, under and beside the picture.
TEST(PreviewPane, WithoutAGameAHintAndTheCardInEveryLook) {
  for (bool classic : {false, true}) {
    const Look look(!classic);
    // In the dark, MAME keeps its snapshots where More Options says.
    MainWindowFixture f(classic ? "options_window=0\r\n" : "more_options=-snapshot_directory shots\r\n");
    f.AddSnapshot("snap/pong/0000.png", classic ? "tekken3\\0000.png" : "..\\shots\\tekken3\\0000.png", 1);
    ASSERT_TRUE(f.Open(classic ? 96 : 144));
    SelectListRow(Main().list, -1);
    ASSERT_TRUE(WaitFor([] { return PreviewPaneShown().answered && PreviewPaneShown().set.empty(); }));
    EXPECT_GT(Inked(PreviewPaneShown().layout.note, RgbOf(PanelColour())), 100) << "the hint's text";
    // Classic Layout maximized: the list, and the pane under it, wide enough for the card beside the picture.
    if (classic) ShowWindow(Main().window, SW_MAXIMIZE);
    f.SelectRow(f.RowOfGame("tekken3"));
    ASSERT_TRUE(WaitForPicture("tekken3", 0));
    const PaneRect title = PreviewPaneShown().layout.title;  // its letters on the face, no box of another colour
    EXPECT_EQ(Inked(RowAcross(title, title.y), RgbOf(FaceColour())), 0) << "behind the title";
    SaveWindowScreenshot(Main().window, std::string("main-") + (classic ? "classic-light-96" : "dark-144") + "-card");
    if (classic) continue;
    // Made larger and closed at once, while the picture for the new size waits in the queue: the main window's way
    // out leaves the pane's answer to the pane (the fixture's heap check).
    const RECT frame = RectIn(Main().window, nullptr);
    SetWindowPos(Main().window, nullptr, 0, 0, frame.right - frame.left + S(80), frame.bottom - frame.top, SWP_NOMOVE);
    MSG queued;
    for (int i = 0; i < 500 && !PeekMessageW(&queued, Main().preview, WM_APP, 0xBFFF, PM_NOREMOVE); ++i) Sleep(10);
    f.Close();
  }
}
