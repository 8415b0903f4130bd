// The controls of the five options pages and the apply / cancel / restore /
// theme flows. The main window calls these; the pages' commands (ids 300-400
// and the Controls and Combos ranges) come back through the dispatch table.
#pragma once
#include <windows.h>

#include <string>

// Lets the options area build each page when it is first shown; a page built
// later shows the settings as they are then (until then its values live only
// in the settings).
void InstallPageBuilder();
// Every control from the settings (also the Controller File list, the
// mapping reloaded from MAME's default.cfg, the combo rows reloaded from
// korvo-combos.cfg and the enabling rules). What the pages show is then the
// applied state: Cancel comes back to it. Called at start, after Cancel and
// after a backup was restored.
void FillPages();
// Reads the pages into the settings, writes the combos file, MAME's
// default.cfg and korvo-settings.cfg, switches the layout when it changed
// and takes the snapshot. True when the settings file was written.
bool ApplyOptions();
// OK (109): apply; "Settings saved"; hide the separate window; the theme
// change when the Theme choice differs.
void OptionsOk();
// Back to the last applied options (when there is a snapshot), refill, hide the window.
void CancelOptions();
void RestoreDefaults();
void ChangeThemeMode(int mode);
// Copies the snapshot back into the settings when it is valid (closing the
// launcher drops options that were not applied).
void DropUnappliedOptions();
// Commands 300-400 of the pages; notifications of their controls.
void OptionsCommand(int id, int code, HWND control);
bool OptionsNotify(NMHDR* header, LRESULT* result);
// Command 113: flips Fullscreen on the Video page and saves only that value.
void ToggleFullscreenOption();
// Fullscreen as the Video page shows it (the toolbar toggle follows it).
bool FullscreenChecked();
// The ROMs and BIOS Folder fields as typed (availability follows them before OK).
std::string RomsFolderField();
std::string BiosFolderField();
// The General page's "List Only Available ROMs" box follows the toolbar toggle.
void ShowOnlyAvailable(bool on);
// The single MAME option fields of the pages into `more_options` (before the
// All MAME Options window opens), and back from it (after it closed with OK).
void PagesIntoMoreOptions();
void RefreshMameOptionFields();
// The settings as they are now become the applied options (after a restore).
void TakeOptionsSnapshot();

// The argument a launcher restarting itself passes to the new one, which
// waits this long for the old one to let go of the single-instance name.
constexpr wchar_t kRestartedArgument[] = L"--restarted";
constexpr unsigned kRestartWaitMs = 10000;
// How the theme change starts the launcher again; true when the new process
// started. Tests replace it; nullptr restores the real one.
using RestartLauncherFn = bool (*)();
void SetRestartLauncher(RestartLauncherFn fn);
