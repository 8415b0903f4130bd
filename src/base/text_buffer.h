// TextBuffer and IdList: the growable byte buffer every file is assembled in,
// and the list of game numbers behind favourites and recent games.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using TextBuffer = std::string;  // std::string keeps the terminating NUL for us
using IdList = std::vector<int32_t>;

// printf-style append; formats into a small stack area first so that short
// lines (the common case) never allocate a temporary.
void AppendFormat(TextBuffer& out, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

bool IdListContains(const IdList& list, int32_t value);
void IdListRemoveAll(IdList& list, int32_t value);
