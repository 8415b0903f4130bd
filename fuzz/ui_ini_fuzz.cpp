// ui.ini as MAME writes it or a user edits it: any bytes read, and every picture kind's folders come out of it.
#include "fuzz_target.h"
#include "preview/picture_kinds.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UiOptions options = ParseUiIni(FuzzText(data, size));
  Settings settings;
  settings.mame_exe = "C:\\MAME\\mame.exe";
  ArtFolders folders = ArtFoldersOf(settings, options);
  for (const auto& kind : folders.folders)
    for (const std::string& folder : kind)
      if (folder.empty()) std::abort();
  UiFolders(options, kHistoryPathOption, kHistoryPathDefault, settings);
  return 0;
}
