#include "ui/access_keys.h"

#include <gtest/gtest.h>

#include <set>

namespace {
// The key a marked text carries ('\0' for none), and its words as shown.
std::pair<char, std::string> KeyAndShown(const std::string& marked) {
  char key = '\0';
  std::string shown;
  for (size_t i = 0; i < marked.size(); ++i) {
    if (marked[i] == '&' && i + 1 < marked.size() && marked[++i] != '&' && !key)
      key = static_cast<char>(std::toupper(static_cast<unsigned char>(marked[i])));
    shown += marked[i];
  }
  return {key, shown};
}
}  // namespace

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
      // The first text gives up its key so that the second can have one; with
      // too few keys the later texts go without.
      {{"AB", "a"}, "", {"A&B", "&a"}},
      {{"A", "B", "AB"}, "", {"&A", "&B", "AB"}},
  };
  for (const Case& c : cases) EXPECT_EQ(WithAccessKeys(c.texts, c.reserved), c.marked) << c.texts[0];
}

TEST(AccessKeys, AsManyUniqueKeysAsTheLettersAllowAndTheWordsStay) {
  // A page's worth of labels and buttons, more than there are free keys.
  const std::vector<std::string> texts = {
      "Video Mode", "Resolution", "Rotation", "Integer Scale (Pixel Perfect)", "Prescale", "Frame Skip",
      "GLSL Filter", "GLSL Shader Name", "BGFX Screen Effect", "BGFX Backend", "Brightness", "Contrast", "Gamma",
      "Aspect Ratio", "BGFX Shadow Mask", "BGFX LUT", "Filter Scaler", "Dither Smoothing", "Fullscreen",
      "Maximize Window", "Keep Aspect Ratio", "Uneven Stretch", "Bilinear Filter", "Wait For V-Sync",
      "Sync Refresh Rate", "Throttle (Real Speed)", "HLSL (Direct3D Only)", "GLSL (OpenGL Only)", "Crop Artwork",
      "Filter Window", "FXAA Filter", "HLSL Settings\xE2\x80\xA6"};
  const std::string reserved = "FGOVH";
  const std::vector<std::string> marked = WithAccessKeys(texts, reserved);
  ASSERT_EQ(marked.size(), texts.size());
  std::set<char> used, possible;
  for (size_t i = 0; i < texts.size(); ++i) {
    const auto [key, shown] = KeyAndShown(marked[i]);
    EXPECT_EQ(shown, texts[i]);
    for (char c : texts[i])
      if (std::isalnum(static_cast<unsigned char>(c))) possible.insert(static_cast<char>(std::toupper(c)));
    if (!key) continue;
    EXPECT_TRUE(used.insert(key).second) << "twice: " << key;
    EXPECT_EQ(reserved.find(key), std::string::npos) << key;
  }
  for (char c : reserved) possible.erase(c);
  EXPECT_EQ(used.size(), possible.size()) << "every free key is given";
}
