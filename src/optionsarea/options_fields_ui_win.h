// The controls of the options pages bound to the settings: each field knows
// how to show its setting and how to read it back. The pages register their
// fields when they are created; filling and applying walk the list.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "optionsarea/page_values.h"
#include "settings/settings.h"
#include "ui/modal_dialog_ui_win.h"  // ControlText

class PageLayout;

struct PageField {
  HWND control = nullptr;
  std::function<void(const Settings&)> fill;
  std::function<void(Settings&)> read;
  bool mame_option = false;  // an option inside `more_options`
};

void AddPageField(PageField field);
// A page is being destroyed: its fields go.
void ForgetPageFieldsOf(HWND page);
void FillPageFields(const Settings& s, bool only_mame_options = false);
// The fields of one page (just built: the other pages keep what was typed).
void FillPageFieldsOf(HWND page, const Settings& s);
void ReadPageFields(Settings& s, bool only_mame_options = false);

// Labels of MAME option fields whose typed value the last read did not take
// (not a valid value for the option).
const std::vector<std::string>& RejectedMameFields();

void BindCheck(HWND check, int32_t Settings::*field);
void BindChoice(HWND combo, ChoiceList (*entries)(), int32_t Settings::*field, const char* unlisted = "%d");
void BindText(HWND edit, std::string Settings::*field, int field_size, bool trim);
// A whole number field made on the page, its arrows and its typed values held
// to the one range; `negated` shows minus the setting (volume as attenuation).
void AddNumberField(PageLayout& p, int id, const std::string& label, int32_t low, int32_t high,
                    int32_t Settings::*field, bool negated = false);
void BindMameText(HWND edit, const char* option, const char* label);
void BindMameCheck(HWND check, const char* option);
void BindMameChoice(HWND combo, TextChoiceList (*entries)(), const char* option);

// The control with this id on any page.
HWND PageControl(int id);
bool IsChecked(int id);
void SetChecked(int id, bool on);
// Enables a control with its label (and spin buttons).
void EnablePageControl(int id, bool on);
void FillCombo(HWND combo, const std::vector<std::string>& labels, int selected);
int ComboSelection(HWND combo);
