#include "optionsarea/options_fields_ui_win.h"

#include <memory>

#include "base/text_util.h"
#include "base/utf16_win.h"
#include "options/mame_option_table.h"
#include "options/mame_options.h"
#include "options/option_value.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_page_layout_ui_win.h"
#include "ui/modal_dialog_ui_win.h"

namespace {
std::vector<PageField>& Fields() {
  static std::vector<PageField> fields;
  return fields;
}
std::vector<std::string> rejected;
}  // namespace

void AddPageField(PageField field) { Fields().push_back(std::move(field)); }
void ForgetPageFieldsOf(HWND page) {
  std::erase_if(Fields(), [page](const PageField& f) { return GetParent(f.control) == page; });
}

void FillPageFields(const Settings& s, bool only_mame_options) {
  for (const PageField& f : Fields())
    if (!only_mame_options || f.mame_option) f.fill(s);
}

void FillPageFieldsOf(HWND page, const Settings& s) {
  for (const PageField& f : Fields())
    if (GetParent(f.control) == page) f.fill(s);
}

void ReadPageFields(Settings& s, bool only_mame_options) {
  rejected.clear();
  for (const PageField& f : Fields())
    if (!only_mame_options || f.mame_option) f.read(s);
}

const std::vector<std::string>& RejectedMameFields() { return rejected; }

void FillCombo(HWND combo, const std::vector<std::string>& labels, int selected) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& label : labels)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToUtf16(label).c_str()));
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

void BindCheck(HWND check, int32_t Settings::*field) {
  AddPageField({check, [=](const Settings& s) { SendMessageW(check, BM_SETCHECK, s.*field ? BST_CHECKED : 0, 0); },
                [=](Settings& s) { s.*field = SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }});
}

void BindChoice(HWND combo, ChoiceList (*entries)(), int32_t Settings::*field, const char* unlisted) {
  auto shown = std::make_shared<ChoiceList>();
  AddPageField({combo,
                [=](const Settings& s) {
                  *shown = entries();
                  int at = ChoiceIndexAdding(*shown, s.*field, unlisted);
                  FillCombo(combo, shown->labels, at);
                },
                [=](Settings& s) {
                  int at = ComboSelection(combo);
                  if (at >= 0 && static_cast<size_t>(at) < shown->values.size())
                    s.*field = shown->values[static_cast<size_t>(at)];
                }});
}

void BindText(HWND edit, std::string Settings::*field, int field_size, bool trim) {
  SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(field_size - 1), 0);
  AddPageField({edit, [=](const Settings& s) { SetWindowTextW(edit, Utf8ToUtf16(s.*field).c_str()); },
                [=](Settings& s) {
                  std::string text = ControlText(edit);
                  if (trim) text = Trim(text);
                  s.*field = CutToUtf16Units(text, static_cast<size_t>(field_size - 1));
                }});
}

void AddNumberField(PageLayout& p, int id, const std::string& label, int32_t low, int32_t high,
                    int32_t Settings::*field, bool negated) {
  HWND edit = p.Number(id, label, low, high);
  AddPageField({edit,
                [=](const Settings& s) {
                  int32_t shown = negated ? -(s.*field) : s.*field;
                  SetWindowTextW(edit, std::to_wstring(shown).c_str());
                },
                [=](Settings& s) {
                  int32_t current = negated ? -(s.*field) : s.*field;
                  std::string typed = Trim(ControlText(edit));
                  if (typed == std::to_string(current)) return;  // untouched: kept even when out of range
                  int32_t value = ReadNumberField(typed, low, high, current);
                  s.*field = negated ? -value : value;
                }});
}

void BindMameText(HWND edit, const char* option, const char* label) {
  SendMessageW(edit, EM_SETLIMITTEXT, 399, 0);
  AddPageField({edit, [=](const Settings& s) { SetWindowTextW(edit, Utf8ToUtf16(GetMameOption(s.more_options, option)).c_str()); },
                [=](Settings& s) {
                  std::string typed(TrimBlanks(ControlText(edit)));
                  int row = FindMameOption(option);
                  if (!typed.empty() && row >= 0 &&
                      !IsValidMameOptionValue(MameOptionTable()[static_cast<size_t>(row)], typed)) {
                    rejected.push_back(label);
                    return;
                  }
                  SetMameOption(s.more_options, option, typed);
                },
                true});
}

void BindMameCheck(HWND check, const char* option) {
  AddPageField({check,
                [=](const Settings& s) {
                  SendMessageW(check, BM_SETCHECK, GetMameOption(s.more_options, option) == "1" ? BST_CHECKED : 0, 0);
                },
                [=](Settings& s) {
                  SetMameOption(s.more_options, option, SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
                },
                true});
}

void BindMameChoice(HWND combo, TextChoiceList (*entries)(), const char* option) {
  auto shown = std::make_shared<TextChoiceList>();
  AddPageField({combo,
                [=](const Settings& s) {
                  *shown = entries();
                  int at = TextChoiceIndexAdding(*shown, GetMameOption(s.more_options, option));
                  FillCombo(combo, shown->labels, at);
                },
                [=](Settings& s) {
                  int at = ComboSelection(combo);
                  if (at < 0 || static_cast<size_t>(at) >= shown->values.size()) return;
                  // The same choice in another spelling stays as it is stored.
                  const std::string& chosen = shown->values[static_cast<size_t>(at)];
                  if (!EqualsNoCase(chosen, GetMameOption(s.more_options, option)))
                    SetMameOption(s.more_options, option, chosen);
                },
                true});
}

HWND PageControl(int id) {
  for (HWND page : Options().pages)
    if (HWND w = page ? GetDlgItem(page, id) : nullptr) return w;
  return nullptr;
}

bool IsChecked(int id) { return SendMessageW(PageControl(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(int id, bool on) { SendMessageW(PageControl(id), BM_SETCHECK, on ? BST_CHECKED : 0, 0); }

void EnablePageControl(int id, bool on) {
  HWND control = PageControl(id);
  if (!control) return;
  EnableWindow(control, on);
  if (PageLayout* layout = LayoutOfPage(GetParent(control)))
    for (HWND companion : layout->Companions(control)) EnableWindow(companion, on);
}
