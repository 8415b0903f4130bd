#include "options/machine_info.h"

#include "launch/captured_run.h"
#include "options/xml_text.h"

namespace {
bool TagStartsWith(std::string_view tag, std::string_view word) {
  // The element name must end there: "dipswitch" is not "dipswitches".
  if (tag.substr(0, word.size()) != word) return false;
  if (tag.size() == word.size()) return true;
  char next = tag[word.size()];
  return next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '/';
}

uint32_t DecimalOrZero(const std::string& text) {
  uint32_t value = 0;
  return ReadDecimalU32(text, value) ? value : 0;
}
}  // namespace

MachineInfo ParseMachineListing(std::string_view listing, std::string_view set) {
  MachineInfo info;
  if (set.empty()) return info;
  std::string head = "<machine name=\"";
  head += set;
  head += '"';
  size_t start = listing.find(head);
  if (start == std::string_view::npos) return info;
  size_t end = listing.find("</machine>", start);
  std::string_view machine = listing.substr(start, end == std::string_view::npos ? listing.npos : end - start);
  info.listed = true;

  DipSwitch* current = nullptr;
  for (size_t pos = 0;;) {
    size_t open = machine.find('<', pos);
    if (open == std::string_view::npos) break;
    size_t close = machine.find('>', open + 1);
    if (close == std::string_view::npos) break;
    std::string_view tag = machine.substr(open + 1, close - open - 1);
    pos = close + 1;
    if (TagStartsWith(tag, "biosset")) {
      BiosSet bios;
      bios.name = ReadXmlAttribute(tag, "name");
      bios.description = ReadXmlAttribute(tag, "description");
      bios.is_default = ReadXmlAttribute(tag, "default") == "yes";
      info.biossets.push_back(std::move(bios));
    } else if (TagStartsWith(tag, "dipswitch")) {
      DipSwitch sw;
      sw.name = ReadXmlAttribute(tag, "name");
      sw.tag = ReadXmlAttribute(tag, "tag");
      sw.mask = DecimalOrZero(ReadXmlAttribute(tag, "mask"));
      info.switches.push_back(std::move(sw));
      current = &info.switches.back();
    } else if (TagStartsWith(tag, "dipvalue") && current) {
      uint32_t value = DecimalOrZero(ReadXmlAttribute(tag, "value"));
      bool known = false;
      for (const DipValue& v : current->values) known = known || v.value == value;
      if (!known) current->values.push_back({ReadXmlAttribute(tag, "name"), value});
      if (ReadXmlAttribute(tag, "default") == "yes") current->default_value = value;
    }
  }
  return info;
}

bool IsPlainSetName(std::string_view set) {
  if (set.empty() || set.size() > 64) return false;
  for (char c : set)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

const MachineInfo& MachineInfoCache::Get(std::string_view set, ListingRunner runner) {
  auto found = machines.find(set);
  if (found != machines.end()) return found->second;
  MachineInfo info;
  if (IsPlainSetName(set) && runner) {
    TextBuffer output;
    if (runner("-listxml " + std::string(set), output, kListXmlTimeLimitMs) == kCapturedEnded && !output.empty())
      info = ParseMachineListing(output, set);
  }
  return machines.emplace(std::string(set), std::move(info)).first->second;
}

namespace {
int RunLocatedMame(const std::string& arguments, TextBuffer& output, uint32_t time_limit_ms) {
  return RunMameCaptured(arguments, output, time_limit_ms);
}
}  // namespace

const MachineInfo& GetMachineInfo(std::string_view set) {
  // Used from the user-interface thread only.
  static MachineInfoCache cache;
  return cache.Get(set, RunLocatedMame);
}
