// A small stand-in for the main window that hosts the options area in a
// scratch launcher folder and routes the pages' commands and notifications
// the way the main window's dispatch does; plus helpers that answer message
// boxes and dialogs from a timer while the test thread waits in them.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "win_test_support.h"

class OptionsHost {
 public:
  // `separate`: the area goes into the "KorvoOptions" window, shown.
  explicit OptionsHost(bool separate = false);
  ~OptionsHost();

  HWND main() const { return main_; }
  const std::string& Folder() const { return dir_.path(); }
  std::string File(const std::string& name) const { return dir_.File(name); }
  std::string LastStatus() const { return statuses_.empty() ? std::string() : statuses_.back(); }
  const std::vector<std::string>& Statuses() const { return statuses_; }
  int refilters = 0;
  int closes = 0;

  // The page controls as a person would use them; each sends the command
  // the control would send.
  HWND Control(int id) const;
  void Click(int id);            // a button, or a check box flipped
  void SetCheck(int id, bool on);
  void Choose(int id, int index);
  void Type(int id, const std::string& text);
  std::string Text(int id) const;
  int Selection(int id) const;
  std::vector<std::string> Entries(int id) const;
  bool Checked(int id) const;
  bool Enabled(int id) const;
  void Command(int id);  // the host's own buttons: 108, 109, 110, ...
  std::string SettingsFile() const;  // korvo-settings.cfg, empty when missing

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  WinTempDir dir_;
  HWND main_ = nullptr;
  std::vector<std::string> statuses_;
};

// "key=value" is a whole line of the settings text.
bool HasLine(const std::string& text, const std::string& line);

// Runs `action` from a timer once a window of `window_class` with `title`
// exists (message boxes are "#32770"), then stops. `seen` tells whether it ran.
class WhenWindowAppears {
 public:
  WhenWindowAppears(const wchar_t* window_class, const std::string& title, std::function<void(HWND)> action);
  ~WhenWindowAppears();
  bool seen() const { return seen_; }
  std::string text;  // the message box's text, when it was one

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  std::wstring class_, title_;
  std::function<void(HWND)> action_;
  UINT_PTR timer_ = 0;
  bool seen_ = false;
};

// Answers the next message box titled `title` with `button` (IDYES, IDNO, ...).
struct AnswerBox : WhenWindowAppears {
  AnswerBox(const std::string& title, int button);
};
// Types `text` into the text prompt titled `title` and presses OK (or Cancel
// with an empty `text` and `cancel`).
struct AnswerPrompt : WhenWindowAppears {
  AnswerPrompt(const std::string& title, const std::string& text, bool cancel = false);
};

// A key pressed and released through the system's input queue.
void PressKey(WORD virtual_key, bool down);
