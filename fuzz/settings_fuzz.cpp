// korvo-settings.cfg: any bytes load to values inside their ranges and survive a write and read back unchanged.
#include "fuzz_target.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Settings s;
  ResetSettings(s);
  ParseSettingsText(s, std::string(FuzzText(data, size)));
  if (s.video < 0 || s.video > 4 || s.prescale < 1 || s.prescale > 8 || s.volume < -32 || s.volume > 0 ||
      s.columns_hidden > kColumnsHiddenMask || s.theme_mode < 0 || s.theme_mode > 2)
    std::abort();
  TextBuffer once = FormatSettingsText(s);
  Settings again;
  ResetSettings(again);
  ParseSettingsText(again, once);
  if (FormatSettingsText(again) != once) std::abort();
  return 0;
}
