// The preview pane in the real main window, under Wine (`make bench`):
//   - from a selection change to the painted picture, for a 640 x 480 PNG
//     snapshot, against the Imaging Component alone decoding the same file;
//   - from the same selection change to the painted card with its texts from
//     a made-up 30 MB history.xml, against the picture alone, and how long
//     the card's worker takes to index that file the first time (while the
//     first picture shows);
//   - the same with the pictures in the pane's cache, and the selection alone
//     with the pane hidden (what the list and the window take of those times);
//   - holding Down through the list, with the pane shown and hidden.
// Every figure is the median of its runs; the ratios compare within this run.
#include <windows.h>
#include <commctrl.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/menu_state.h"
#include "made_up_history.h"
#include "catalogue/game_table.h"
#include "preview/preview_pane_ui_win.h"
#include "win/main_window_fixture_win.h"
#include "win/wic_reference_win.h"

namespace {
constexpr int kSets = 40;  // more than the cache keeps, so that the first round decodes every file

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void DrainMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done) {
  double end = NowMs() + 10000;
  while (!done()) {
    if (NowMs() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    DrainMessages();
  }
  return true;
}

// A 640 x 480 picture with the detail of a game screen, as a PNG file.
bool WriteSnapshotPng(const std::string& path) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::vector<uint8_t> bgr(640 * 480 * 3);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      uint8_t* p = &bgr[static_cast<size_t>((y * 640 + x) * 3)];
      p[0] = static_cast<uint8_t>((x / 16 % 2) ? 40 : 200);
      p[1] = static_cast<uint8_t>(x * 255 / 639);
      p[2] = static_cast<uint8_t>((x * 7 + y * 13) ^ (y / 4));
    }
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_PPV_ARGS(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromFilename(Utf8ToUtf16(path).c_str(), GENERIC_WRITE)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
            SUCCEEDED(frame->SetSize(640, 480)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
            format == GUID_WICPixelFormat24bppBGR &&
            SUCCEEDED(frame->WritePixels(480, 640 * 3, static_cast<UINT>(bgr.size()), bgr.data())) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  for (IUnknown* object : {static_cast<IUnknown*>(frame), static_cast<IUnknown*>(encoder),
                           static_cast<IUnknown*>(stream), static_cast<IUnknown*>(factory)})
    if (object) object->Release();
  return ok;
}

// Milliseconds from selecting the game to the pane having painted its picture,
// and to its having painted the card with the game's texts too.
struct Painted {
  double picture = 0, card = 0;
};
Painted SelectToPainted(MainWindowFixture& f, const std::string& set) {
  int row = f.RowOfGame(set);
  Painted took;
  double start = NowMs();
  f.SelectRow(row);
  bool shown = PumpUntil([&] {
    PreviewShown s = PreviewPaneShown();
    return s.answered && s.set == set && !s.placeholder;
  });
  UpdateWindow(Main().preview);  // the paint the answer asked for, if it has not happened yet
  took.picture = NowMs() - start;
  bool card = PumpUntil([&] { return PreviewPaneShown().tabs.size() > 1; });
  UpdateWindow(Main().preview);
  took.card = NowMs() - start;
  if (!shown || !card) std::printf("  (no picture or texts for %s)\n", set.c_str());
  return took;
}

// Milliseconds per step of Down held through the list.
double HoldDown(int steps) {
  HWND list = Main().list;
  SetFocus(list);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, 0, FALSE);
  DrainMessages();
  double start = NowMs();
  for (int i = 0; i < steps; ++i) {
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0x40000001);  // an auto-repeated key
    DrainMessages();
  }
  SendMessageW(list, WM_KEYUP, VK_DOWN, 0xC0000001);
  return (NowMs() - start) / steps;
}
}  // namespace

