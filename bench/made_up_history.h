// A history.xml of the size the real one has (about 30 MB), made up at bench
// time in its real form: entries of systems (every set of the table among
// thousands of others) and of software, each with its text.
#pragma once
#include <cstdint>
#include <string>

#include "catalogue/game_table.h"

inline std::string MadeUpHistoryXml(size_t bytes = size_t{30} << 20) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<history version=\"2.51\" date=\"2026-12-01\">\n";
  out.reserve(bytes + 4096);
  uint32_t seed = 2026;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int entry = 0; out.size() < bytes; ++entry) {
    const bool software = entry % 3 == 2;
    out += "\t<entry>\n";
    if (software) {
      out += "\t\t<software>\n\t\t\t<item list=\"psx\" name=\"soft" + std::to_string(entry) +
             "\" />\n\t\t</software>\n";
    } else {
      out += "\t\t<systems>\n";
      const GameTableRow& row = GameTable[static_cast<size_t>(entry / 3) % kGameCount];
      out += std::string("\t\t\t<system name=\"") + (entry < 3 * kGameCount ? row.set : "sys") +
             (entry < 3 * kGameCount ? "" : std::to_string(entry)) + "\" />\n";
      for (uint32_t clones = next() % 4; clones > 0; --clones)
        out += "\t\t\t<system name=\"clone" + std::to_string(entry) + "_" + std::to_string(clones) + "\" />\n";
      out += "\t\t</systems>\n";
    }
    out += "\t\t<text>\n- TECHNICAL -\n\nMain CPU: R3000A &amp; friends\n\n- TRIVIA -\n\n";
    for (uint32_t lines = 4 + next() % 16; lines > 0; --lines)
      out += "This game was released in " + std::to_string(1994 + next() % 18) +
             " and is remembered for its &quot;music&quot;, its bosses &lt;and&gt; its hidden characters.\n";
    out += "\t\t</text>\n\t</entry>\n";
  }
  return out + "</history>\n";
}
