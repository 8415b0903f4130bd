#include "ui/access_keys.h"

#include <gtest/gtest.h>

TEST(AccessKeys, WordStartsFirstThenOtherLettersNeverReserved) {
  struct Case {
    std::vector<std::string> texts;
    const char* reserved;
    std::vector<std::string> marked;
  } cases[] = {
      {{"Speed", "Snapshot Size", "Sound"}, "", {"&Speed", "S&napshot Size", "S&ound"}},
      {{"Video Mode", "Fullscreen"}, "FGOVH", {"Video &Mode", "F&ullscreen"}},
      {{"Load & Save", "\xC3\x97", "~"}, "", {"&Load && Save", "\xC3\x97", "~"}},  // "&" shows; nothing to mark
      {{"Browse\xE2\x80\xA6", "Browse\xE2\x80\xA6"}, "", {"&Browse\xE2\x80\xA6", "B&rowse\xE2\x80\xA6"}},
      // The first text gives up its key so that the second can have one; with too few keys the later texts go without.
      {{"AB", "a"}, "", {"A&B", "&a"}},
      {{"A", "B", "AB"}, "", {"&A", "&B", "AB"}},
  };
  for (const Case& c : cases) EXPECT_EQ(WithAccessKeys(c.texts, c.reserved), c.marked) << c.texts[0];
}
