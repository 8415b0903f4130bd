// The launcher's own key=value files as people save them. Any editor may have
// written them: UTF-8 with or without a byte-order mark, UTF-16 little or big
// endian with its mark, lines ended by CRLF, LF or CR. Every reader of those
// files goes through here; the launcher writes them back as UTF-8 with CRLF.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "base/text_lines.h"

// The file's bytes as UTF-8 with every line ended by a LF alone. UTF-16 that
// does not pair up becomes U+FFFD; a dangling last byte is dropped.
std::string DecodeKeyValueText(std::string_view bytes);

// Calls `visit` with each line of the decoded file, without its end.
template <typename Visit>
void ForEachKeyValueLine(std::string_view bytes, Visit visit) {
  const std::string text = DecodeKeyValueText(bytes);
  ForEachLine(text, visit);
}

// A file holds something to lose when a line of it, trimmed, is neither empty
// nor a comment ('#', ';').
bool HasContentLines(std::string_view bytes);

// A file whose content no reader could use (`lines_taken` is 0) would be
// overwritten by the launcher's next save. It is first kept as
// "<path>.unreadable" (an earlier copy is never replaced) and its name noted
// for the status bar, once in a run however often it is read. Returns
// whether the file was found unreadable.
// Main thread only: the notes are not guarded.
bool KeepIfUnreadable(const std::string& path, std::string_view bytes, size_t lines_taken);

// The file names (without folder) noted since the last call.
std::vector<std::string> TakeUnreadableNotes();
