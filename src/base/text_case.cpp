#include "base/text_case.h"

#include <algorithm>

#include "base/lower_case_data.h"
#include "base/text_util.h"

uint32_t SimpleLowerCase(uint32_t cp) {
  if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? cp + 32 : cp;
  if (cp > 0xFFFF) return cp;
  const LowerCaseRange* end = kLowerCaseRanges + kLowerCaseRangeCount;
  const LowerCaseRange* r =
      std::upper_bound(kLowerCaseRanges, end, cp, [](uint32_t c, const LowerCaseRange& x) { return c < x.first; });
  if (r == kLowerCaseRanges) return cp;
  --r;
  if (cp > r->last || (cp - r->first) % r->step != 0) return cp;
  return static_cast<uint32_t>(static_cast<int32_t>(cp) + r->delta);
}

std::string LowerCaseWithTable(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    size_t start = i;
    uint32_t cp = 0;
    if (!NextUtf8CodePoint(utf8, i, cp)) {
      out.append(utf8.substr(start, i - start));  // a malformed byte stays as it is
      continue;
    }
    uint32_t lower = SimpleLowerCase(cp);
    if (lower == cp)
      out.append(utf8.substr(start, i - start));
    else
      AppendUtf8(lower, out);
  }
  return out;
}
