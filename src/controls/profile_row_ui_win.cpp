// The profile row of the Controls tab: choose, save, save as, rename and
// delete named mappings. Every outcome is reported in the status bar.
#include "base/text_util.h"
#include "base/utf16_win.h"
#include "controls/mapping_list_ui_win.h"
#include "controls/profile_row_ui_win.h"
#include "controls/input_mapping.h"
#include "controls/profiles.h"
#include "settings/app_state.h"
#include "ui/shell_win.h"
#include "ui/text_prompt_ui_win.h"

namespace {
enum { kProfileId = 396, kSaveId = 397, kSaveAsId = 398, kRenameId = 399, kDeleteId = 400 };
constexpr int kNameBufferSize = static_cast<int>(kProfileListNameMax) + 1;  // 63 characters can be typed
constexpr char kTypeAName[] = "Type a name for the profile";
constexpr char kNotSaved[] = "The profile could not be saved";

// The chosen profile's name, empty for None.
std::string ChosenProfile() {
  HWND combo = MappingWindows().profile;
  int at = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  if (at <= 0) return {};
  int length = static_cast<int>(SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0));
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return Utf16ToUtf8(text);
}

// A typed name, cleaned; empty (after a message) when nothing usable is left.
std::optional<std::string> AskName(const std::string& title, const std::string& initial) {
  std::string name = initial;
  if (!TextPrompt(DialogOwner(), title, "Profile name:", name, kNameBufferSize)) return std::nullopt;
  SanitizeProfileName(name);
  if (name.empty()) ShowStatus(kTypeAName);
  return name;
}

void ProfileChosen() {
  const std::string name = ChosenProfile();
  App().settings.controls_profile = name;
  if (!name.empty()) {
    std::optional<std::string> text = ReadProfile(name);
    if (!text) {
      ShowStatus("The profile could not be read");
    } else {
      ApplyMappingText(TheInputMapping(), *text);
      RefreshMappingCells();
      UpdateProfileButtons();
      ShowStatus("Profile loaded: press OK to write it to MAME");
    }
  }
  UpdateProfileButtons();
}

void SaveChosen() {
  const std::string name = ChosenProfile();
  if (name.empty()) return;
  bool saved = SaveProfile(name, TheInputMapping());
  UpdateProfileButtons();
  ShowStatus(saved ? "Profile saved" : kNotSaved);
}

void SaveAs() {
  std::optional<std::string> name = AskName("Save Profile As", "");
  if (!name || name->empty()) return;
  if (ProfileExists(*name) && ShowMessage("A profile with this name exists. Replace it?", "Save Profile As",
                                          MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  if (!SaveProfile(*name, TheInputMapping())) {
    ShowStatus(kNotSaved);
    return;
  }
  RefreshProfileList(*name);
  ShowStatus("Profile saved");
}

void RenameChosen() {
  const std::string old_name = ChosenProfile();
  if (old_name.empty()) return;
  std::optional<std::string> name = AskName("Rename Profile", old_name);
  if (!name || name->empty() || *name == old_name) return;
  if (!EqualsNoCase(*name, old_name) && ProfileExists(*name)) {
    ShowStatus("A profile with this name exists already");
    return;
  }
  if (!RenameProfile(old_name, *name)) {
    ShowStatus("The profile could not be renamed");
    return;
  }
  RefreshProfileList(*name);
  ShowStatus("Profile renamed");
}

void DeleteChosen() {
  const std::string name = ChosenProfile();
  if (name.empty()) return;
  if (ShowMessage("Delete this profile?\n\nThe mapping in the list stays as it is.", "Delete Profile",
                  MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  DeleteProfile(name);
  RefreshProfileList(std::nullopt);
  ShowStatus("Profile deleted");
}
}  // namespace

void RefreshProfileList(const std::optional<std::string>& name) {
  HWND combo = MappingWindows().profile;
  if (!combo) return;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"None"));
  int selected = 0;
  int index = 1;
  for (const std::string& profile : ListProfiles()) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToUtf16(profile).c_str()));
    if (selected == 0 && name && EqualsNoCase(profile, *name)) selected = index;
    ++index;
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  App().settings.controls_profile = ChosenProfile();
  UpdateProfileButtons();
}

void UpdateProfileButtons() {
  const ControlsMappingWindows& w = MappingWindows();
  if (!w.profile) return;
  const std::string name = ChosenProfile();
  EnableWindow(w.rename, !name.empty());
  EnableWindow(w.remove, !name.empty());
  EnableWindow(w.save, !name.empty() && ProfileDiffersFromMapping(name, TheInputMapping()));
}

void ProfileRowCommand(int id, int code) {
  if (id == kProfileId) {
    if (code == CBN_SELCHANGE) ProfileChosen();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kSaveId: SaveChosen(); break;
    case kSaveAsId: SaveAs(); break;
    case kRenameId: RenameChosen(); break;
    case kDeleteId: DeleteChosen(); break;
  }
}
