// The sequence language on any text: masks and durations in range, texts within their buffers, stored words compile.
#include "fuzz_target.h"
#include "combos/combo_sequence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  int side = data[0] & 1;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<ComboStep> steps = CompileComboSequence(text, side, 600);
  uint32_t previous = 0;
  for (size_t i = 0; i < steps.size(); ++i) {
    const ComboStep& s = steps[i];
    if (s.mask > 0x7FF || s.duration < 0 || s.duration > 5000) std::abort();
    if ((s.mask & 0xC) == 0xC || (s.mask & 0x3) == 0x3) std::abort();  // never both ways at once
    if (i > 0 && (previous & s.mask & kComboButtonBits) != 0) std::abort();
    previous = s.mask;
  }
  if (FormatComboSequence(text, side, 400).size() > 399) std::abort();
  std::string stored;
  if (ConvertWordNotation(text, side, stored)) {
    if (stored.size() > 399) std::abort();
    CompileComboSequence(stored, side, 600);
    FormatComboSequence(stored, side, 400);
  }
  return 0;
}
