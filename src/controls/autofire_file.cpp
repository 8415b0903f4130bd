#include "controls/autofire_file.h"

#include <utility>

#include "base/key_value_text.h"
#include "controls/default_cfg.h"
#include "controls/sequence_text.h"

std::string FormatAutofireFile(const InputMapping& m) {
  std::string out;
  for (int i = 0; i < kActionCount; ++i) {
    if (!IsAutofireButton(i) || !HasAutofire(m, i)) continue;
    const ActionBinding& b = m.bindings[i];
    out += ActionAt(i).port;
    out += '\t' + b.key + '\t' + b.pad + '\t' + b.extra + '\n';
  }
  return out;
}

size_t ApplyAutofireFile(InputMapping& m, std::string_view bytes) {
  size_t taken = 0;
  ForEachKeyValueLine(bytes, [&](std::string_view line) {
    std::vector<std::string_view> f = SplitFields(line, '\t');
    if (f.size() < 4) return;
    int index = FindActionByPort(f[0]);
    if (index < 0 || !IsAutofireButton(index)) return;
    ++taken;
    ActionBinding& b = m.bindings[index];
    if (!b.present) return;
    // Hand-edited files may hold anything; what could not be written
    // between MAME's tags is not taken in the first place.
    std::string key = IsSafeSequencePart(f[1]) ? CutBytes(f[1], kKeyMax) : std::string();
    std::string pad = IsSafeSequencePart(f[2]) ? CutBytes(f[2], kPadMax) : std::string();
    std::string extra = SafeAlternatives(f[3], kExtraMax);
    // A button that default.cfg holds as NONE gets its real sequence back.
    // One that holds the very same sequence (a start without the combos
    // plugin writes it so) keeps its autofire mark. Anything else means the
    // file no longer describes default.cfg.
    const bool taken_over = b.key.empty() && b.pad.empty() && b.extra.empty();
    const bool same = b.key == key && b.pad == pad && b.extra == extra;
    if (!taken_over && !same) return;
    b.key = std::move(key);
    b.pad = std::move(pad);
    b.extra = std::move(extra);
    b.autofire = true;
  });
  return taken;
}
