// A launcher folder of its own for a window test: fresh settings, the fake MAME, the windows' start-up done.
#pragma once

#include "../../tools/fakemame/fakemame_record.h"

#include "backup/zip_writer.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "dialog_script_win.h"
#include "settings/app_state.h"
#include "win_test_support.h"

struct ScratchLauncher {
  WinTempDir dir;
  explicit ScratchLauncher(bool with_mame = true) {
    SetLauncherFolder(dir.path());
    AppState& app = App();
    ResetSettings(app.settings);
    app.game_settings.clear();
    app.settings_path = dir.File("korvo-settings.cfg");
    if (with_mame) CopyInto(TestBuildFolder() + "\\tools\\fakemame\\mame.exe", dir.File("mame.exe"));
    InitWindowsForTests();
  }
  // Writes a file below the folder, creating its folders.
  void Write(const std::string& relative, const std::string& bytes) const {
    std::string path = dir.File(relative);
    for (size_t at = path.find('\\', dir.path().size() + 1); at != std::string::npos; at = path.find('\\', at + 1))
      CreateFolder(path.substr(0, at));
    WriteFileAtomic(path, bytes);
  }
  std::string Read(const std::string& relative) const {
    auto bytes = ReadWholeFile(dir.File(relative));
    return bytes ? *bytes : std::string("<missing>");
  }
  bool Exists(const std::string& relative) const { return FileExists(dir.File(relative)); }
  // The fake MAME's record of how it was started; how many starts began with `first_arg` (a set, or -listxml).
  std::vector<fakemame::RecordedCall> Calls() const {
    auto text = ReadWholeFile(dir.File("fakemame-calls.txt"));
    return text ? fakemame::ParseCalls(*text) : std::vector<fakemame::RecordedCall>{};
  }
  size_t CallsWith(const std::string& first_arg) const {
    size_t n = 0;
    for (const auto& call : Calls()) n += !call.args.empty() && call.args[0] == first_arg;
    return n;
  }
};

// A zip of one member, as a ROM set or a backup would hold it.
inline std::string ZipOf(const std::string& member, const std::string& data) {
  ZipWriter zip;
  StartZip(zip);
  AddZipMember(zip, member, data);
  FinishZip(zip);
  return zip.output;
}
