#include "options/dip_cfg.h"

#include <optional>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_buffer.h"
#include "controls/mapping_files.h"
#include "launch/mame_location.h"
#include "options/xml_text.h"

std::string PortTagWithColon(std::string_view tag) {
  if (!tag.empty() && tag[0] == ':') return std::string(tag);
  return ":" + std::string(tag);
}

namespace {
// One "<port " element of a cfg text.
struct PortSpan {
  size_t begin = 0;       // at "<port "
  size_t tag_end = 0;     // at the ">" of the opening tag
  std::string_view head;  // the opening tag's text between "<" and ">"
};

// The next "<port " at or after `from` whose opening tag has its ">".
std::optional<PortSpan> NextPort(std::string_view text, size_t from) {
  size_t begin = text.find("<port ", from);
  if (begin == std::string_view::npos) return std::nullopt;
  size_t close = text.find('>', begin);
  if (close == std::string_view::npos) return std::nullopt;
  return PortSpan{begin, close, text.substr(begin + 1, close - begin - 1)};
}

bool IsSwitchPort(std::string_view head, std::string_view tag, uint32_t mask) {
  if (ReadXmlAttribute(head, "type") != "DIPSWITCH") return false;
  if (PortTagWithColon(ReadXmlAttribute(head, "tag")) != PortTagWithColon(tag)) return false;
  uint32_t port_mask = 0;
  return ReadDecimalU32(ReadXmlAttribute(head, "mask"), port_mask) && port_mask == mask;
}

// Where a port element ends: after "/>" of an empty element, else after its
// "</port>". Nothing when that is missing, or when another port opens first
// (the element is broken, and what follows belongs to other ports).
std::optional<size_t> PortEnd(std::string_view text, const PortSpan& port) {
  if (port.head.size() && port.head.back() == '/') return port.tag_end + 1;
  size_t close = text.find("</port>", port.tag_end);
  if (close == std::string_view::npos) return std::nullopt;
  size_t next_open = text.find("<port ", port.tag_end);
  if (next_open != std::string_view::npos && next_open < close) return std::nullopt;
  return close + 7;
}

std::string RemoveSwitchPorts(std::string_view cfg, const std::vector<DipChoice>& choices) {
  std::string text(cfg);
  size_t from = 0;
  while (auto port = NextPort(text, from)) {
    bool ours = false;
    for (const DipChoice& c : choices) ours = ours || IsSwitchPort(port->head, c.tag, c.mask);
    if (!ours) {
      from = port->tag_end + 1;
      continue;
    }
    std::optional<size_t> end = PortEnd(text, *port);
    if (!end) break;
    size_t begin = port->begin;
    while (begin > 0 && (text[begin - 1] == ' ' || text[begin - 1] == '\t')) --begin;
    size_t stop = *end;
    if (stop < text.size() && text[stop] == '\r') ++stop;
    if (stop < text.size() && text[stop] == '\n') ++stop;
    text.erase(begin, stop - begin);
    // The join can make a new "<port " from a stray "<p", "<po"... before the
    // cut and the text after it, so the search steps back over those.
    from = begin > 5 ? begin - 5 : 0;
  }
  return text;
}
}  // namespace

uint32_t CurrentDipValue(std::string_view cfg, const DipSwitch& sw) {
  size_t from = 0;
  while (std::optional<PortSpan> port = NextPort(cfg, from)) {
    if (IsSwitchPort(port->head, sw.tag, sw.mask)) {
      uint32_t value = 0;
      return ReadDecimalU32(ReadXmlAttribute(port->head, "value"), value) ? value : sw.default_value;
    }
    from = port->tag_end + 1;
  }
  return sw.default_value;
}

std::string ApplyDipChoices(std::string_view cfg, std::string_view set, const std::vector<DipChoice>& choices) {
  std::string text = RemoveSwitchPorts(cfg, choices);

  TextBuffer lines;
  for (const DipChoice& c : choices) {
    if (c.value == c.default_value) continue;  // no line: MAME uses its default
    AppendFormat(lines, "            <port tag=\"%s\" type=\"DIPSWITCH\" mask=\"%lu\" defvalue=\"%lu\" value=\"%lu\" />\n",
                 EscapeXmlAttribute(PortTagWithColon(c.tag)).c_str(), static_cast<unsigned long>(c.mask),
                 static_cast<unsigned long>(c.default_value), static_cast<unsigned long>(c.value));
  }
  if (lines.empty()) return text;

  const std::string system = "<system name=\"" + std::string(set) + "\">";
  const std::string new_system = "    " + system + "\n        <input>\n" + lines + "        </input>\n    </system>\n";
  if (text.find("<mameconfig") == std::string::npos)
    return "<?xml version=\"1.0\"?>\n<mameconfig version=\"10\">\n" + new_system + "</mameconfig>\n";

  size_t system_at = text.find(system);
  if (system_at == std::string::npos) {
    size_t end = text.rfind("</mameconfig>");
    if (end != std::string::npos) text.insert(end, new_system);
    return text;
  }
  size_t system_end = text.find("</system>", system_at);
  if (system_end == std::string::npos) return text;
  size_t input = text.find("<input>", system_at);
  if (input == std::string::npos || input > system_end) {
    text.insert(system_end, "        <input>\n" + lines + "        </input>\n    ");
    return text;
  }
  size_t input_end = text.find("</input>", input);
  if (input_end == std::string::npos) return text;
  size_t at = input_end;
  while (at > input && (text[at - 1] == ' ' || text[at - 1] == '\t')) --at;
  text.insert(at, lines);
  return text;
}

std::string MameCfgFolder() { return JoinPath(MameFolder(), "cfg"); }

namespace {
std::string GameCfgPath(const std::string& cfg_folder, std::string_view set) {
  return JoinPath(cfg_folder, std::string(set) + ".cfg");
}
}  // namespace

bool ReadGameCfg(const std::string& cfg_folder, std::string_view set, std::string& text) {
  text.clear();
  if (!IsPlainSetName(set)) return false;
  const std::string path = GameCfgPath(cfg_folder, set);
  if (std::optional<std::string> bytes = ReadWholeFile(path)) {
    text = std::move(*bytes);
    return true;
  }
  return !FileExists(path);
}

bool SaveDipChoices(const std::string& cfg_folder, std::string_view set, const std::vector<DipChoice>& choices) {
  std::string current;
  if (!ReadGameCfg(cfg_folder, set, current)) return false;
  std::string text = ApplyDipChoices(current, set, choices);
  if (text == current) return true;
  if (!CreateFolder(cfg_folder)) return false;
  const std::string path = GameCfgPath(cfg_folder, set);
  return BackupCfgOnce(path) && WriteFileAtomic(path, text);
}
