// Probe report: any bytes parse without a fault, and every question the launcher asks of the result answers.
#include "fuzz_target.h"
#include "controls/pad_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(FuzzText(data, size));
  PadProbe probe = ParsePadProbe(input);
  for (int n = 0; n <= 3; ++n) {
    int pad = XInputPadNumber(probe, n);
    if (pad != 0 && !ProbeTokenOf(probe, pad, "A")) std::abort();
    IsXInputPad(probe, n);
    ProbeTokenOf(probe, n, "RT");
    ProbeNameOfToken(probe, n, "BUTTON1");
  }
  return 0;
}
