// The General page: MAME's program and folders, the launcher's behaviour,
// the Advanced group and the MAME options of the Capture And Speed group.
#include <shobjidl.h>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/utf16_win.h"
#include "launch/mame_location.h"
#include "optionsarea/options_area_ui_win.h"
#include "optionsarea/options_fields_ui_win.h"
#include "optionsarea/options_page_layout_ui_win.h"
#include "optionsarea/options_page_set_ui_win.h"
#include "optionsarea/page_values.h"
#include "settings/app_state.h"
#include "ui/shell_win.h"
#include "ui/ui_metrics_win.h"

namespace {
constexpr UINT kRefilterMessage = WM_APP + 3;

void Refilter() { PostMessageW(Options().main, kRefilterMessage, 0, 0); }

bool classic_shown = false;  // what the Classic Layout box was set to

void ShowClassicLayout(HWND box, bool classic) {
  classic_shown = classic;
  SendMessageW(box, BM_SETCHECK, classic ? BST_CHECKED : 0, 0);
}

std::string FolderOfPath(const std::string& path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// The shell's open dialog, for a file or (with FOS_PICKFOLDERS) a folder.
bool RunOpenDialog(const std::wstring& title, const std::string& start_folder, bool folders,
                   const COMDLG_FILTERSPEC* filters, UINT filter_count, std::string& chosen) {
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  IFileOpenDialog* dialog = nullptr;
  bool ok = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) {
    DWORD options = 0;
    dialog->GetOptions(&options);
    options |= FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR | (folders ? FOS_PICKFOLDERS : FOS_FILEMUSTEXIST);
    dialog->SetOptions(options);
    dialog->SetTitle(title.c_str());
    if (filters) dialog->SetFileTypes(filter_count, filters);
    IShellItem* folder = nullptr;
    if (!start_folder.empty() &&
        SUCCEEDED(SHCreateItemFromParsingName(Utf8ToUtf16(start_folder).c_str(), nullptr, IID_PPV_ARGS(&folder)))) {
      dialog->SetFolder(folder);
      folder->Release();
    }
    IShellItem* result = nullptr;
    if (SUCCEEDED(dialog->Show(DialogOwner())) && SUCCEEDED(dialog->GetResult(&result))) {
      PWSTR path = nullptr;
      if (SUCCEEDED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        chosen = Utf16ToUtf8(path);
        CoTaskMemFree(path);
        ok = !chosen.empty();
      }
      result->Release();
    }
    dialog->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return ok;
}

bool ControlHeld() { return ((GetKeyState(VK_CONTROL) | GetAsyncKeyState(VK_CONTROL)) & 0x8000) != 0; }

void ChooseMameProgram() {
  HWND field = PageControl(kMameProgramId);
  const std::string typed = ControlText(field);
  const COMDLG_FILTERSPEC filters[] = {{L"MAME (mame*.exe)", L"mame*.exe"}, {L"Programs (*.exe)", L"*.exe"}};
  std::string chosen;
  if (!RunOpenDialog(L"Select MAME Program", typed.empty() ? LauncherFolder() : FolderOfPath(ResolvePath(typed)),
                     false, filters, 2, chosen))
    return;
  SetWindowTextW(field, Utf8ToUtf16(chosen).c_str());
  RefreshControllerFiles(chosen);
}

void ChooseRomsFolder() {
  HWND field = PageControl(kRomsId);
  const std::string typed = ControlText(field);
  Settings probe = App().settings;
  probe.mame_exe = ControlText(PageControl(kMameProgramId));
  std::string start = FirstFolderOf(typed);
  start = start.empty() ? MameRomsFolder(probe) : ResolvePath(start);
  std::string chosen;
  if (!RunOpenDialog(L"Select ROMs Folder", start, true, nullptr, 0, chosen)) return;
  if (chosen.find(';') != std::string::npos) {
    ShowMessage(SemicolonFolderText(chosen), "ROMs Folder", MB_OK | MB_ICONWARNING);
    return;
  }
  SetWindowTextW(field, Utf8ToUtf16(RomsFieldAfterChoice(typed, chosen, ControlHeld())).c_str());
  Refilter();
}

void ChooseBiosFolder() {
  HWND field = PageControl(kBiosId);
  std::string start = ControlText(field);
  if (start.empty()) {
    Settings probe = App().settings;
    probe.mame_exe = ControlText(PageControl(kMameProgramId));
    start = MameFolder(probe);
  }
  std::string chosen;
  if (!RunOpenDialog(L"Select BIOS Folder", ResolvePath(start), true, nullptr, 0, chosen)) return;
  if (chosen.find(';') != std::string::npos) {
    ShowMessage(SemicolonFolderText(chosen), "BIOS Folder", MB_OK | MB_ICONWARNING);
    return;
  }
  SetWindowTextW(field, Utf8ToUtf16(chosen).c_str());
  Refilter();
}

// A typed folder whose path holds a semicolon is taken out of the field again.
void RefuseSemicolonFolder(int field_id) {
  HWND field = PageControl(field_id);
  std::string folder, rest;
  auto is_folder = [](const std::string& path) { return IsFolder(ResolvePath(path)); };
  if (!FindSemicolonFolder(ControlText(field), is_folder, folder, rest)) return;
  SetWindowTextW(field, Utf8ToUtf16(rest).c_str());
  ShowMessage(SemicolonFolderText(folder), field_id == kRomsId ? "ROMs Folder" : "BIOS Folder",
              MB_OK | MB_ICONWARNING);
}

void ClearRomsFolder() {
  if (ShowMessage("Clear the ROMs folder?\n\nThe roms folder of MAME is used until you choose a folder again.",
                  "Clear ROMs Folder", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  SetWindowTextW(PageControl(kRomsId), L"");
  App().settings.roms_directory.clear();
  Refilter();
}
}  // namespace

int BuildGeneralPage(HWND page) {
  PageLayout& p = NewPageLayout(page);
  BindText(p.PathRow(kMameProgramId, "MAME Program", kMameBrowseId, kMameClearId, "Clear MAME Program"),
           &Settings::mame_exe, kPathFieldSize, true);
  BindText(p.PathRow(kRomsId, "ROMs Folder", kRomsBrowseId, kRomsClearId, "Clear ROMs Folder"),
           &Settings::roms_directory, kPathFieldSize, true);
  BindText(p.PathRow(kBiosId, "BIOS Folder", kBiosBrowseId, kBiosClearId, "Clear BIOS Folder"),
           &Settings::bios_directory, kPathFieldSize, true);
  BindCheck(p.Check(kOnlyAvailableId, "List Only Available ROMs"), &Settings::only_available);

  // The Theme choice is read by OK, which changes the theme through its own
  // flow (restart question); applying the pages leaves `theme_mode` alone.
  HWND theme = p.Choice(kThemeId, "Theme", 160);
  AddPageField({theme, [theme](const Settings& s) { FillCombo(theme, ThemeChoices().labels, s.theme_mode); },
                [](Settings&) {}});
  BindChoice(p.Choice(kOnGameStartId, "When A Game Starts"), OnGameStartChoices, &Settings::on_game_start);
  HWND classic = p.Check(kClassicLayoutId, "Classic Layout");
  AddPageField({classic, [classic](const Settings& s) { ShowClassicLayout(classic, s.options_window == 0); },
                [classic](Settings& s) {
                  // The menu switches the layout too; only a click on the box decides here.
                  bool ticked = SendMessageW(classic, BM_GETCHECK, 0, 0) == BST_CHECKED;
                  if (ticked != classic_shown) s.options_window = !ticked;
                }});
  BindCheck(p.Check(kHideConsoleId, "Hide Console"), &Settings::hide_console);
  BindCheck(p.Check(kLogsId, "Enable Logs"), &Settings::logs);

  p.BeginGroup("Advanced");
  BindCheck(p.Check(kSkipGameInfoId, "Skip Game Info Screen"), &Settings::skip_gameinfo);
  BindCheck(p.Check(kSkipWarningsId, "Skip Game Warning Screen"), &Settings::skip_warnings);
  BindCheck(p.Check(kAutosaveId, "Auto Save / Restore State"), &Settings::autosave);
  BindCheck(p.Check(kCheatId, "Cheats"), &Settings::cheat);
  BindCheck(p.Check(kConfirmQuitId, "Confirm Quit"), &Settings::confirm_quit);
  BindText(p.Edit(kExtraArgumentsId, "Extra Arguments"), &Settings::extra_arguments, kPathFieldSize, false);
  p.EndGroup();

  p.BeginGroup("Capture And Speed");
  BindMameText(p.Edit(kSpeedId, "Speed", 80), "speed", "Speed");
  BindMameCheck(p.Check(kRewindId, "Rewind"), "rewind");
  BindMameText(p.Edit(kSnapsizeId, "Snapshot Size", 120), "snapsize", "Snapshot Size");
  BindMameText(p.Edit(kAviWriteId, "Record Video To"), "aviwrite", "Record Video To");
  BindMameText(p.Edit(kWavWriteId, "Record Audio To"), "wavwrite", "Record Audio To");
  BindMameText(p.Edit(kRecordId, "Record Input To"), "record", "Record Input To");
  BindMameText(p.Edit(kPlaybackId, "Play Input From"), "playback", "Play Input From");
  BindMameText(p.Edit(kStateId, "Load State"), "state", "Load State");
  p.Button(kAllMameOptionsId, "All MAME Options\u2026");
  p.EndGroup();
  return p.Place(S(500), 0);
}

void FollowLayoutSetting() {
  HWND box = PageControl(kClassicLayoutId);
  if (!box) return;
  bool ticked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  bool classic = App().settings.options_window == 0;
  if (ticked == classic_shown && classic != classic_shown) ShowClassicLayout(box, classic);
}

bool GeneralPageCommand(int id, int code) {
  switch (id) {
    case kMameBrowseId:
      if (code == BN_CLICKED) ChooseMameProgram();
      return true;
    case kMameClearId:
      if (code != BN_CLICKED) return true;
      SetWindowTextW(PageControl(kMameProgramId), L"");
      RefreshControllerFiles("");
      return true;
    case kRomsId:
    case kBiosId:
      if (code != EN_KILLFOCUS) return true;
      RefuseSemicolonFolder(id);
      Refilter();  // availability follows the folders as typed
      return true;
    case kRomsBrowseId:
      if (code == BN_CLICKED) ChooseRomsFolder();
      return true;
    case kRomsClearId:
      if (code == BN_CLICKED) ClearRomsFolder();
      return true;
    case kOnlyAvailableId:
      if (code != BN_CLICKED) return true;
      App().settings.only_available = IsChecked(kOnlyAvailableId);
      Refilter();
      return true;
    case kBiosBrowseId:
      if (code == BN_CLICKED) ChooseBiosFolder();
      return true;
    case kBiosClearId:
      if (code != BN_CLICKED) return true;
      SetWindowTextW(PageControl(kBiosId), L"");
      Refilter();
      return true;
  }
  return false;
}
