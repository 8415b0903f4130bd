#include "catalogue/text_compare.h"

#include <string>

#include "base/text_case.h"

int CompareNoCase(std::string_view a, std::string_view b) {
  // UTF-8 bytes compare in code-point order.
  int c = LowerCaseText(a).compare(LowerCaseText(b));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}
