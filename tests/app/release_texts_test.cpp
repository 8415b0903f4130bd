// The user's guide names only menu items, keys, settings and pictures there are; CHANGES.txt's newest is this version.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <regex>
#include <set>

#include "app/keyboard_shortcuts.h"
#include "app/menu_bar.h"
#include "app/menu_state.h"
#include "base/text_util.h"
#include "base/version.h"
#include "settings/settings.h"
#include "support/test_support.h"

namespace {
// Each first group of `pattern` in `text`.
std::vector<std::string> Marked(const std::string& text, const char* pattern) {
  std::vector<std::string> found;
  const std::regex re(pattern);
  for (auto m = std::sregex_iterator(text.begin(), text.end(), re); m != std::sregex_iterator(); ++m)
    found.push_back((*m)[1]);
  return found;
}

// Every item of the menu bar as the guide writes it, as a user reads it (no & nor shortcut): "View > Theme > Dark".
std::set<std::string> MenuPaths() {
  auto Shown = [](std::string text) { text = text.substr(0, text.find('\t')); std::erase(text, '&'); return text; };
  std::set<std::string> paths;
  for (const MenuBarMenu& menu : MenuBarMenus()) {
    for (const MenuLine& line : menu.lines) {
      if (line.id == kSeparator) continue;
      const std::string path = Shown(menu.text) + " > " + Shown(line.text);
      paths.insert(path);
      if (line.id == kThemeSubmenu)
        for (const MenuLine& theme : ThemeMenuLines()) paths.insert(path + " > " + Shown(theme.text));
      if (line.id == kColumnsSubmenu)
        for (const ColumnMenuItem& column : kColumnMenu) paths.insert(path + " > " + Shown(column.text));
    }
  }
  return paths;
}

// The keys and pad buttons of Help > Keyboard Shortcuts, one by one where a row names several, and the menus'.
std::set<std::string> KeyNames() {
  std::set<std::string> keys;
  auto add = [&](const std::string& text) {  // "A, B/C + D" names A, B, C and D
    static const std::regex separator(R"(,|/| \+ )");
    for (std::sregex_token_iterator piece(text.begin(), text.end(), separator, -1), end; piece != end; ++piece)
      if (!Trim(piece->str()).empty()) keys.insert(Trim(piece->str()));
  };
  for (const auto& [key, action] : KeyboardShortcutRows()) add(key);
  for (const MenuBarMenu& menu : MenuBarMenus())
    for (const MenuLine& line : menu.lines)
      if (const char* tab = line.text ? std::strchr(line.text, '\t') : nullptr) add(tab + 1);
  return keys;
}
}  // namespace

TEST(ReleaseTexts, TheGuideNamesWhatTheProgramHasAndChangesNameItsVersion) {
  // What a reader sees: no comments; a name may be wrapped onto the next line.
  std::string guide =
      std::regex_replace(ReadTestFile(SourcePath("docs/user-guide.md")), std::regex(R"(<!--[\s\S]*?-->)"), "");
  guide = std::regex_replace(guide, std::regex(R"(\s+)"), " ");
  ASSERT_FALSE(guide.empty());

  // Menu items as **Menu > Item**.
  const std::set<std::string> paths = MenuPaths();
  const std::vector<std::string> menus = Marked(guide, R"(\*\*([^*]+ > [^*]+)\*\*)");
  for (const std::string& path : menus) EXPECT_TRUE(paths.count(path)) << "no menu item " << path;
  // Keys and pad buttons as <kbd>Key</kbd>.
  const std::set<std::string> keys = KeyNames();
  const std::vector<std::string> named_keys = Marked(guide, R"(<kbd>([^<]+)</kbd>)");
  for (const std::string& key : named_keys) EXPECT_TRUE(keys.count(key)) << "no key " << key;
  // Keys of korvo-settings.cfg as `key`: the settings file reads them.
  const std::vector<std::string> settings = Marked(guide, R"(`([a-z][a-z0-9_]*)`)");
  Settings s;
  for (const std::string& key : settings) EXPECT_EQ(ParseSettingsText(s, key + "=1\r\n"), 1u) << "no setting " << key;
  // Pictures as ![...](images/name.png), in docs/images.
  for (const std::string& picture : Marked(guide, R"(\]\((images/[^)]+)\))"))
    EXPECT_TRUE(std::filesystem::is_regular_file(SourcePath("docs/" + picture))) << picture;
  // The patterns find what the guide names (a guide written another way would pass unread).
  EXPECT_TRUE(menus.size() > 20 && named_keys.size() > 20 && settings.size() > 5)
      << menus.size() << " menu items, " << named_keys.size() << " keys, " << settings.size() << " settings";

  const std::vector<std::string> versions =
      Marked(ReadTestFile(SourcePath("CHANGES.txt")), R"((?:^|\n)Korvo (\d+\.\d+\.\d+)\s*\n)");
  ASSERT_FALSE(versions.empty());
  EXPECT_EQ(versions.front(), kKorvoVersion);
}