int main() {
  MainWindowFixture f;
  std::string png = f.dir.File("snapshot-640x480.png");
  if (!WriteSnapshotPng(png)) {
    std::printf("preview_bench: the Imaging Component could not write a PNG\n");
    return 1;
  }
  std::vector<std::string> sets;
  CreateDirectoryW(Utf8ToUtf16(f.dir.File("snap")).c_str(), nullptr);
  CopyInto(png, f.dir.File(std::string("snap\\") + GameTable[1].set + ".png"));  // for the first selection
  for (int i = 0; i < kSets; ++i) {
    sets.push_back(GameTable[i * 11].set);
    CreateDirectoryW(Utf8ToUtf16(f.dir.File("snap")).c_str(), nullptr);
    CreateDirectoryW(Utf8ToUtf16(f.dir.File("snap\\" + sets.back())).c_str(), nullptr);
    CopyInto(png, f.dir.File("snap\\" + sets.back() + "\\0000.png"));
  }
  f.Write("history\\history.xml", MadeUpHistoryXml());
  if (!f.Open()) {
    std::printf("preview_bench: the main window did not open\n");
    return 1;
  }
  DecodeWithWic(png);  // the first use loads the codecs; not part of any figure
  // Each selection and the decode of the same file alone, side by side, so
  // that the load of the machine weighs on both alike.
  std::vector<double> first, again, decode, list_only, shown_ms, hidden_ms, card;
  // The first selection: its picture while the card's worker indexes history.xml.
  const Painted indexing = SelectToPainted(f, GameTable[1].set);
  for (const std::string& set : sets) {
    Painted painted = SelectToPainted(f, set);
    first.push_back(painted.picture);
    card.push_back(painted.card);
    double start = NowMs();
    DecodeWithWic(f.dir.File("snap\\" + set + "\\0000.png"));
    decode.push_back(NowMs() - start);
  }
  // The last sets are still in the pane's cache (it keeps 32).
  for (size_t i = sets.size() - 20; i < sets.size(); ++i) again.push_back(SelectToPainted(f, sets[i]).picture);
  // What a selection costs the list and the window without the pane.
  f.Command(kPreviewCommand);
  for (const std::string& set : sets) {
    int row = f.RowOfGame(set);
    double start = NowMs();
    f.SelectRow(row);
    DrainMessages();
    list_only.push_back(NowMs() - start);
  }
  f.Command(kPreviewCommand);
  for (int round = 0; round < 6; ++round) {
    shown_ms.push_back(HoldDown(50));
    f.Command(kPreviewCommand);  // hidden
    hidden_ms.push_back(HoldDown(50));
    f.Command(kPreviewCommand);
  }

  double select = Median(first), cached = Median(again), wic = Median(decode), list = Median(list_only);
  double with_card = Median(card);
  double shown = Median(shown_ms), hidden = Median(hidden_ms);
  std::printf("preview_bench (Wine, %d runs each, medians)\n", kSets);
  std::printf("  select to painted picture, 640x480 PNG   %8.2f ms\n", select);
  std::printf("  WIC alone decoding the same file          %8.2f ms   (ratio %.2f)\n", wic, wic > 0 ? select / wic : 0);
  std::printf("  select to painted picture and card         %8.2f ms   (ratio %.2f to the picture alone, %+.2f ms)\n",
              with_card, select > 0 ? with_card / select : 0, with_card - select);
  std::printf("  first select, 30 MB history.xml indexed: picture %8.2f ms, card %8.2f ms\n", indexing.picture,
              indexing.card);
  std::printf("  select to painted picture, from the cache %8.2f ms\n", cached);
  std::printf("  the selection alone, pane hidden          %8.2f ms   (the list's and the window's part)\n", list);
  std::printf("  holding Down, pane shown                  %8.2f ms per row\n", shown);
  std::printf("  holding Down, pane hidden                 %8.2f ms per row   (ratio %.2f)\n", hidden,
              hidden > 0 ? shown / hidden : 0);
  return 0;
}
