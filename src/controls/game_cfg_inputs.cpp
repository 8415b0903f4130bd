#include "controls/game_cfg_inputs.h"

#include <utility>
#include <vector>

#include "settings/app_state.h"
#include "base/file_system.h"
#include "base/paths.h"
#include "controls/cfg_elements.h"
#include "controls/input_actions.h"
#include "controls/mapping_files.h"

bool StripGameCfgText(std::string& text) {
  std::vector<std::pair<size_t, size_t>> cuts;
  size_t pos = 0;
  size_t close = std::string::npos - 1;  // not searched yet
  while (pos < text.size()) {
    size_t open = text.find("<port ", pos);
    if (open == std::string::npos) break;
    // Many empty elements may come before the next end tag; find it again
    // only once it has been passed, so that the scan stays linear.
    if (close == std::string::npos - 1 || close < open) close = text.find("</port>", open);
    size_t tag_end = text.find('>', open);
    if (close == std::string::npos || tag_end == std::string::npos) break;
    if (text[tag_end - 1] == '/') {  // an empty element, e.g. a DIP switch value
      pos = tag_end + 1;
      continue;
    }
    size_t next_open = text.find("<port", tag_end);
    if (text.find('<', open + 1) < tag_end || (next_open != std::string::npos && next_open < close) ||
        !HoldsOnlySequences(std::string_view(text).substr(tag_end + 1, close - tag_end - 1))) {
      // Broken nesting: never take another element for this one's content.
      pos = tag_end + 1;
      continue;
    }
    std::string_view tag(text.data() + open, tag_end - open);
    std::string_view type;
    if (size_t t = tag.find("type=\""); t != std::string_view::npos) {
      size_t quote = tag.find('"', t + 6);
      if (quote != std::string_view::npos) type = tag.substr(t + 6, quote - t - 6);
    }
    size_t element_end = close + 7;
    std::string_view element(text.data() + open, element_end - open);
    if (!type.empty() && FindActionByPort(type) >= 0 && element.find("<newseq") != std::string_view::npos) {
      PortElement el;
      el.match = open;
      el.end = element_end;
      cuts.push_back(ElementCutRange(text, el));
    }
    pos = element_end;
  }
  if (cuts.empty()) return false;
  text = CutRanges(text, std::move(cuts));
  return true;
}

void StripGameCfgFile(const std::string& cfg_path) {
  std::optional<std::string> text = ReadWholeFile(cfg_path);
  if (!text || !StripGameCfgText(*text) || !BackupCfgOnce(cfg_path)) return;
  WriteFileAtomic(cfg_path, *text);
}

void StripGameCfgInputs(const std::string& set_name) {
  if (!App().settings.mapping_overrides_game_cfg || set_name.empty()) return;
  // Set names come from the game table; anything that could leave the cfg
  // folder is refused all the same.
  if (set_name.find_first_of("\\/:") != std::string::npos || set_name.find("..") != std::string::npos) return;
  StripGameCfgFile(JoinPath(JoinPath(ControlsMameFolder(), "cfg"), set_name + ".cfg"));
}
