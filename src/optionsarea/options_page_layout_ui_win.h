// The controls of one options page in rows, re-flowed whenever the page's
// width changes, and the page's vertical scrolling when it is taller than
// the options area.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

class PageLayout {
 public:
  explicit PageLayout(HWND page) : page_(page) {}
  HWND page() const { return page_; }

  // A child of the page with the shared font and theme; not yet placed.
  HWND Make(const wchar_t* window_class, const std::string& text, DWORD style, int id, DWORD ex_style = 0);
  // The label of a row, which takes an access key.
  HWND Label(const std::string& text);

  // Rows. Widths are in 96-DPI units; 0 stretches to the right edge.
  HWND Check(int id, const std::string& text);
  HWND Choice(int id, const std::string& label, int width = 220);
  HWND Edit(int id, const std::string& label, int width = 0);
  HWND Number(int id, const std::string& label, int low, int high);
  // Label, stretched edit, "Browse…" and a small clear button with its tooltip.
  HWND PathRow(int edit_id, const std::string& label, int browse_id, int clear_id, const std::string& clear_tip);
  HWND Button(int id, const std::string& text, int width = 150);
  void BeginGroup(const std::string& title);
  void EndGroup();

  // Rows of controls made elsewhere. Widths in 96-DPI units, 0 stretches;
  // a drop-down's window height includes its list.
  struct Cell {
    HWND window = nullptr;
    int width = 0;
    int window_height = 0;
  };
  void LabelledRow(HWND label, std::vector<Cell> cells);
  // Buttons side by side, from the left edge or from the controls' column.
  void ButtonRow(std::vector<Cell> cells, bool at_control_column);
  // A multi-line text across the row, as high as its text needs.
  void TextRow(HWND text);
  void TallRow(HWND control, int height);

  // Places every row for the page's client width at the scroll position;
  // returns the height of the content in pixels.
  int Place(int width, int scroll);

  // The label that belongs to a control (disabled with it), if any, and the
  // spin buttons of a number field.
  std::vector<HWND> Companions(HWND control) const;

 private:
  enum class Kind { Check, Labelled, Buttons, Text, Tall, GroupStart, GroupEnd };
  struct Row {
    Kind kind = Kind::Buttons;
    HWND label = nullptr;
    std::vector<Cell> cells;
    bool at_control_column = false;
    int height = 0;
  };

  int PlaceRows(int width, int scroll);

  HWND page_;
  std::vector<Row> rows_;
  std::vector<std::pair<HWND, HWND>> spins_;  // number field, its spin buttons
  std::map<HWND, std::vector<HWND>> companions_;
  HWND tips_ = nullptr;
  HWND open_group_ = nullptr;  // between BeginGroup and EndGroup
};

// The layout of a page (nullptr for a page without one).
PageLayout* LayoutOfPage(HWND page);
PageLayout& NewPageLayout(HWND page);
// The content height of a page that places its own controls (no layout).
void SetPageContentHeight(HWND page, int height);
// Places a page's rows for its current size and sets its scroll bar.
void RelayoutPage(HWND page);
// Scrolling, sizing and colour messages of the pages (installed with
// SetPageMessageHook).
bool PageMessage(HWND page, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
