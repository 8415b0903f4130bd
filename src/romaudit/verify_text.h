// The words of an audit: the verdict names of the result list and the report
// lines, in MAME's -verifyroms wording wherever MAME has one.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "romaudit/set_check.h"

// "good", "best available", "missing files", ... as the result list shows them.
const char* VerdictText(Verdict verdict);
// The word kept in korvo-audit.cfg, and back (false for an unknown word).
const char* VerdictCode(Verdict verdict);
bool VerdictFromCode(std::string_view code, Verdict& verdict);

// The set's part of a -verifyroms report: a line per file that is not good
// (with the set name in front, as MAME prints it), then the verdict line.
// `mame_view` gives what MAME 0.251 itself prints for the set, which is
// nothing when it finds none of the set's own files.
std::string VerifyText(const SetCheck& check, bool mame_view = false);

// The same findings on one line, for the result list.
std::string DetailsLine(const SetCheck& check);
