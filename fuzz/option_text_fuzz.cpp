// Option texts: any stored text reads without a fault and, rebuilt, reads back the same (no drift on reopening).
#include "fuzz_target.h"
#include "options/hlsl_options.h"
#include "options/mame_options.h"
#include "options/option_value.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(FuzzText(data, size));

  MameOptionValues values = ParseMoreOptions(text);
  std::string once = BuildMoreOptions(values);
  MameOptionValues again = ParseMoreOptions(once);
  if (BuildMoreOptions(again) != once || again.kept != values.kept) std::abort();

  HlslValues hlsl = ParseHlslOptions(text);
  std::string hlsl_once = BuildHlslOptions(hlsl);
  if (BuildHlslOptions(ParseHlslOptions(hlsl_once)) != hlsl_once) std::abort();

  // The text as a value typed for one option: accepted values read back.
  std::string stored;
  if (SetMameOption(stored, "snapname", text)) {
    if (GetMameOption(stored, "snapname") != std::string(TrimBlanks(text))) std::abort();
  }
  return 0;
}
