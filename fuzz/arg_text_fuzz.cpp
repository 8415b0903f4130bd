// Free argument texts typed by the user: splitting never faults, and the quoted pieces split back the same.
#include "fuzz_target.h"
#include "launch/mame_args.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(FuzzText(data, size));
  ArgList args;
  ParseArgText(text, args);
  ArgList again;
  ParseArgText(JoinArgs(args), again);
  if (again != args) std::abort();
  for (const std::string& a : args)
    if (QuoteArg(a).empty()) std::abort();
  return 0;
}
