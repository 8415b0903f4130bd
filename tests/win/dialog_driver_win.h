// Answers the message boxes and dialogs that a window under test opens on
// the test thread. A box blocks the test in its own message loop; a thread
// timer keeps firing inside that loop, finds the box and answers it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct SeenBox {
  std::string title;
  std::string text;
};

class DialogDriver {
 public:
  // `answer` gets each box or "KorvoModal" dialog once and acts on it; when
  // it returns false the driver presses the default: IDOK for boxes with OK,
  // IDNO for Yes/No boxes, Cancel (IDCANCEL) for dialogs.
  using Answer = std::function<bool(HWND window, const SeenBox& box)>;
  explicit DialogDriver(Answer answer = nullptr);
  ~DialogDriver();
  const std::vector<SeenBox>& Seen() const { return seen_; }
  bool SawTitle(const std::string& title) const;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void Check();
  Answer answer_;
  std::vector<SeenBox> seen_;
  std::vector<HWND> handled_;
  UINT_PTR timer_ = 0;
};
