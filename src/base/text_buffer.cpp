#include "base/text_buffer.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

void AppendFormat(TextBuffer& out, const char* format, ...) {
  char scratch[512];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(scratch, sizeof scratch, format, args);
  va_end(args);
  if (n >= 0 && n < static_cast<int>(sizeof scratch)) {
    out.append(scratch, static_cast<size_t>(n));
  } else if (n > 0) {
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(big.data(), big.size(), format, again);
    out.append(big.data(), static_cast<size_t>(n));
  }
  va_end(again);
}

bool IdListContains(const IdList& list, int32_t value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

void IdListRemoveAll(IdList& list, int32_t value) {
  list.erase(std::remove(list.begin(), list.end(), value), list.end());
}
