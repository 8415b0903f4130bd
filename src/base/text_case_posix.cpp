#include "base/text_case.h"

std::string LowerCaseText(std::string_view utf8) { return LowerCaseWithTable(utf8); }
